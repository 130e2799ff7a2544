// The one application object; the process entry starts it.
#include "rate_app.h"

CRateApp theApp;
