// <windows.h> defines macros that would rename the seam's functions (for
// example MessageBox to MessageBoxA). Include this right after <windows.h> in
// every file that defines seam functions; call the ANSI Win32 forms by their
// full names there.
#pragma once

#undef MessageBox
#undef DialogBoxParam
#undef SendMessage
#undef SetWindowText
#undef LoadIcon
#undef LoadImage
#undef GetProfileString
#undef ShellExecute
#undef GetObject
