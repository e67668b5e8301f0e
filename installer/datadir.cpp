// Stand-in until the data-directory dialog lands: always installs into
// C:\Program Files\<shortName>, creating it, and records it.
#include "datadir.h"

#include <cstdio>

#include "product.h"

char dataDir[DATA_DIR_SIZE];
platform::Window messageOwner;

int ChooseDataDirectory(platform::Instance, platform::Window owner) {
  messageOwner = owner;
  std::snprintf(dataDir, sizeof dataDir, "C:\\Program Files\\%s", productInfo.shortName);
  platform::MakeDirectory(dataDir);
  if (platform::ChangeDirectory(dataDir) != 0) return 0;
  platform::WriteProfileString("Options", "dataDir", dataDir, productInfo.iniFileName);
  return 1;
}
