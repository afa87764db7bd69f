// Wine's ntdll exports wine_get_version; Windows' does not.
#include "regex/UnderWine.h"

#include <windows.h>

bool underWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
