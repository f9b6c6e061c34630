// The program's one application object.
#include "ui/QuorvexDialogApp.h"

CQuorvexDialogApp theApp;
