// CXTPResourceManager: where the toolkit loads its strings, menus, bitmaps, cursors, icons, dialog
// templates and HTML resources, and the language of the program's resources, which gives the code
// page for resource text, the font character set and the reading order of message boxes.
#pragma once

#include "framework/FrameworkString.h"
#include "framework/Geometry.h"

#include <windows.h>

class CMenu;
class CBitmap;
class CToolBar;

// One row of the language table.
struct XTP_RESOURCEMANAGER_LANGINFO
{
    WORD wLanguage;
    UINT nCodePage;
    LPCSTR lpszEncoding;
    LPCSTR lpszCaption;
    LPCSTR lpszLang;
    LPCSTR lpszSubLang;
    BYTE nFontCharSet;
};

class CXTPResourceManager
{
public:
    typedef int (*PFNMESSAGEBOX)(LPCSTR lpszText, UINT nType);

    CXTPResourceManager();
    virtual ~CXTPResourceManager();
    CXTPResourceManager(const CXTPResourceManager&) = delete;
    CXTPResourceManager& operator=(const CXTPResourceManager&) = delete;

    // A string-table entry; *pbError (when given) is set when it was not found.
    virtual CString LoadString(UINT nIDResource, BOOL* pbError = nullptr);
    virtual BOOL LoadString(CString* pString, UINT nIDResource);
    virtual BOOL LoadMenu(CMenu* lpMenu, UINT nIDResource);
    // Toolbars load themselves; the manager has no toolbar loader of its own.
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    virtual HCURSOR LoadCursor(UINT nIDResource);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDResource);
    virtual HGLOBAL FindDialogTemplate(UINT nIDResource);
    // The RT_HTML resource as 8-bit text; FALSE (string unchanged) when missing or empty.
    virtual BOOL LoadHtml(CString& strHtml, UINT nIDResource);
    virtual HICON LoadIconById(int nIDResource, CSize iconSize);
    virtual HICON LoadIconByName(LPCSTR lpszResourceName, CSize iconSize);
    virtual HICON CreateIconFromResource(HMODULE hModule, LPCSTR lpszResourceName, CSize iconSize);
    virtual void FreeResourceModule();
    virtual WORD GetLanguageId() const;
    // Sets the language from the resources of the resource module; returns the id found (0: none).
    virtual WORD DetectResourceLanguage();

    // The first language other than English (United States) among a module's resources; 1033 when
    // all are English, 0 when it has none.
    static WORD DetectModuleLanguage(HMODULE hModule);
    // The record of that language, else English (United States).
    void SetResourceLanguage(WORD wLanguage);
    const XTP_RESOURCEMANAGER_LANGINFO* GetLanguageInfo() const { return m_pLanguageInfo; }
    static const XTP_RESOURCEMANAGER_LANGINFO* GetLanguageTable(int* pnCount);
    static const XTP_RESOURCEMANAGER_LANGINFO* FindLanguageInfo(WORD wLanguage);

    // The language's character set when enabled, else the icon-title font's.
    BYTE GetFontCharset() const;
    void EnableLanguageCharset(BOOL bEnable) { m_bUseLanguageCharset = bEnable; }
    // The code page for resource text (the ANSI code page for code page 0).
    UINT GetCodePage() const;

    // A menu item's text in the language's code page; its length, 0 without a menu.
    int GetMenuString(CMenu* pMenu, UINT nIDItem, CString& rString, UINT nFlags);
    // AfxMessageBox, right-to-left for Hebrew and Arabic.
    int ShowMessageBox(LPCSTR lpszText, UINT nType = MB_OK);
    int ShowMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
    // Replaces the message-box call (null: AfxMessageBox).
    static void SetMessageBoxFunction(PFNMESSAGEBOX pfn);

    BOOL IsValid() const { return m_bValid; }
    // A library the manager loads resources from and frees (FreeResourceModule).
    void SetResourceModule(HMODULE hModule) { FreeResourceModule(), m_hResourceModule = hModule; }
    HMODULE GetResourceModule() const { return m_hResourceModule; }

protected:
    BOOL m_bValid = TRUE;
    HMODULE m_hResourceModule = nullptr;
    const XTP_RESOURCEMANAGER_LANGINFO* m_pLanguageInfo;
    BOOL m_bUseLanguageCharset = FALSE;
    BYTE m_nIconTitleCharset = DEFAULT_CHARSET;
};

// The process's resource manager (made on first use); an invalid-argument exception when it cannot
// be made.
CXTPResourceManager* GetResourceManager();
// Installs another manager (owned from then on; null restores a default one).
void SetResourceManager(CXTPResourceManager* pManager);

// A wide copy of 8-bit resource text in the resource language's code page, freed with the object.
class CXTPMultiByteToWide
{
public:
    explicit CXTPMultiByteToWide(LPCSTR lpszText);
    ~CXTPMultiByteToWide();
    CXTPMultiByteToWide(const CXTPMultiByteToWide&) = delete;
    CXTPMultiByteToWide& operator=(const CXTPMultiByteToWide&) = delete;

    operator LPCWSTR() const { return m_lpwsz; }
    LPCWSTR GetString() const { return m_lpwsz; }

private:
    LPWSTR m_lpwsz = nullptr;
};
