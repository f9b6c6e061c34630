#include "ui/controls/ImageListUtilities.h"

#include "framework/AppGlobals.h"
#include "framework/ImageList.h"

namespace
{
// The bitmap resource as a DIB section, from the module that holds it; null when absent.
HBITMAP LoadBitmapResource(UINT bitmapId, BITMAP* info)
{
    LPCSTR name = MAKEINTRESOURCEA(bitmapId);
    HINSTANCE module = AfxFindResourceHandle(name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    if (!bitmap)
        return nullptr;
    if (GetObjectA(bitmap, sizeof(BITMAP), info) == 0 || info->bmWidth < 1 || info->bmHeight < 1)
    {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
} // namespace

BOOL LoadImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth)
{
    if (!list || imageWidth < 1)
        return FALSE;
    BITMAP info = {};
    HBITMAP bitmap = LoadBitmapResource(bitmapId, &info);
    if (!bitmap)
        return FALSE;
    BOOL result = FALSE;
    if (list->Create(imageWidth, info.bmHeight, ILC_COLOR32, info.bmWidth / imageWidth, 0))
        result = ImageList_Add(list->GetSafeHandle(), bitmap, nullptr) >= 0;
    DeleteObject(bitmap);
    return result;
}

BOOL AddBitmapToImageList(UINT bitmapId, CImageList* list)
{
    if (!list || !list->GetSafeHandle())
        return FALSE;
    BITMAP info = {};
    HBITMAP bitmap = LoadBitmapResource(bitmapId, &info);
    if (!bitmap)
        return FALSE;
    BOOL result = ImageList_Add(list->GetSafeHandle(), bitmap, nullptr) >= 0;
    DeleteObject(bitmap);
    return result;
}
