// The uninstaller's Program Manager step: removes the group and the items
// that the installer created over DDE.
#pragma once

void RemoveProgmanItems();
