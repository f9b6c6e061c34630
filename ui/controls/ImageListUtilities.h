// Image lists filled from bitmap resources.
#pragma once

#include <windows.h>

class CImageList;

// Loads bitmap resource bitmapId as a DIB section and makes list a 32-bit image list of imageWidth-wide
// images of the bitmap's height holding the whole strip (no mask). FALSE when the bitmap is missing, the
// width is below 1 or the list cannot be made; the loaded bitmap is always deleted afterwards.
BOOL LoadImageListFromBitmap(UINT bitmapId, CImageList* list, int imageWidth);

// Loads bitmap resource bitmapId the same way and appends its images to an existing list.
BOOL AddBitmapToImageList(UINT bitmapId, CImageList* list);
