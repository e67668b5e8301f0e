// Win32 numeric values that the framework layer and the launcher pass through
// the platform seam. Neither includes <windows.h>; these are the same numbers
// that the Win32 headers define under the name after "WIN_".
#pragma once

#include <cstdint>

constexpr unsigned WIN_MB_OK = 0x0000;
constexpr unsigned WIN_MB_YESNO = 0x0004;
constexpr unsigned WIN_MB_ICONERROR = 0x0010;
constexpr unsigned WIN_MB_ICONWARNING = 0x0030;
constexpr unsigned WIN_MB_TASKMODAL = 0x2000;

constexpr int WIN_IDOK = 1;
constexpr int WIN_IDCANCEL = 2;
constexpr int WIN_IDYES = 6;
constexpr int WIN_IDNO = 7;

constexpr unsigned WIN_WM_PAINT = 0x000F;
constexpr unsigned WIN_WM_ICONERASEBKGND = 0x0027;
constexpr unsigned WIN_WM_QUERYDRAGICON = 0x0037;
constexpr unsigned WIN_WM_HELP = 0x0053;
constexpr unsigned WIN_WM_SETICON = 0x0080;
constexpr unsigned WIN_WM_INITDIALOG = 0x0110;
constexpr unsigned WIN_WM_COMMAND = 0x0111;

constexpr unsigned WIN_BN_CLICKED = 0;
constexpr uintptr_t WIN_ICON_SMALL = 0;
constexpr uintptr_t WIN_ICON_BIG = 1;

constexpr int WIN_SW_SHOWNORMAL = 1;

constexpr int WIN_SM_CXICON = 11;
constexpr int WIN_SM_CYICON = 12;
constexpr int WIN_RASTERCAPS = 38;
constexpr int WIN_RC_PALETTE = 0x0100;
constexpr uint32_t WIN_SRCCOPY = 0x00CC0020;

constexpr unsigned WIN_IMAGE_BITMAP = 0;
constexpr unsigned WIN_LR_LOADFROMFILE = 0x0010;
constexpr unsigned WIN_LR_CREATEDIBSECTION = 0x2000;

// The framework's Help command.
constexpr int ID_HELP = 0xE146;
