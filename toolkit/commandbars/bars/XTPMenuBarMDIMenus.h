// CXTPMenuBarMDIMenus and CXTPMenuBarMDIMenuInfo: the menu bar's store of per-document menus. An
// MDI frame shows another menu for each kind of document; the menu bar keeps each one's controls
// (with their customisation) under the menu's resource id while another menu is shown.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/FrameworkString.h"
#include "framework/Map.h"

class CXTPCommandBars;
class CXTPControls;

// One stored document menu: its controls, the document strings of the template with the same
// resource id, the icon of that id and whether it changed.
class CXTPMenuBarMDIMenuInfo : public CCmdTarget
{
public:
    // Makes an empty controls collection for the manager and fills the texts and icon of nId.
    CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDResource);
    ~CXTPMenuBarMDIMenuInfo() override;
    CXTPMenuBarMDIMenuInfo(const CXTPMenuBarMDIMenuInfo&) = delete;
    CXTPMenuBarMDIMenuInfo& operator=(const CXTPMenuBarMDIMenuInfo&) = delete;

    // Takes a reference on pControls and drops the one it held.
    void SetControls(CXTPControls* pControls);

    CXTPControls* m_pControls = nullptr;
    CString m_strTitle;       // the template's document string 1 (the document's name)
    CString m_strDescription; // the template's document string 6 (the file type's readable name)
    HICON m_hIcon = nullptr;  // the icon resource of the same id (shared; not destroyed)
    UINT m_nIDResource;
    BOOL m_bChanged = FALSE;
};

// Menu resource id -> stored menu; holds one reference on each info.
class CXTPMenuBarMDIMenus : public CCmdTarget
{
public:
    explicit CXTPMenuBarMDIMenus(CXTPCommandBars* pCommandBars = nullptr);
    ~CXTPMenuBarMDIMenus() override;
    CXTPMenuBarMDIMenus(const CXTPMenuBarMDIMenus&) = delete;
    CXTPMenuBarMDIMenus& operator=(const CXTPMenuBarMDIMenus&) = delete;

    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    int GetCount() const { return static_cast<int>(m_mapMenus.GetCount()); }
    CXTPMenuBarMDIMenuInfo* Lookup(UINT nIDMenu) const;
    // Stores pInfo under nIDMenu with a reference of its own (an entry there before is released).
    void SetAt(UINT nIDMenu, CXTPMenuBarMDIMenuInfo* pInfo);
    // Drops the entry (and its reference); FALSE when there was none.
    BOOL Remove(UINT nIDMenu);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_mapMenus.GetStartPosition(); }
    void GetNextMenu(POSITION& rPos, UINT& nIDMenu, CXTPMenuBarMDIMenuInfo*& pInfo) const
    {
        m_mapMenus.GetNextAssoc(rPos, nIDMenu, pInfo);
    }

private:
    CMap<UINT, UINT, CXTPMenuBarMDIMenuInfo*, CXTPMenuBarMDIMenuInfo*> m_mapMenus;
    CXTPCommandBars* m_pCommandBars;
};
