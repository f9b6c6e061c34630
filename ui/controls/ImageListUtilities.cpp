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

namespace
{
// Makes list an image list of the given kind holding the whole strip of bitmapId; with a key, pixels of that
// colour go to the mask.
BOOL LoadStripIntoList(UINT bitmapId, CImageList* list, int imageWidth, UINT flags, const COLORREF* key)
{
    if (!list || imageWidth < 1)
        return FALSE;
    BITMAP info = {};
    HBITMAP bitmap = LoadBitmapResource(bitmapId, &info);
    if (!bitmap)
        return FALSE;
    BOOL result = FALSE;
    if (list->Create(imageWidth, info.bmHeight, flags, info.bmWidth / imageWidth, 0))
        result = (key ? ImageList_AddMasked(list->GetSafeHandle(), bitmap, *key)
                      : ImageList_Add(list->GetSafeHandle(), bitmap, nullptr)) >= 0;
    DeleteObject(bitmap);
    return result;
}
} // namespace

BOOL LoadImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth)
{
    return LoadStripIntoList(bitmapId, list, imageWidth, ILC_COLOR32, nullptr);
}

BOOL LoadMaskedImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth, COLORREF key)
{
    return LoadStripIntoList(bitmapId, list, imageWidth, ILC_COLOR24 | ILC_MASK, &key);
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
