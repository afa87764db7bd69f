// Resource numbers shared by Tesvo.rc and the code that loads the resources.
#pragma once

#define IDI_TESVO 1
