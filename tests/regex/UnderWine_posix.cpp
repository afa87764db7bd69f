// Native runs are never under Wine.
#include "regex/UnderWine.h"

bool underWine() {
    return false;
}
