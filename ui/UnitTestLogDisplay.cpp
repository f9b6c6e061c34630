#include "ui/UnitTestLogDisplay.h"

#include "ui/controls/ImageListUtilities.h"
#include "ui/UiResourceIds.h"
#include "foundation/TimeUtilities.h"

#include <vector>

namespace
{
// The string-table formats the tree and its export use, loaded once by the constructor (so that the
// worker thread and the user-interface thread only read them).
const int kFormatIds[] = {IDS_TREE_TEST,         IDS_TREE_MESSAGE,      IDS_TREE_GROUP,
                          IDS_EXPORT_ERROR_LINE, IDS_EXPORT_PLAIN_LINE, IDS_EXPORT_WARNING_LINE,
                          IDS_TREE_ERROR,        IDS_TREE_ERROR_LINE,   IDS_TREE_WARNING_LINE};
const int kImageWidth = 16;
} // namespace

void CUnitTestLogDisplayEntry::GetImages(int* image, int* selectedImage)
{
    CUnitTestLogDisplay* display = static_cast<CUnitTestLogDisplay*>(m_pControl);
    if (!display || !image || !selectedImage)
        return;
    const bool error = display->IsErrorEntry(this);
    const bool warning = !error && display->IsWarningEntry(this);
    int chosen;
    if (m_nKind == KindTest || m_nKind == KindGroup)
    {
        if (error)
            chosen = CUnitTestLogDisplay::ImageTestFailed;
        else if (warning)
            chosen = CUnitTestLogDisplay::ImageTestWarned;
        else if (GetChildCount() == 0)
            chosen = CUnitTestLogDisplay::ImageTestEmpty;
        else
            chosen = CUnitTestLogDisplay::ImageTestClean;
    }
    else if (m_nKind == KindMessage)
    {
        chosen = error
                     ? CUnitTestLogDisplay::ImageError
                     : (warning ? CUnitTestLogDisplay::ImageWarning : CUnitTestLogDisplay::ImageInformation);
    }
    else
    {
        return;
    }
    *image = chosen;
    *selectedImage = chosen;
}

BEGIN_MESSAGE_MAP(CUnitTestLogDisplay, CBaseTreeControl)
ON_MESSAGE(CUnitTestLogDisplay::kFlushRedrawMessage, OnFlushRedrawRequest)
ON_MESSAGE(CUnitTestLogDisplay::kContinueRegroupMessage, OnContinueRegroup)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CUnitTestLogDisplay::CUnitTestLogDisplay()
    : m_pCurrentTest(nullptr), m_pCurrentGroup(nullptr), m_nGroupCount(0), m_nMessagesInGroup(0),
      m_nGroupSize(kDefaultGroupSize)
{
    static_assert(sizeof(kFormatIds) / sizeof(kFormatIds[0]) == kFormatCount, "one slot per format");
    for (int i = 0; i < kFormatCount; ++i)
    {
        m_formatIds[i] = kFormatIds[i];
        m_formats[i].LoadString(kFormatIds[i]);
    }
}

CUnitTestLogDisplay::~CUnitTestLogDisplay()
{
    // The entries go with the base; nothing may point at them afterwards.
    AbandonRegroup();
    m_pCurrentTest = nullptr;
    m_pCurrentGroup = nullptr;
    RemoveAllEntries();
}

void CUnitTestLogDisplay::DeferRedraw()
{
    HWND window = GetSafeHwnd();
    if (!window)
        return;
    if (m_redrawDeferred.load())
    {
        // A burst that keeps the thread from its timer still shows its progress, and the tree view's
        // catching up stays in small pieces (see IsCatchUpDue). After a flush, painting is held back
        // again before the entry goes in.
        CatchUp();
        if (m_redrawDeferred.load())
        {
            ++m_nNotLaidOut;
            return;
        }
    }
    m_redrawDeferred = true;
    m_deferredSince = GetTickCount();
    m_nNotLaidOut = 1;
    // What waits to be painted (a row scrolled into view since the last flush) is painted before painting
    // stops, so that the screen keeps whole rows until the flush.
    if (::GetUpdateRect(window, nullptr, FALSE))
        ::UpdateWindow(window);
    // Sent before the request is posted, so that the request is always answered after it.
    CWnd::SendMessage(WM_SETREDRAW, FALSE, 0);
    m_bPaintHeldBack = true;
    ::PostMessageA(window, kFlushRedrawMessage, 0, 0);
}

bool CUnitTestLogDisplay::IsCatchUpDue() const
{
    if (!m_redrawDeferred.load() || m_redrawHolds.load() > 0)
        return false;
    return m_nNotLaidOut >= kCatchUpEntries || IsFlushPeriodOver();
}

bool CUnitTestLogDisplay::IsFlushPeriodOver() const
{
    return GetTickCount() - m_deferredSince >= kFlushRedrawMilliseconds;
}

void CUnitTestLogDisplay::CatchUp()
{
    if (!IsCatchUpDue())
        return;
    if (IsFlushPeriodOver())
    {
        FlushRedraw();
        return;
    }
    LayOutUnseen(false);
}

void CUnitTestLogDisplay::LayOutUnseen(bool scrollToNewest)
{
    HWND window = GetSafeHwnd();
    if (!window)
        return;
    // Until the window is painted again, the screen keeps the rows it shows: the window's own redraw flag
    // (the system's handling of WM_SETREDRAW, which the tree view does not pass on) is cleared while the
    // tree view lays out the new entries and scrolls, so that the rows it moves on the screen and the rows
    // it erases there are not seen half done. Only for a shown window: setting the flag shows a hidden one.
    const bool shown = (GetStyle() & WS_VISIBLE) != 0;
    if (shown)
        ::DefWindowProcA(window, WM_SETREDRAW, FALSE, 0);
    CWnd::SendMessage(WM_SETREDRAW, TRUE, 0);
    if (scrollToNewest)
    {
        HTREEITEM newest = m_lastShownItem.load();
        if (newest)
            EnsureVisible(newest);
    }
    else
    {
        CWnd::SendMessage(WM_SETREDRAW, FALSE, 0);
    }
    if (shown)
        ::DefWindowProcA(window, WM_SETREDRAW, TRUE, 0);
    m_nNotLaidOut = 0;
}

bool CUnitTestLogDisplay::IsPaintWaiting() const
{
    HWND window = GetSafeHwnd();
    return window && ::GetUpdateRect(window, nullptr, FALSE);
}

LRESULT CUnitTestLogDisplay::OnFlushRedrawRequest(WPARAM, LPARAM)
{
    if (!SetTimer(kFlushRedrawTimer, kFlushRedrawMilliseconds, nullptr))
        FlushRedraw();
    return 0;
}

void CUnitTestLogDisplay::OnTimer(UINT_PTR id)
{
    if (id == kContinueRegroupTimer)
    {
        KillTimer(kContinueRegroupTimer);
        RegroupSlice();
        return;
    }
    if (id != kFlushRedrawTimer)
    {
        Default();
        return;
    }
    if (m_redrawHolds.load() > 0)
        return; // the timer keeps running until the change is done
    KillTimer(kFlushRedrawTimer);
    // Nothing to do when the tree caught up by itself meanwhile.
    if (m_redrawDeferred.load())
        FlushRedraw();
}

void CUnitTestLogDisplay::FlushRedraw()
{
    // Cleared first: an entry added from now on defers again and asks for another flush.
    m_redrawDeferred = false;
    HWND window = GetSafeHwnd();
    if (!window)
        return;
    m_bPaintHeldBack = false;
    LayOutUnseen(true);
    // Painted in its turn, the frame with the scroll bar too. An entry that arrives before that paints
    // what waits before it holds painting back again (DeferRedraw), so the screen never keeps erased rows.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CUnitTestLogDisplay::OnPaint()
{
    if (!m_bPaintHeldBack)
    {
        Default();
        return;
    }
    // A paint while redrawing is held back (the window was uncovered, an item changed): the flush that is
    // on its way paints everything, so the area is only marked as done.
    ValidateRect(nullptr);
}

BOOL CUnitTestLogDisplay::OnEraseBkgnd(CDC* dc)
{
    if (m_bPaintHeldBack)
        return TRUE;
    return CBaseTreeControl::OnEraseBkgnd(dc);
}

const CDravikString& CUnitTestLogDisplay::Format(int id)
{
    for (int i = 0; i < kFormatCount; ++i)
        if (m_formatIds[i] == id)
            return m_formats[i];
    static const CDravikString empty;
    return empty;
}

BOOL CUnitTestLogDisplay::SetupImageList()
{
    CImageList* list = GetImageListObject();
    if (!list)
        return FALSE;
    if (!LoadImageListFromBitmap(IDB_RESULTS_TREE, list, kImageWidth))
        return FALSE;
    if (GetSafeHwnd())
        CWnd::SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list->GetSafeHandle()));
    return TRUE;
}

CBaseTreeControlEntry* CUnitTestLogDisplay::CreateEntry()
{
    CUnitTestLogDisplayEntry* entry = new CUnitTestLogDisplayEntry;
    entry->SetControl(this);
    return entry;
}

// ---------------------------------------------------------------------------------------------
// Sets

bool CUnitTestLogDisplay::SetContains(const CDravikMap& set, const CBaseTreeControlEntry* entry)
{
    if (!entry || !entry->GetItem())
        return false;
    return set.LookupHashed(ItemKeyLow(entry->GetItem()), ItemKeyHigh(entry->GetItem())) != nullptr;
}

bool CUnitTestLogDisplay::AddToSet(CDravikMap& set, CBaseTreeControlEntry* entry)
{
    if (!entry || !entry->GetItem())
        return false;
    if (SetContains(set, entry))
        return true;
    KeepChainsShort(set);
    return set.AddHashed(ItemKeyLow(entry->GetItem()), ItemKeyHigh(entry->GetItem()), entry);
}

bool CUnitTestLogDisplay::RemoveFromSet(CDravikMap& set, CBaseTreeControlEntry* entry)
{
    if (!entry || !entry->GetItem())
        return false;
    return set.RemoveHashed(ItemKeyLow(entry->GetItem()), ItemKeyHigh(entry->GetItem()));
}

bool CUnitTestLogDisplay::IsErrorEntry(const CBaseTreeControlEntry* entry) const
{
    return SetContains(m_errorMessages, entry) || SetContains(m_failedTests, entry);
}

bool CUnitTestLogDisplay::IsWarningEntry(const CBaseTreeControlEntry* entry) const
{
    return SetContains(m_warningMessages, entry) || SetContains(m_warnedTests, entry);
}

bool CUnitTestLogDisplay::MarkTestFailed()
{
    return m_pCurrentTest && AddToSet(m_failedTests, m_pCurrentTest);
}

bool CUnitTestLogDisplay::MarkTestWarned()
{
    return m_pCurrentTest && AddToSet(m_warnedTests, m_pCurrentTest);
}

bool CUnitTestLogDisplay::UnmarkTestWarned()
{
    if (!m_pCurrentTest)
        return false;
    RemoveFromSet(m_warnedTests, m_pCurrentTest);
    return true;
}

bool CUnitTestLogDisplay::MarkMessage(CDravikMap& set, CUnitTestLogDisplayEntry* entry)
{
    if (!AddToSet(set, entry))
        return false;
    entry->UpdateItem(false);
    return true;
}

bool CUnitTestLogDisplay::MarkErrorMessage(CUnitTestLogDisplayEntry* entry)
{
    return MarkMessage(m_errorMessages, entry);
}

bool CUnitTestLogDisplay::MarkWarningMessage(CUnitTestLogDisplayEntry* entry)
{
    return MarkMessage(m_warningMessages, entry);
}

bool CUnitTestLogDisplay::MarkInfoMessage(CUnitTestLogDisplayEntry* entry)
{
    return MarkMessage(m_infoMessages, entry);
}

bool CUnitTestLogDisplay::MoveMapMembership(CDravikMap* set, CBaseTreeControlEntry* oldEntry,
                                            CBaseTreeControlEntry* newEntry)
{
    if (!set || !SetContains(*set, oldEntry))
        return false;
    RemoveFromSet(*set, oldEntry);
    return AddToSet(*set, newEntry);
}

// ---------------------------------------------------------------------------------------------
// Entries

CUnitTestLogDisplayEntry* CUnitTestLogDisplay::InsertLogEntry(CDravikString text, int kind,
                                                              CUnitTestLogDisplayEntry* parent)
{
    if (text.IsEmpty())
        return nullptr;
    CUnitTestLogDisplayEntry* entry = static_cast<CUnitTestLogDisplayEntry*>(CreateEntry());
    if (!entry)
        return nullptr;
    entry->SetKind(kind);
    HTREEITEM item = InsertEntry(entry, parent ? parent->GetItem() : nullptr, text, 0);
    if (!item || (parent && entry->GetParent() != parent))
    {
        if (item)
            entry->RemoveFromTree();
        delete entry;
        return nullptr;
    }
    if (parent)
    {
        parent->UpdateChildIndicator();
        parent->UpdateItem(false);
    }
    return entry;
}

bool CUnitTestLogDisplay::AddTest(CDravikString name, long number)
{
    if (name.IsEmpty())
        return false;
    CDravikString text;
    if (!text.FormatFromString(&Format(IDS_TREE_TEST), number, name.GetAnsi()))
        return false;
    DeferRedraw();
    CUnitTestLogDisplayEntry* entry = InsertLogEntry(text, CUnitTestLogDisplayEntry::KindTest, nullptr);
    if (!entry)
        return false;
    m_lastShownItem = entry->GetItem();
    m_pCurrentTest = entry;
    m_pCurrentGroup = nullptr;
    m_nGroupCount = 0;
    m_nMessagesInGroup = 0;
    return true;
}

bool CUnitTestLogDisplay::CollapseCurrentTest()
{
    if (!m_pCurrentTest)
        return false;
    if (m_pCurrentTest == m_pRegroupTest)
        m_bRegroupTestFolded = true;
    // The next flush scrolls to the folded test, not to its last message (which would open it again).
    m_lastShownItem = m_pCurrentTest->GetItem();
    return m_pCurrentTest->Collapse() != FALSE;
}

bool CUnitTestLogDisplay::IsCurrentTestClean() const
{
    return m_pCurrentTest && !IsErrorEntry(m_pCurrentTest) && !IsWarningEntry(m_pCurrentTest);
}

bool CUnitTestLogDisplay::EndTest()
{
    if (m_pCurrentGroup)
    {
        UpdateGroupCaption();
        m_pCurrentGroup->UpdateItem(false);
        m_pCurrentGroup = nullptr;
    }
    m_nMessagesInGroup = 0;
    if (!m_pCurrentTest)
        return false;
    m_pCurrentTest->UpdateItem(false);
    m_pCurrentTest = nullptr;
    m_nGroupCount = 0;
    return true;
}

CDravikString CUnitTestLogDisplay::FormatGroupCaption(long group, long first, long last)
{
    CDravikString caption;
    caption.FormatFromString(&Format(IDS_TREE_GROUP), group, first, last);
    return caption;
}

CUnitTestLogDisplayEntry* CUnitTestLogDisplay::AddMessage(CDravikString text, const char* stamp)
{
    if (text.IsEmpty())
        return nullptr;
    CDravikString line;
    char now[32];
    if (!stamp)
    {
        FormatCurrentTimestamp(now, sizeof(now));
        stamp = now;
    }
    // Bounded: a longer line is cut at the format buffer's last character.
    if (!line.FormatFromString(&Format(IDS_TREE_MESSAGE), stamp, text.GetAnsi()))
        return nullptr;
    DeferRedraw();
    if (m_nMessagesInGroup >= m_nGroupSize)
    {
        if (m_nGroupCount != 0)
            StartNewGroup();
        else
            RegroupCurrentTest();
    }
    CUnitTestLogDisplayEntry* parent = m_pCurrentGroup ? m_pCurrentGroup : m_pCurrentTest;
    CUnitTestLogDisplayEntry* entry = InsertLogEntry(line, CUnitTestLogDisplayEntry::KindMessage, parent);
    // A test whose messages are being regrouped stays folded until they have moved.
    if (m_pCurrentTest && m_pCurrentTest != m_pRegroupTest)
        m_pCurrentTest->ExpandOwnItem(true);
    if (m_pCurrentGroup)
        m_pCurrentGroup->ExpandOwnItem(true);
    if (m_pRegroupGroup)
        ContinueRegroup(kRegroupStepsPerMessage);
    if (entry)
    {
        ++m_nMessagesInGroup;
        // While painting is held back, the flush scrolls the newest entry into view.
        if (!m_redrawDeferred.load())
            EnsureVisible(entry->GetItem());
        m_lastShownItem = entry->GetItem();
    }
    return entry;
}

bool CUnitTestLogDisplay::AddError(CDravikString text, const char* stamp)
{
    CUnitTestLogDisplayEntry* entry = AddMessage(text, stamp);
    if (!entry || !MarkErrorMessage(entry))
        return false;
    if (m_pCurrentTest && !IsErrorEntry(m_pCurrentTest))
    {
        UnmarkTestWarned();
        MarkTestFailed();
        m_pCurrentTest->UpdateItem(false);
    }
    return true;
}

bool CUnitTestLogDisplay::AddWarning(CDravikString text, const char* stamp)
{
    CUnitTestLogDisplayEntry* entry = AddMessage(text, stamp);
    if (!entry || !MarkWarningMessage(entry))
        return false;
    if (m_pCurrentTest && !IsErrorEntry(m_pCurrentTest) && !IsWarningEntry(m_pCurrentTest))
    {
        MarkTestWarned();
        m_pCurrentTest->UpdateItem(false);
    }
    return true;
}

bool CUnitTestLogDisplay::AddInformation(CDravikString text, const char* stamp)
{
    CUnitTestLogDisplayEntry* entry = AddMessage(text, stamp);
    if (!entry)
        return false;
    return MarkInfoMessage(entry);
}

bool CUnitTestLogDisplay::StartNewGroup()
{
    if (!m_pCurrentTest)
    {
        m_nMessagesInGroup = 0;
        return false;
    }
    const long old = m_nGroupCount;
    if (m_pCurrentGroup)
    {
        UpdateGroupCaption();
        m_pCurrentGroup->Collapse();
    }
    ++m_nGroupCount;
    const long first = old * m_nGroupSize + 1;
    CUnitTestLogDisplayEntry* group = InsertLogEntry(FormatGroupCaption(m_nGroupCount, first, first),
                                                     CUnitTestLogDisplayEntry::KindGroup, m_pCurrentTest);
    m_nMessagesInGroup = 0;
    if (!group)
        return false;
    m_pCurrentGroup = group;
    return true;
}

void CUnitTestLogDisplay::UpdateGroupCaption()
{
    if (!m_pCurrentGroup || !m_pCurrentGroup->GetItem())
        return;
    long first = (m_nGroupCount - 1) * static_cast<long>(m_nGroupSize);
    if (first < 0)
        first = 0;
    const long count = m_nMessagesInGroup;
    const long last = first + count > 0 ? first + count : m_nGroupSize;
    CDravikString caption = FormatGroupCaption(m_nGroupCount, first + 1, last);
    // Only the shown label changes; the entry keeps the text it was made with.
    CTreeCtrl::SetItemText(m_pCurrentGroup->GetItem(), caption.GetAnsi());
}

bool CUnitTestLogDisplay::RegroupCurrentTest()
{
    if (!m_pCurrentTest)
        return false;
    FinishRegroup();
    StartNewGroup();
    if (!m_pCurrentGroup)
        return false;
    CUnitTestLogDisplayEntry* group = m_pCurrentGroup;
    ++m_redrawHolds;
    SetRedraw(false);
    // Folded while its items move, so that the tree view does not re-number its shown rows for each one.
    m_pCurrentTest->ExpandOwnItem(false);

    // What each message says and which set it is in; its set counts it as moving until its copy is made.
    CDravikList* list = m_pCurrentTest->GetChildren();
    m_regroupOld.reserve(static_cast<size_t>(list->GetCount()));
    for (CDravikListElement* e = list->GetFirst(); e; e = e->GetNext())
        if (e->GetData() != group)
            m_regroupOld.push_back(static_cast<CUnitTestLogDisplayEntry*>(e->GetData()));
    m_regroupMessages.reserve(m_regroupOld.size());
    CDravikMap* sets[3] = {&m_errorMessages, &m_warningMessages, &m_infoMessages};
    for (CUnitTestLogDisplayEntry* child : m_regroupOld)
    {
        int set = -1;
        for (int i = 0; i < 3; ++i)
            if (RemoveFromSet(*sets[i], child))
                set = i;
        if (set >= 0)
            ++m_regroupMoving[set];
        m_regroupMessages.push_back(RegroupMessage{child->GetText(), set});
    }
    m_pRegroupGroup = group;
    m_pRegroupTest = m_pCurrentTest;
    m_bRegroupTestFolded = false;
    m_lastShownItem = nullptr;
    // The next group comes before the copies: the messages that go into it name it as their parent, and a
    // tree view that keeps its items in one array (in the order they were made) looks for a parent from the
    // front of that array. For the same reason the old items go before the copies are made, oldest first.
    StartNewGroup();
    const bool moving = !m_regroupOld.empty();
    if (!m_bRegroupInSteps || m_regroupOld.size() < kRegroupStepThreshold || !GetSafeHwnd() ||
        !::PostMessageA(GetSafeHwnd(), kContinueRegroupMessage, 0, 0))
        FinishRegroup();
    return moving;
}

void CUnitTestLogDisplay::ContinueRegroup(size_t steps)
{
    CDravikMap* sets[3] = {&m_errorMessages, &m_warningMessages, &m_infoMessages};
    for (; m_pRegroupGroup && steps > 0; --steps)
    {
        if (m_nRegroupDeleted < m_regroupOld.size())
        {
            DeleteEntry(m_regroupOld[m_nRegroupDeleted++]);
            continue;
        }
        if (m_nRegroupCopied >= m_regroupMessages.size())
            break;
        RegroupMessage& message = m_regroupMessages[m_nRegroupCopied++];
        CUnitTestLogDisplayEntry* copy =
            InsertLogEntry(message.text, CUnitTestLogDisplayEntry::KindMessage, m_pRegroupGroup);
        if (message.set < 0)
            continue;
        --m_regroupMoving[message.set];
        if (!copy)
            continue;
        AddToSet(*sets[message.set], copy);
        // The copy was inserted with an information picture; it shows its own kind from now on.
        copy->UpdateItem(false);
    }
    if (m_pRegroupGroup && m_nRegroupDeleted >= m_regroupOld.size() &&
        m_nRegroupCopied >= m_regroupMessages.size())
        EndRegroup();
}

LRESULT CUnitTestLogDisplay::OnContinueRegroup(WPARAM, LPARAM)
{
    RegroupSlice();
    return 0;
}

void CUnitTestLogDisplay::RegroupSlice()
{
    const DWORD start = GetTickCount();
    while (m_pRegroupGroup && GetTickCount() - start < kRegroupSliceMilliseconds)
        ContinueRegroup(64);
    if (!m_pRegroupGroup || !GetSafeHwnd())
        return;
    // More is left: after the thread's input and painting, or at once when nothing else waits.
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0 ||
        !::PostMessageA(GetSafeHwnd(), kContinueRegroupMessage, 0, 0))
        SetTimer(kContinueRegroupTimer, USER_TIMER_MINIMUM, nullptr);
}

void CUnitTestLogDisplay::FinishRegroup()
{
    if (!m_pRegroupGroup)
        return;
    HCURSOR previousCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ContinueRegroup(static_cast<size_t>(-1));
    SetCursor(previousCursor);
}

void CUnitTestLogDisplay::EndRegroup()
{
    // A test that goes on, or ended with errors or warnings, shows its messages again.
    CUnitTestLogDisplayEntry* test = m_pRegroupTest;
    const bool folded = m_bRegroupTestFolded;
    AbandonRegroup();
    if (test && !folded)
        test->ExpandOwnItem(true);
    // Redrawing stays off until the next flush, which is asked for here.
    SetRedrawEnabledFlag(true);
    m_redrawDeferred = false;
    DeferRedraw();
}

void CUnitTestLogDisplay::AbandonRegroup()
{
    if (!m_pRegroupGroup)
        return;
    m_pRegroupGroup = nullptr;
    m_pRegroupTest = nullptr;
    m_bRegroupTestFolded = false;
    if (GetSafeHwnd())
        KillTimer(kContinueRegroupTimer);
    m_regroupOld.clear();
    m_regroupOld.shrink_to_fit();
    m_regroupMessages.clear();
    m_regroupMessages.shrink_to_fit();
    m_nRegroupDeleted = 0;
    m_nRegroupCopied = 0;
    m_regroupMoving[0] = m_regroupMoving[1] = m_regroupMoving[2] = 0;
    --m_redrawHolds;
}

bool CUnitTestLogDisplay::ClearResults()
{
    AbandonRegroup();
    // The current test and group are among the entries about to be deleted.
    m_pCurrentTest = nullptr;
    m_pCurrentGroup = nullptr;
    m_nGroupCount = 0;
    m_nMessagesInGroup = 0;
    m_lastShownItem = nullptr;
    Reset();
    // Reset switched redrawing back on.
    m_redrawDeferred = false;
    m_bPaintHeldBack = false;
    m_nNotLaidOut = 0;
    m_failedTests.RemoveAll();
    m_warnedTests.RemoveAll();
    m_errorMessages.RemoveAll();
    m_warningMessages.RemoveAll();
    m_infoMessages.RemoveAll();
    return true;
}

long CUnitTestLogDisplay::CountTests()
{
    if (!GetSafeHwnd())
        return 0;
    // The root also holds the messages logged outside any test (run setup and teardown, "Processing
    // Cancelled"): only test entries count.
    long count = 0;
    for (HTREEITEM item = GetNextItem(nullptr, TVGN_ROOT); item; item = GetNextItem(item, TVGN_NEXT))
    {
        const auto* entry = static_cast<const CUnitTestLogDisplayEntry*>(LookupItem(item));
        if (entry && entry->GetKind() == CUnitTestLogDisplayEntry::KindTest)
            ++count;
    }
    return count;
}

bool CUnitTestLogDisplay::SetGroupSize(int size)
{
    if (size < 1)
        return false;
    m_nGroupSize = size;
    return true;
}
