// Removal of the Program Manager group and items over DDE.
// Stand-in: removes nothing yet; the Program Manager work fills it in.
#include "progman_removal.h"

void RemoveProgmanItems() {}
