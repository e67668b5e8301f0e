// The stages of other modules that InstallerMain runs, reached through
// replaceable entries so that the driver's own sequence can be exercised
// apart from them. They point at the real stages unless a test swaps them.
#pragma once

#include "platform.h"

struct InstallerStages {
  int (*chooseDataDirectory)(platform::Instance instance, platform::Window owner);
  void (*closeRunningCopies)();
  void (*registerProgmanGroups)();
};

extern InstallerStages installerStages;
