// The one application object; the process entry starts it.
#include "shell/rate_app.h"

CRateApp theApp;
