// Win32 numeric values that the installer's logic passes through the
// platform seam. The logic never includes <windows.h>; these are the same
// numbers that the Win32 headers define under the name after "WIN_".
#pragma once

#include <cstdint>

constexpr unsigned WIN_MB_OK = 0x0000;
constexpr unsigned WIN_MB_YESNO = 0x0004;
constexpr unsigned WIN_MB_ICONWARNING = 0x0030;

constexpr int WIN_IDOK = 1;
constexpr int WIN_IDCANCEL = 2;
constexpr int WIN_IDYES = 6;
constexpr int WIN_IDNO = 7;

constexpr unsigned WIN_WM_QUIT = 0x0012;
constexpr unsigned WIN_WM_INITDIALOG = 0x0110;
constexpr unsigned WIN_WM_COMMAND = 0x0111;

constexpr int WIN_SW_SHOW = 5;

constexpr unsigned WIN_S_IFDIR = 0x4000;

// DDE Management Library.
constexpr uint32_t WIN_CBF_FAIL_EXECUTES = 0x00008000;
constexpr unsigned WIN_CF_TEXT = 1;
constexpr unsigned WIN_XTYP_CONNECT = 0x1062;
constexpr unsigned WIN_XTYP_EXECUTE = 0x4050;
