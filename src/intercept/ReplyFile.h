// Reply files: which names are safe, what they hold, and the exclusive write.
#pragma once

#include "intercept/PacketReport.h"
#include "text/Text.h"

#include <string_view>

// True when `num` can name a reply file inside the reply folder: no path separator, drive
// colon, control byte or other byte that Windows forbids in file names, and not a reserved
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, also with an extension
// or trailing spaces). The empty text is safe: it gives the file ".fd".
bool isSafeReplyName(std::string_view num);

// "new{|0|}" or, with `modify`, "new{|1|}" and the cookie, html, post and url fields; then
// the report's `replyExtra`.
Text replyText(const PacketReport& report, bool modify);

// The reply file's path: `folder`, a separator, `num`, ".fd".
Text replyPath(std::string_view folder, std::string_view num);

// Creates or truncates `path` and writes `bytes`, with the file shared with nobody while it
// is open. Returns false when the file could not be opened; a write error ends the write
// and keeps what was written.
bool writeExclusiveFile(const Text& path, std::string_view bytes);
