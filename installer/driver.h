// The installer's whole control flow, and the paths it composes after a
// successful extraction.
#pragma once

#include "platform.h"

constexpr int COMPOSED_PATH_SIZE = 1024;

extern char exePath[COMPOSED_PATH_SIZE];
extern char startupCommand[COMPOSED_PATH_SIZE];
extern char uninstallerPath[COMPOSED_PATH_SIZE];

// Always returns 0.
int InstallerMain(platform::Instance instance, platform::Instance previous, char* commandLine, int show);
