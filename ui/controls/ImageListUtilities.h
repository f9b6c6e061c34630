// Image lists filled from bitmap resources.
#pragma once

#include <windows.h>

class CImageList;

// Loads bitmap resource bitmapId as a DIB section and makes list a 32-bit image list of imageWidth-wide
// images of the bitmap's height holding the whole strip (no mask). FALSE when the bitmap is missing, the
// width is below 1 or the list cannot be made; the loaded bitmap is always deleted afterwards.
BOOL LoadImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth);

// The same for a picture strip drawn on a ground of one key colour: list is a masked image list (24-bit
// colour plus mask) in which every pixel of the key colour is transparent, so the images draw without
// their ground whatever the common-controls version.
BOOL LoadMaskedImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth, COLORREF key);

// Loads bitmap resource bitmapId the same way and appends its images to an existing list.
BOOL AddBitmapToImageList(UINT bitmapId, CImageList* list);
