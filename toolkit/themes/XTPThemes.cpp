#include "toolkit/themes/XTPThemes.h"

#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/themes/classic/XTPVisualStudio6Theme.h"

namespace
{
CXTPPaintManager* MakeDefaultTheme()
{
    return new CXTPDefaultTheme();
}

CXTPPaintManager* MakeVisualStudio6Theme()
{
    return new CXTPVisualStudio6Theme();
}
} // namespace

void XTPRegisterThemes()
{
    CXTPPaintManager::RegisterTheme(0, MakeDefaultTheme);
    CXTPPaintManager::RegisterTheme(8, MakeVisualStudio6Theme);
}
