// The Program Manager group and its items, sent as commands over DDE.
#pragma once

#include <cstdint>

#include "platform.h"

extern uint32_t ddeInstance;

void RegisterProgmanGroups();
unsigned OpenDdeInstance();
void CloseDdeInstance();
platform::DdeHandle ProgmanExecute(const char* command);
platform::DdeHandle PLATFORM_CALLBACK ProgmanDdeCallback(unsigned type, unsigned format, platform::DdeHandle conversation,
                                       platform::DdeHandle string1, platform::DdeHandle string2,
                                       platform::DdeHandle data, uintptr_t data1, uintptr_t data2);
