// The platform's scripting engine, VBScript.RegExp, behind the engine seam (Windows only).
#pragma once

#include "regex/RegexEngine.h"

#include <memory>

// A new instance from the ProgID; null when the class is not registered or not creatable
// (VBScript disabled or removed). COM must be initialised on the calling thread.
std::shared_ptr<RegexEngine> createVbscriptEngine();
