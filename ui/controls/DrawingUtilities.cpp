#include "ui/controls/DrawingUtilities.h"

#include "framework/DC.h"
#include "framework/GdiObject.h"

#include <new>

BOOL CreateHarnessDialogFont(CFont& font)
{
    LOGFONTA description = HarnessDialogFontDescription();
    font.DeleteObject();
    return font.CreateFontIndirect(&description);
}

namespace
{
struct TableRow
{
    BYTE r, g, b;
    bool droppable;
};

// Row colours from the top border to the bottom border; 'true' marks a droppable row.
const TableRow kFocusedRows[kColourTableRows] = {
    {132, 172, 221, false}, {241, 247, 254, false}, {235, 244, 254, false}, {234, 243, 254, false},
    {232, 242, 254, true},  {231, 241, 254, false}, {229, 241, 254, true},  {227, 239, 254, false},
    {226, 238, 254, false}, {223, 237, 254, true},  {221, 236, 254, false}, {219, 235, 254, false},
    {217, 233, 254, true},  {214, 232, 254, false}, {212, 231, 254, true},  {211, 230, 254, false},
    {209, 229, 254, false}, {208, 229, 254, true},  {207, 228, 254, false}, {222, 237, 254, false},
    {132, 172, 221, false}};

const TableRow kCaretRows[kColourTableRows] = {
    {184, 214, 251, false}, {252, 253, 254, false}, {250, 251, 253, false}, {249, 251, 253, false},
    {249, 251, 253, true},  {248, 250, 253, false}, {247, 250, 253, false}, {246, 249, 253, true},
    {245, 249, 253, false}, {243, 248, 253, false}, {243, 247, 253, true},  {241, 247, 253, false},
    {240, 246, 253, true},  {239, 245, 253, false}, {238, 245, 253, false}, {237, 244, 253, true},
    {236, 244, 253, false}, {235, 243, 253, false}, {235, 243, 253, true},  {242, 247, 253, false},
    {184, 214, 251, false}};

const TableRow kUnfocusedRows[kColourTableRows] = {
    {165, 165, 165, false}, {246, 246, 246, false}, {242, 242, 242, false}, {241, 241, 241, false},
    {240, 240, 240, false}, {239, 239, 239, true},  {238, 238, 238, false}, {237, 237, 237, true},
    {236, 236, 236, false}, {234, 234, 234, false}, {233, 233, 233, true},  {232, 232, 232, false},
    {230, 230, 230, false}, {229, 229, 229, false}, {227, 227, 227, true},  {227, 227, 227, false},
    {225, 225, 225, false}, {225, 225, 225, true},  {224, 224, 224, true},  {234, 234, 234, false},
    {165, 165, 165, false}};

void AppendRows(CDravikList* table, const TableRow (&rows)[kColourTableRows])
{
    if (!table)
        return;
    for (const TableRow& row : rows)
    {
        CColourRecord* record = new (std::nothrow) CColourRecord{RGB(row.r, row.g, row.b), row.droppable};
        if (record && !table->AddTail(record))
            delete record;
    }
}

CColourRecord* RecordAt(CDravikList* table, int index)
{
    CDravikListElement* element = table->GetAt(index);
    return element ? static_cast<CColourRecord*>(element->GetData()) : nullptr;
}

int ChannelAt(int steps, int limit, int base, int i, double step)
{
    double delta = (steps - i) * step;
    // Keep the conversion to int defined; any such value is far past every channel limit.
    if (delta > 1e6)
        delta = 1e6;
    else if (delta < -1e6)
        delta = -1e6;
    const int d = static_cast<int>(delta);
    const int value = base + d;
    if ((d > 0 && value > limit) || (d < 0 && value < limit))
        return limit;
    return value;
}
} // namespace

BOOL ColourStep(int steps, COLORREF from, COLORREF to, double* dr, double* dg, double* db)
{
    if (steps < 1 || !dr || !dg || !db)
        return FALSE;
    *dr = (static_cast<double>(GetRValue(from)) - GetRValue(to)) / steps;
    *dg = (static_cast<double>(GetGValue(from)) - GetGValue(to)) / steps;
    *db = (static_cast<double>(GetBValue(from)) - GetBValue(to)) / steps;
    return TRUE;
}

COLORREF GradientColourAt(int steps, COLORREF limit, COLORREF base, int i, double dr, double dg, double db)
{
    const int r = ChannelAt(steps, GetRValue(limit), GetRValue(base), i, dr);
    const int g = ChannelAt(steps, GetGValue(limit), GetGValue(base), i, dg);
    const int b = ChannelAt(steps, GetBValue(limit), GetBValue(base), i, db);
    return RGB(r, g, b);
}

BOOL FillColourTables(CDravikList* focused, CDravikList* caret, CDravikList* unfocused)
{
    AppendRows(focused, kFocusedRows);
    AppendRows(caret, kCaretRows);
    AppendRows(unfocused, kUnfocusedRows);
    return focused && caret && unfocused && focused->GetCount() > 0 && caret->GetCount() > 0 &&
           unfocused->GetCount() > 0;
}

BOOL FreeColourTable(CDravikList* table)
{
    if (!table || table->GetCount() == 0)
        return FALSE;
    while (CColourRecord* record = static_cast<CColourRecord*>(table->RemoveHead()))
        delete record;
    return TRUE;
}

BOOL ExpandColourTable(COLORREF* out, CDravikList* table, int height)
{
    if (!out || !table || table->GetCount() < 1 || height < 1)
        return FALSE;
    const int count = table->GetCount();
    const int middle = count / 2;
    int toDrop = count > height ? count - height : 0;
    int written = 0;
    for (int i = 0; i < count && written < height; ++i)
    {
        const CColourRecord* record = RecordAt(table, i);
        if (!record)
            return FALSE;
        if (toDrop > 0 && record->droppable)
        {
            --toDrop;
            continue;
        }
        if (i == middle)
        {
            for (int extra = height - count; extra > 0 && written < height; --extra)
                out[written++] = record->colour;
        }
        if (written < height)
            out[written++] = record->colour;
    }
    return TRUE;
}

BOOL DrawGradientBar(HDC dc, int left, int top, int right, int bottom, CDravikList* table)
{
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (!dc || !table || table->GetCount() < 1 || width < 1 || height < 1 || height > kMaxGradientBarHeight ||
        width > 0x7FFFFFFF)
        return FALSE;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    COLORREF colours[kMaxGradientBarHeight] = {};
    if (!ExpandColourTable(colours, table, h))
        return FALSE;

    CBitmap bitmap;
    if (!bitmap.Attach(::CreateCompatibleBitmap(dc, w, h)))
        return FALSE;
    CDC memory;
    if (!memory.Attach(::CreateCompatibleDC(dc)))
        return FALSE;
    HGDIOBJ previous = memory.SelectObject(bitmap.GetSafeHandle());
    if (!previous)
        return FALSE;

    for (int y = 0; y < h; ++y)
        memory.FillSolidRect(0, y, w, 1, colours[y]);
    const COLORREF edge = colours[0];
    memory.FillSolidRect(0, 0, 1, h, edge);
    memory.FillSolidRect(w - 1, 0, 1, h, edge);
    memory.SetPixelV(1, 1, edge);
    memory.SetPixelV(w - 2, 1, edge);
    memory.SetPixelV(1, h - 2, edge);
    memory.SetPixelV(w - 2, h - 2, edge);
    const COLORREF white = RGB(255, 255, 255);
    memory.SetPixelV(0, 0, white);
    memory.SetPixelV(w - 1, 0, white);
    memory.SetPixelV(0, h - 1, white);
    memory.SetPixelV(w - 1, h - 1, white);

    const BOOL copied = ::BitBlt(dc, left, top, w, h, memory.GetSafeHdc(), 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    return copied;
}
