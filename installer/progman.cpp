// Stand-in until the Program Manager stage lands: sends nothing.
#include "progman.h"

uint32_t ddeInstance;

void RegisterProgmanGroups() {}
