// The harness application with its user interface: dialog mode runs the main dialog with the results
// tree's log sink, and the end of a run reaches the dialog directly.
#pragma once

#include "QuorvexApp.h"

class CQuorvexDialogApp : public CQuorvexApp
{
public:
    void OnRunEnded() override;

protected:
    CUnitTestBaseLogManager* CreateDialogLogManager() override;
    int RunDialogMode() override;
};
