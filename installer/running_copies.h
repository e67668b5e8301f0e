// Asking running copies of the application to quit before its files are
// overwritten.
#pragma once

#include <cstdint>

#include "platform.h"

void CloseRunningCopies();
int PLATFORM_CALLBACK CloseCopyEnumProc(platform::Window window, intptr_t value);
