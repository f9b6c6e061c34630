// A program that ends while it holds the global paint manager (a registered theme) and an image
// store with icons loaded before and after the paint manager was made; it must exit with code 0.
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/themes/XTPThemes.h"

int main()
{
    XTPImageManager()->SetIcon(::CopyIcon(::LoadIcon(nullptr, IDI_APPLICATION)), 100, 16, 16);
    XTPRegisterThemes();
    CXTPPaintManager::SetTheme(8);
    XTPImageManager()->SetIcon(::CopyIcon(::LoadIcon(nullptr, IDI_APPLICATION)), 101, 16, 16);
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobal();
    if (!pPaintManager || pPaintManager->m_nTheme != 8 || !XTPImageManager()->GetImage(101, 16))
        return 2;
    return 0;
}
