// The soak: many reports of every kind sent to a running Tesvo, with its resource use sampled.
#pragma once

#include <string>

struct HWND__;

// Sends `count` reports to `window` and checks every reply file in `dataDir`. Writes one
// line per sample ("at N private=B gdi=G user=U handles=H") and a closing
// "soak reports=N bad_replies=K" line to `outPath`.
void runSoak(HWND__* window, long count, const std::string& dataDir, const std::string& outPath);
