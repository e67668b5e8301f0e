// The Program Manager group and its items, sent as commands over DDE.
#pragma once

#include <cstdint>

#include "platform.h"
#include "product.h"

extern uint32_t ddeInstance;

// The whole stage for productInfo: the group, its two items, the Startup
// question and, on Yes, the Startup item.
void RegisterProgmanGroups();
// The same for any product description.
void RegisterProgmanGroupsFor(const ProductInfo& product);
unsigned OpenDdeInstance();
void CloseDdeInstance();
platform::DdeHandle ProgmanExecute(const char* command);
platform::DdeHandle PLATFORM_CALLBACK ProgmanDdeCallback(unsigned type, unsigned format, platform::DdeHandle conversation,
                                       platform::DdeHandle string1, platform::DdeHandle string2,
                                       platform::DdeHandle data, uintptr_t data1, uintptr_t data2);
