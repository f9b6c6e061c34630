// The program's one application object.
#include "QuorvexDialogApp.h"

CQuorvexDialogApp theApp;
