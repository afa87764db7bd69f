// Where the running program file lies: the interceptor and the reply folder are beside it.
#pragma once

#include "text/Text.h"

// The directory of the running program file, without a trailing separator.
Text programDirectory();

// The separator between directory and file names on this platform.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif
