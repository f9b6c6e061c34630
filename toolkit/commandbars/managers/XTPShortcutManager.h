// CXTPShortcutManager: the keyboard shortcuts of one command-bars manager. The manager makes it with
// itself; the active table starts empty, and an empty table translates nothing.
//
// A shortcut is one 12-byte record (XTP_SHORTCUTMANAGER_ACCEL): a command id and up to two keys, the
// second one making a chord ("Ctrl+K, Ctrl+C"). Translation turns a matching key message into
// WM_COMMAND to the site; a chord's first key waits for the second with the site holding the capture.
// The texts of shortcuts come from a 108-entry key-name table (or the keyboard layout when asked),
// and the same texts parse back into records. The active table is saved and loaded through the
// application's profile (only when the owner gave a default table) or through property exchange.
// Bodies: table and translation here, names and texts in XTPShortcutManagerKeys.cpp, persistence in
// XTPShortcutManagerPersist.cpp.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/FrameworkString.h"
#include "framework/Map.h"

#include <windows.h>

class CXTPCommandBars;
class CXTPPropExchange;
class CXTPShortcutManager;

// One shortcut as it is stored, little-endian, 12 bytes on every architecture.
struct XTP_SHORTCUTMANAGER_ACCEL
{
    struct KEY
    {
        BYTE fVirt;     // FVIRTKEY 1, FNOINVERT 2, FSHIFT 4, FCONTROL 8, FALT 16, 32 the Windows key
        BYTE reserved;  // 0
        WORD key;       // virtual key, or a character when FVIRTKEY is clear; 0: no key
    };
    int cmd;
    KEY key[2]; // key[1].key == 0: no chord
};
static_assert(sizeof(XTP_SHORTCUTMANAGER_ACCEL) == 12, "the stored shortcut record is 12 bytes");
static_assert(sizeof(ACCEL) == 6, "the system accelerator entry is 6 bytes");

// The Windows-key modifier of a shortcut key (the other bits are the system's FVIRTKEY ... FALT).
#define XTP_ACCEL_FWINKEY 0x20

// One shortcut of a table, with the manager that owns it.
class CXTPShortcutManagerAccel : public CCmdTarget, public XTP_SHORTCUTMANAGER_ACCEL
{
public:
    // From a system entry (flags, key, 16-bit command; no second key).
    CXTPShortcutManagerAccel(CXTPShortcutManager* pManager, const ACCEL& accel);
    // From a stored record.
    CXTPShortcutManagerAccel(CXTPShortcutManager* pManager, const XTP_SHORTCUTMANAGER_ACCEL& record);

    const XTP_SHORTCUTMANAGER_ACCEL& Record() const { return *this; }
    CXTPShortcutManager* GetManager() const { return m_pManager; }

protected:
    CXTPShortcutManager* m_pManager;
};

// A table of shortcuts; each entry holds one reference that the table releases.
class CXTPShortcutManagerAccelTable
{
public:
    CXTPShortcutManagerAccelTable() = default;
    ~CXTPShortcutManagerAccelTable() { RemoveAll(); }
    CXTPShortcutManagerAccelTable(const CXTPShortcutManagerAccelTable&) = delete;
    CXTPShortcutManagerAccelTable& operator=(const CXTPShortcutManagerAccelTable&) = delete;

    int GetCount() const { return static_cast<int>(m_entries.GetSize()); }
    CXTPShortcutManagerAccel* GetAt(int nIndex) const { return m_entries.GetAt(nIndex); }
    // Takes over the caller's reference.
    void Add(CXTPShortcutManagerAccel* pAccel) { m_entries.Add(pAccel); }
    void RemoveAll();
    // Makes this table a copy of another (new entries owned by pManager).
    void CopyFrom(const CXTPShortcutManagerAccelTable& other, CXTPShortcutManager* pManager);

private:
    CArray<CXTPShortcutManagerAccel*, CXTPShortcutManagerAccel*> m_entries;
};

class CXTPShortcutManager : public CCmdTarget
{
public:
    // Formats one record's keys for display or storage.
    class CKeyHelper
    {
    public:
        CKeyHelper(const XTP_SHORTCUTMANAGER_ACCEL& record, const CXTPShortcutManager* pManager)
            : m_record(record), m_pManager(pManager)
        {
        }
        // Key names from the manager (its system-name setting included); when clear, from the table
        // alone, a code without a table name written "0x%x" (the stored text form).
        void UseManagerKeyNames(BOOL bUse) { m_bManagerNames = bUse; }
        // One key: modifiers ("Ctrl+", "Shift+", "Alt+", "Win+"), then the key's name.
        CString FormatKey(int nKey) const;
        // The first key, and ", " with the second when there is one.
        CString Format() const;
        // 3 when the first key has Ctrl, else 2 with Alt, else 1 with Shift, else 4.
        int GetPriority() const;

    private:
        CString KeyName(WORD nCode) const;

        XTP_SHORTCUTMANAGER_ACCEL m_record;
        const CXTPShortcutManager* m_pManager;
        BOOL m_bManagerNames = TRUE;
    };

    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    ~CXTPShortcutManager() override;
    CXTPShortcutManager(const CXTPShortcutManager&) = delete;
    CXTPShortcutManager& operator=(const CXTPShortcutManager&) = delete;

    // TRUE when the key message (WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR) matched a shortcut:
    // the site then gets the command (or, while it cannot take one, nothing). A chord's first key
    // waits here for the second.
    virtual BOOL TranslateAccelerator(MSG* pMsg);
    // Number of shortcuts in the active table.
    virtual int GetAccelCount() const { return m_accels.GetCount(); }

    // The shortcut text of a command. strText comes in as the text the caller has: when one of the
    // command's shortcuts formats to it, it stays; otherwise it becomes the text of the shortcut with
    // the highest priority (the earlier on a tie), or empty without any. Looks in the active table, or,
    // when that is empty and there is no default table, in the site frame's accelerator table. TRUE
    // when the command has a shortcut.
    virtual BOOL FindDefaultAccelerator(int nCmd, CString& strText);
    // The text of a shortcut and its priority (see CKeyHelper::GetPriority).
    virtual CString Format(const XTP_SHORTCUTMANAGER_ACCEL& record, int* pPriority);
    // The name of a key: with system names on, the keyboard layout's first, then the table's; with
    // them off, the table's, then the layout's.
    virtual CString GetKeyName(WORD nCode) const;
    // FALSE only for plain Escape while Escape shortcuts are not allowed.
    virtual BOOL IsShortcutAllowed(const XTP_SHORTCUTMANAGER_ACCEL& record) const;
    // Loading empties the active table; see XTPShortcutManagerPersist.cpp for the stored forms.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual CXTPShortcutManagerAccelTable* GetAccelerators() { return &m_accels; }
    // With a default table: the active table becomes a copy of it.
    virtual void Reset();

    // Replace the active table.
    void SetAccelerators(const ACCEL* pAccels, int nCount);
    void SetAccelerators(const XTP_SHORTCUTMANAGER_ACCEL* pRecords, int nCount);
    // The owner's default table: a copy of the active table as it is now. Saving and loading through
    // the profile happen only with one.
    void SetDefaultAccelerators();
    CXTPShortcutManagerAccelTable* GetDefaultAccelerators() const { return m_pDefaultAccels; }

    // Parses "Ctrl+Shift+S" or "Ctrl+K, Ctrl+C" (names of the table, case-insensitive, or "0x.."
    // codes); FALSE when a part names no key.
    BOOL ParseShortcut(CString strText, XTP_SHORTCUTMANAGER_ACCEL& record) const;

    // The application-profile form under a section (binary "Accelerators", "AcceleratorsVersion" 1);
    // nothing without a default table or an application object. Loading leaves the table unchanged
    // when nothing can be read.
    void SaveShortcuts(LPCSTR lpszSection);
    void LoadShortcuts(LPCSTR lpszSection);

    // Translation is off while the disable count is 1 or more.
    void DisableShortcuts(BOOL bDisable);
    int GetDisableCount() const { return m_nDisableShortcuts; }

    void AllowEscapeShortcut(BOOL bAllow) { m_bAllowEscapeShortcut = bAllow; }
    void UseSystemKeyNameText(BOOL bUse) { m_bUseSystemKeyNameText = bUse; }
    BOOL IsSystemKeyNameText() const { return m_bUseSystemKeyNameText; }
    // A matched shortcut does nothing while some window has the mouse capture (on by default).
    void SetIgnoreWhileCaptured(BOOL bIgnore) { m_bIgnoreWhileCaptured = bIgnore; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // The layout's name of a key ("Ctrl", "Page up"); empty for code 3.
    static CString GetLayoutKeyName(WORD nCode);
    // The current modifiers as accelerator flags (FCONTROL, FSHIFT, FALT). With right Alt and left
    // Ctrl down (AltGr), Ctrl is read from the right Ctrl key and Alt from the left Alt key.
    static BYTE GetCurrentModifiers();
    // Whether a record key matches a key message under the given modifiers.
    static BOOL KeyMatches(const XTP_SHORTCUTMANAGER_ACCEL::KEY& key, const MSG& msg, BYTE fModifiers);

    // Stored counts above this load nothing.
    static const DWORD kMaxStoredCount = 65535;

protected:
    // The chord's second key: TRUE with the command of the record that matched it.
    BOOL WaitForSecondKey(HWND hWndSite, const XTP_SHORTCUTMANAGER_ACCEL::KEY& first, int& nCmd);
    void AddRecord(const XTP_SHORTCUTMANAGER_ACCEL& record);
    void ExchangeRecords(CXTPPropExchange* pPX);
    void ExchangeSystemAccels(CXTPPropExchange* pPX);

    BOOL m_bAllowEscapeShortcut = FALSE;
    BOOL m_bUseSystemKeyNameText = FALSE;
    BOOL m_bFlag = TRUE;
    int m_nDisableShortcuts = 0;
    BOOL m_bIgnoreWhileCaptured = TRUE;
    CXTPShortcutManagerAccelTable m_accels;
    CXTPShortcutManagerAccelTable* m_pDefaultAccels = nullptr;
    CXTPCommandBars* m_pCommandBars;
    CMap<WORD, WORD, CString, LPCSTR>* m_pKeyNameMap = nullptr;
};
