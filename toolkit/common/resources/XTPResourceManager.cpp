#include "toolkit/common/resources/XTPResourceManager.h"

#include "framework/AppGlobals.h"
#include "framework/Exceptions.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <memory>
#include <new>
#include <vector>

namespace
{
const XTP_RESOURCEMANAGER_LANGINFO g_languages[] = {
    {1049, 1251, "windows-1251", "Russian", "LANG_RUSSIAN", "SUBLANG_DEFAULT", 204},
    {1041, 932, "shift-jis", "Japanese", "LANG_JAPANESE", "SUBLANG_DEFAULT", 128},
    {1025, 1256, "windows-1256", "Arabic (Saudi Arabia)", "LANG_ARABIC", "SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {1029, 1250, "windows-1250", "Czech", "LANG_CZECH", "SUBLANG_DEFAULT", 238},
    {1030, 1252, "windows-1252", "Danish", "LANG_DANISH", "SUBLANG_DEFAULT", 0},
    {1031, 1252, "windows-1252", "German (Germany)", "LANG_GERMAN", "SUBLANG_GERMAN", 0},
    {1032, 1253, "windows-1253", "Greek", "LANG_GREEK", "SUBLANG_DEFAULT", 161},
    {1033, 0, "windows-1252", "English (United States)", "LANG_ENGLISH", "SUBLANG_ENGLISH_US", 0},
    {3082, 1252, "windows-1252", "Spanish (Spain - Modern Sort)", "LANG_SPANISH", "SUBLANG_SPANISH_MODERN", 0},
    {1061, 1257, "windows-1257", "Estonian", "LANG_ESTONIAN", "SUBLANG_DEFAULT", 186},
    {1035, 1252, "windows-1252", "Finnish", "LANG_FINNISH", "SUBLANG_DEFAULT", 0},
    {1036, 1252, "windows-1252", "French (France)", "LANG_FRENCH", "SUBLANG_FRENCH", 0},
    {1037, 1255, "windows-1255", "Hebrew", "LANG_HEBREW", "SUBLANG_DEFAULT", 177},
    {1050, 1250, "windows-1250", "Croatian", "LANG_CROATIAN", "SUBLANG_DEFAULT", 238},
    {1038, 1250, "windows-1250", "Hungarian", "LANG_HUNGARIAN", "SUBLANG_DEFAULT", 238},
    {1040, 1252, "windows-1252", "Italian (Italy)", "LANG_ITALIAN", "SUBLANG_ITALIAN", 0},
    {1042, 949, "ks_c_5601", "Korean", "LANG_KOREAN", "SUBLANG_DEFAULT", 129},
    {1063, 1257, "windows-1257", "Lithuanian", "LANG_LITHUANIAN", "SUBLANG_LITHUANIAN", 186},
    {1062, 1257, "windows-1257", "Latvian", "LANG_LATVIAN", "SUBLANG_DEFAULT", 186},
    {1043, 1252, "windows-1252", "Dutch", "LANG_DUTCH", "SUBLANG_DUTCH", 0},
    {1044, 1252, "windows-1252", "Norwegian (Bokmal)", "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_BOKMAL", 0},
    {1045, 1250, "windows-1250", "Polish", "LANG_POLISH", "SUBLANG_DEFAULT", 238},
    {2070, 1252, "windows-1252", "Portuguese (Portugal)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE", 0},
    {1046, 1252, "windows-1252", "Portuguese (Brazil)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {1048, 1250, "windows-1250", "Romanian", "LANG_ROMANIAN", "SUBLANG_DEFAULT", 238},
    {2074, 1250, "windows-1250", "Serbian", "LANG_SERBIAN", "SUBLANG_SERBIAN_LATIN", 238},
    {1051, 1250, "windows-1250", "Slovak", "LANG_SLOVAK", "SUBLANG_DEFAULT", 238},
    {1060, 1250, "windows-1250", "Slovenian", "LANG_SLOVENIAN", "SUBLANG_DEFAULT", 238},
    {1053, 1252, "windows-1252", "Swedish", "LANG_SWEDISH", "SUBLANG_DEFAULT", 0},
    {1054, 874, "windows-874", "Thai", "LANG_THAI", "SUBLANG_DEFAULT", 222},
    {1055, 1254, "windows-1254", "Turkish", "LANG_TURKISH", "SUBLANG_DEFAULT", 162},
    {1058, 1251, "windows-1251", "Ukrainian ", "LANG_UKRAINIAN", "SUBLANG_DEFAULT", 204},
    {1026, 1251, "windows-1251", "Bulgarian", "LANG_BULGARIAN", "SUBLANG_DEFAULT", 204},
    {2052, 936, "gb2312", "Chinese (PRC)", "LANG_CHINESE", "SUBLANG_CHINESE_SIMPLIFIED", 134},
    {1028, 950, "big5", "Chinese (Taiwan)", "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL", 136}};
static_assert(sizeof g_languages / sizeof g_languages[0] == 35, "35 languages");

const WORD g_wEnglishUS = 1033;

CXTPResourceManager::PFNMESSAGEBOX g_pfnMessageBox = nullptr;

// The module holding a resource: the manager's library when it has it, else the framework's search.
HMODULE FindModule(HMODULE hLibrary, LPCSTR lpszName, LPCSTR lpszType)
{
    if (hLibrary && ::FindResourceA(hLibrary, lpszName, lpszType))
        return hLibrary;
    return AfxFindResourceHandle(lpszName, lpszType);
}

// Enumeration state: the language taken so far.
struct LanguageSearch
{
    WORD wLanguage = 0;
    bool Done() const { return wLanguage != 0 && wLanguage != g_wEnglishUS; }
};

BOOL CALLBACK EnumLanguage(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    LanguageSearch* search = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage != 0)
        search->wLanguage = wLanguage;
    return !search->Done();
}

BOOL CALLBACK EnumName(HMODULE hModule, LPCSTR lpszType, LPSTR lpszName, LONG_PTR lParam)
{
    ::EnumResourceLanguagesA(hModule, lpszType, lpszName, &EnumLanguage, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->Done();
}

BOOL CALLBACK EnumType(HMODULE hModule, LPSTR lpszType, LONG_PTR lParam)
{
    ::EnumResourceNamesA(hModule, lpszType, &EnumName, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->Done();
}

BYTE ReadIconTitleCharset()
{
    LOGFONTA lf = {};
    if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0))
        return DEFAULT_CHARSET;
    return lf.lfCharSet;
}

std::unique_ptr<CXTPResourceManager>& Instance()
{
    static std::unique_ptr<CXTPResourceManager> s_instance;
    return s_instance;
}
} // namespace

CXTPResourceManager::CXTPResourceManager()
    : m_pLanguageInfo(FindLanguageInfo(g_wEnglishUS)), m_nIconTitleCharset(ReadIconTitleCharset())
{
}

CXTPResourceManager::~CXTPResourceManager()
{
    FreeResourceModule();
}

const XTP_RESOURCEMANAGER_LANGINFO* CXTPResourceManager::GetLanguageTable(int* pnCount)
{
    if (pnCount)
        *pnCount = static_cast<int>(sizeof g_languages / sizeof g_languages[0]);
    return g_languages;
}

const XTP_RESOURCEMANAGER_LANGINFO* CXTPResourceManager::FindLanguageInfo(WORD wLanguage)
{
    for (const XTP_RESOURCEMANAGER_LANGINFO& info : g_languages)
        if (info.wLanguage == wLanguage)
            return &info;
    return nullptr;
}

void CXTPResourceManager::SetResourceLanguage(WORD wLanguage)
{
    const XTP_RESOURCEMANAGER_LANGINFO* info = FindLanguageInfo(wLanguage);
    m_pLanguageInfo = info ? info : FindLanguageInfo(g_wEnglishUS);
}

WORD CXTPResourceManager::GetLanguageId() const
{
    return m_pLanguageInfo->wLanguage;
}

BYTE CXTPResourceManager::GetFontCharset() const
{
    return m_bUseLanguageCharset ? m_pLanguageInfo->nFontCharSet : m_nIconTitleCharset;
}

UINT CXTPResourceManager::GetCodePage() const
{
    return m_pLanguageInfo->nCodePage ? m_pLanguageInfo->nCodePage : ::GetACP();
}

WORD CXTPResourceManager::DetectModuleLanguage(HMODULE hModule)
{
    LanguageSearch search;
    if (hModule)
        ::EnumResourceTypesA(hModule, &EnumType, reinterpret_cast<LONG_PTR>(&search));
    return search.wLanguage;
}

WORD CXTPResourceManager::DetectResourceLanguage()
{
    const WORD wLanguage = DetectModuleLanguage(AfxGetResourceHandle());
    SetResourceLanguage(wLanguage);
    return wLanguage;
}

void CXTPResourceManager::FreeResourceModule()
{
    if (m_hResourceModule)
        ::FreeLibrary(m_hResourceModule);
    m_hResourceModule = nullptr;
}

CString CXTPResourceManager::LoadString(UINT nIDResource, BOOL* pbError)
{
    CString str;
    const BOOL bFound = LoadString(&str, nIDResource);
    if (pbError)
        *pbError = !bFound;
    return str;
}

BOOL CXTPResourceManager::LoadString(CString* pString, UINT nIDResource)
{
    if (!pString)
        return FALSE;
    // Strings are stored in blocks of sixteen; the block's name is (id / 16) + 1.
    HMODULE hModule = FindModule(m_hResourceModule, MAKEINTRESOURCEA((nIDResource >> 4) + 1), RT_STRING);
    return pString->LoadString(hModule, nIDResource);
}

BOOL CXTPResourceManager::LoadMenu(CMenu* lpMenu, UINT nIDResource)
{
    if (!lpMenu)
        return FALSE;
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    HMENU hMenu = ::LoadMenuA(FindModule(m_hResourceModule, lpszName, RT_MENU), lpszName);
    if (!hMenu)
        return FALSE;
    if (!lpMenu->Attach(hMenu))
    {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CXTPResourceManager::LoadToolBar(CToolBar*, UINT)
{
    return FALSE;
}

BOOL CXTPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    if (!pBitmap)
        return FALSE;
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    HBITMAP hBitmap = ::LoadBitmapA(FindModule(m_hResourceModule, lpszName, RT_BITMAP), lpszName);
    if (!hBitmap)
        return FALSE;
    if (!pBitmap->Attach(hBitmap))
    {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    return TRUE;
}

HCURSOR CXTPResourceManager::LoadCursor(UINT nIDResource)
{
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    return ::LoadCursorA(FindModule(m_hResourceModule, lpszName, RT_GROUP_CURSOR), lpszName);
}

HGLOBAL CXTPResourceManager::FindDialogTemplate(UINT nIDResource)
{
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    HMODULE hModule = FindModule(m_hResourceModule, lpszName, RT_DIALOG);
    HRSRC hResource = hModule ? ::FindResourceA(hModule, lpszName, RT_DIALOG) : nullptr;
    return hResource ? ::LoadResource(hModule, hResource) : nullptr;
}

LPCDLGTEMPLATE CXTPResourceManager::LoadDialogTemplate(UINT nIDResource)
{
    if (nIDResource == 0)
        return nullptr;
    HGLOBAL hTemplate = FindDialogTemplate(nIDResource);
    return hTemplate ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

BOOL CXTPResourceManager::LoadHtml(CString& strHtml, UINT nIDResource)
{
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    HMODULE hModule = FindModule(m_hResourceModule, lpszName, RT_HTML);
    HRSRC hResource = hModule ? ::FindResourceA(hModule, lpszName, RT_HTML) : nullptr;
    if (!hResource)
        return FALSE;
    const DWORD dwSize = ::SizeofResource(hModule, hResource);
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const char* pData = hData ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (!pData || dwSize == 0)
        return FALSE;
    strHtml.SetString(pData, static_cast<int>(dwSize));
    return TRUE;
}

HICON CXTPResourceManager::LoadIconById(int nIDResource, CSize iconSize)
{
    return LoadIconByName(MAKEINTRESOURCEA(nIDResource), iconSize);
}

HICON CXTPResourceManager::LoadIconByName(LPCSTR lpszResourceName, CSize iconSize)
{
    HMODULE hModule = FindModule(m_hResourceModule, lpszResourceName, RT_GROUP_ICON);
    return static_cast<HICON>(
        ::LoadImageA(hModule, lpszResourceName, IMAGE_ICON, iconSize.cx, iconSize.cy, LR_DEFAULTCOLOR));
}

HICON CXTPResourceManager::CreateIconFromResource(HMODULE hModule, LPCSTR lpszResourceName, CSize iconSize)
{
    HRSRC hGroup = hModule ? ::FindResourceA(hModule, lpszResourceName, RT_GROUP_ICON) : nullptr;
    HGLOBAL hGroupData = hGroup ? ::LoadResource(hModule, hGroup) : nullptr;
    BYTE* pGroup = hGroupData ? static_cast<BYTE*>(::LockResource(hGroupData)) : nullptr;
    if (!pGroup)
        return nullptr;
    const int nId = ::LookupIconIdFromDirectoryEx(pGroup, TRUE, iconSize.cx, iconSize.cy, LR_DEFAULTCOLOR);
    HRSRC hIcon = nId ? ::FindResourceA(hModule, MAKEINTRESOURCEA(nId), RT_ICON) : nullptr;
    HGLOBAL hIconData = hIcon ? ::LoadResource(hModule, hIcon) : nullptr;
    BYTE* pIcon = hIconData ? static_cast<BYTE*>(::LockResource(hIconData)) : nullptr;
    if (!pIcon)
        return nullptr;
    return ::CreateIconFromResourceEx(pIcon, ::SizeofResource(hModule, hIcon), TRUE, 0x30000, iconSize.cx,
                                      iconSize.cy, LR_DEFAULTCOLOR);
}

int CXTPResourceManager::GetMenuString(CMenu* pMenu, UINT nIDItem, CString& rString, UINT nFlags)
{
    HMENU hMenu = pMenu ? pMenu->GetSafeHmenu() : nullptr;
    if (!hMenu)
        return 0;
    if (!GetOsVersion()->IsWin2000OrGreater())
    {
        const int nLength = ::GetMenuStringA(hMenu, nIDItem, nullptr, 0, nFlags);
        if (nLength < 1)
        {
            rString.Empty();
            return nLength;
        }
        const int nCopied = ::GetMenuStringA(hMenu, nIDItem, rString.GetBuffer(nLength + 1), nLength + 1, nFlags);
        rString.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
        return nCopied;
    }
    const int nLength = ::GetMenuStringW(hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength < 1)
    {
        rString.Empty();
        return nLength;
    }
    std::vector<WCHAR> wide(static_cast<size_t>(nLength) + 1);
    const int nWide = ::GetMenuStringW(hMenu, nIDItem, wide.data(), nLength + 1, nFlags);
    const UINT nCodePage = GetCodePage();
    const int nBytes = ::WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    const int nWritten = ::WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, rString.GetBuffer(nBytes + 1),
                                               nBytes + 1, nullptr, nullptr);
    rString.ReleaseBuffer(nWritten > 0 ? nWritten : 0);
    return rString.GetLength();
}

void CXTPResourceManager::SetMessageBoxFunction(PFNMESSAGEBOX pfn)
{
    g_pfnMessageBox = pfn;
}

int CXTPResourceManager::ShowMessageBox(LPCSTR lpszText, UINT nType)
{
    if (m_pLanguageInfo->nCodePage == 1255 || m_pLanguageInfo->nCodePage == 1256)
        nType |= MB_RTLREADING;
    return g_pfnMessageBox ? g_pfnMessageBox(lpszText, nType) : AfxMessageBox(lpszText, nType);
}

int CXTPResourceManager::ShowMessageBox(UINT nIDPrompt, UINT nType)
{
    return ShowMessageBox(LoadString(nIDPrompt), nType);
}

CXTPResourceManager* GetResourceManager()
{
    std::unique_ptr<CXTPResourceManager>& instance = Instance();
    if (!instance)
    {
        instance.reset(new (std::nothrow) CXTPResourceManager);
        if (!instance || !instance->IsValid())
        {
            instance.reset();
            AfxThrowInvalidArgException();
        }
    }
    return instance.get();
}

void SetResourceManager(CXTPResourceManager* pManager)
{
    Instance().reset(pManager);
}

// ---- CXTPMultiByteToWide

CXTPMultiByteToWide::CXTPMultiByteToWide(LPCSTR lpszText)
{
    const UINT nCodePage = GetResourceManager()->GetCodePage();
    const char* text = lpszText ? lpszText : "";
    const int nLength = ::MultiByteToWideChar(nCodePage, 0, text, -1, nullptr, 0);
    m_lpwsz = new WCHAR[nLength > 0 ? nLength : 1];
    m_lpwsz[0] = L'\0';
    if (nLength > 0)
        ::MultiByteToWideChar(nCodePage, 0, text, -1, m_lpwsz, nLength);
}

CXTPMultiByteToWide::~CXTPMultiByteToWide()
{
    delete[] m_lpwsz;
}
