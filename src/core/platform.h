// The platform operations the program uses to reach its window and files.
// The backend is chosen at compile time: the dialog model here, or the native
// Win32 dialog, under the same names, so the control wrappers and the
// Controller are the same code on every platform.
#pragma once

#if defined(KUPONGEN_NATIVE_WIN32)
#include "platform_win32.h"
#else
#include "platform_model.h"
#endif
