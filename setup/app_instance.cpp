// The launcher's one application object, constructed before the program's
// entry runs and destroyed by the exit processing.
#include "setup_app.h"

SetupApp theApp;
