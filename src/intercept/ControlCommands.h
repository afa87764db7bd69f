// The texts of the commands sent to the interceptor on the control channel.
#pragma once

#include "text/Text.h"

#include <cstdint>
#include <vector>

// Each element followed by one ",": ["a", "b"] gives "a,b,", [""] gives ",", [] gives "".
// Elements are not escaped.
Text joinTexts(const std::vector<Text>& items);

// "act[csh]port[P]arr_url[U]arr_pid[D]size[S]bd[L]" with the joined filters.
Text startCommand(int32_t proxyPort, const std::vector<Text>& urlFilters,
                  const std::vector<Text>& pidFilters, int64_t size, int32_t localPort);

// "act[exit]".
Text exitCommand();

// "act[huifu]port[P]".
Text restoreCommand(int32_t proxyPort);
