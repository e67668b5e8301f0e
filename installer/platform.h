// The installer's only door to the operating system: one function per
// platform operation that the installer uses, named after it, taking and
// returning plain values. installer/win32/platform.cpp forwards each one to
// Win32 or the runtime library and decides nothing; the host tests link a
// scripted fake (tests/unit/fake/) in its place. Append new operations at the
// end of their group; never change the meaning of an existing one.
#pragma once

#include <cstddef>
#include <cstdint>

// Callbacks that Win32 calls (dialog procedures, enumeration and DDE
// callbacks) use its calling convention, which on 32-bit x86 is stdcall.
// Declare and define every such function with PLATFORM_CALLBACK.
#if defined(_WIN32) && !defined(_WIN64)
#define PLATFORM_CALLBACK __attribute__((stdcall))
#else
#define PLATFORM_CALLBACK
#endif

namespace platform {

using Window = void*;    // an HWND, opaque to the logic
using Instance = void*;  // an HINSTANCE
struct File;             // an open runtime-library stream (FILE*)

// A dialog procedure: same shape and calling convention as a Win32 DLGPROC.
using DialogProc = intptr_t(PLATFORM_CALLBACK*)(Window dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
// EnumWindows callback: nonzero to go on.
using EnumWindowsProc = int(PLATFORM_CALLBACK*)(Window window, intptr_t value);

// ---- Message boxes and the user interface ----
int MessageBox(Window owner, const char* text, const char* caption, unsigned style);
// Modal dialog from a numbered template; returns the EndDialog value, or -1
// when the dialog could not be shown at all.
intptr_t DialogBoxParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param);
// Modeless dialog from a numbered template; null when it could not be made.
Window CreateDialogParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param);
void ShowWindow(Window window, int show);
void EndDialog(Window dialog, intptr_t result);
void DestroyWindow(Window window);
void SetDlgItemText(Window dialog, int id, const char* text);
// Copies at most size - 1 characters of the control's text, NUL-terminated.
void GetDlgItemText(Window dialog, int id, char* buffer, int size);
// SetFocus(GetDlgItem(dialog, id)).
void SetFocusToItem(Window dialog, int id);
// Retrieves and dispatches every message waiting for this thread, without
// waiting for more, so that a window stays painted during long work.
void DispatchPendingMessages();

// ---- Environment, directories and the INI file ----
// getenv: the value, or null when the variable is not set.
const char* GetEnv(const char* name);
// _chdir: 0 when path is now the current directory, else -1.
int ChangeDirectory(const char* path);
// _mkdir: 0 when the directory was created, else -1.
int MakeDirectory(const char* path);
// _stat: -1 when nothing of that name exists; else 0 with st_mode in *mode.
int StatPath(const char* path, unsigned* mode);
// GetPrivateProfileStringA; defaultValue and buffer may be the same buffer.
void GetProfileString(const char* section, const char* key, const char* defaultValue,
                      char* buffer, unsigned size, const char* fileName);
// WritePrivateProfileStringA; the result is not examined by anyone.
void WriteProfileString(const char* section, const char* key, const char* value, const char* fileName);

// ---- Files and memory (runtime library) ----
File* OpenFile(const char* name, const char* mode);                        // fopen
size_t WriteFile(const void* data, size_t size, size_t count, File* file);  // fwrite
int CloseFile(File* file);                                                 // fclose: 0 on success
int RemoveFile(const char* name);                                          // remove: 0 on success
void* AllocateMemory(size_t size);                                         // malloc
void FreeMemory(void* block);                                              // free

// ---- Programs, windows of other programs, time ----
void WinExec(const char* commandLine, int show);
void EnumWindows(EnumWindowsProc proc, intptr_t value);
// Copies at most size - 1 characters of the title, NUL-terminated.
void GetWindowText(Window window, char* buffer, int size);
void PostMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam);
void Sleep(unsigned milliseconds);

// ---- DDE Management Library ----
using DdeHandle = void*;  // HSZ, HCONV or HDDEDATA
// Same shape and calling convention as a Win32 PFNCALLBACK.
using DdeCallback = DdeHandle(PLATFORM_CALLBACK*)(unsigned type, unsigned format, DdeHandle conversation, DdeHandle string1,
                                  DdeHandle string2, DdeHandle data, uintptr_t data1, uintptr_t data2);
unsigned DdeInitialize(uint32_t* instance, DdeCallback callback, uint32_t commands);
DdeHandle DdeCreateStringHandle(uint32_t instance, const char* text);
DdeHandle DdeConnect(uint32_t instance, DdeHandle service, DdeHandle topic);
DdeHandle DdeClientTransaction(const void* data, uint32_t length, DdeHandle conversation, DdeHandle item,
                               unsigned format, unsigned type, uint32_t timeout);
void DdeFreeStringHandle(uint32_t instance, DdeHandle string);
void DdeDisconnect(DdeHandle conversation);
void DdeUninitialize(uint32_t instance);
// Copies at most size - 1 characters of the string handle's text, NUL-terminated.
void DdeQueryString(uint32_t instance, DdeHandle string, char* buffer, uint32_t size);

}  // namespace platform
