// Whether the tests run under Wine, whose VBScript.RegExp differs from Windows' in places.
#pragma once

bool underWine();
