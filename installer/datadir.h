// Settling the data directory: proposal, recorded choice, confirmation
// dialog (template 113), creation, and the INI record.
#pragma once

#include <cstdint>

#include "platform.h"

constexpr int DATA_DIR_SIZE = 1024;

extern char dataDir[DATA_DIR_SIZE];
extern platform::Window messageOwner;

// 1: dataDir exists, is the current directory and is recorded; 0: declined.
int ChooseDataDirectory(platform::Instance instance, platform::Window owner);
intptr_t PLATFORM_CALLBACK DataDirDialogProc(platform::Window dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
// 0: path is now the current directory (created first when create is nonzero); -1: failed.
int EnterDirectory(const char* path, int create);
void StripTrailingChar(char* text, char character);
void CollapseSeparators(char* text);
