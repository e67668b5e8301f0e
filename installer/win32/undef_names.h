// <windows.h> defines macros that would rename the seam's functions (for
// example MessageBox to MessageBoxA). Include this right after <windows.h> in
// every file that defines seam functions; call the ANSI Win32 forms by their
// full names there.
#pragma once

#undef MessageBox
#undef DialogBoxParam
#undef CreateDialogParam
#undef SetDlgItemText
#undef GetDlgItemText
#undef GetProfileString
#undef WriteProfileString
#undef GetWindowText
#undef PostMessage
#undef DdeInitialize
#undef DdeCreateStringHandle
#undef DdeQueryString
#undef GetEnv
#undef OpenFile
#undef WriteFile
#undef RemoveFile
#undef EnumWindows
#undef WinExec
#undef Sleep
