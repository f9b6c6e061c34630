// The program's one application object.
#include "QuorvexApp.h"

CQuorvexApp theApp;
