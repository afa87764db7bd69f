// The exam site whose exam pages the interceptor is asked to watch. Its domain is set when
// the program is built (CMake cache variable TESVO_EXAM_DOMAIN).
#pragma once

#include "text/Text.h"

#ifndef TESVO_EXAM_DOMAIN
#error "TESVO_EXAM_DOMAIN must be defined by the build"
#endif

// The interceptor's URL filter: a dot, the domain and "/pages/exam", nothing before or after.
inline Text examUrlFilter() {
    return Text(".") + TESVO_EXAM_DOMAIN + "/pages/exam";
}
