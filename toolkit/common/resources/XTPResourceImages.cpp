// The theme store: table parsing, value getters, the image cache and the process-wide instance.
#include "toolkit/common/resources/XTPResourceImages.h"

#include "toolkit/common/system/XTPNotifyConnection.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// [pBegin, pEnd) without blanks on the left and/or the right.
void Trim(const char*& pBegin, const char*& pEnd, bool bLeft, bool bRight)
{
    while (bLeft && pBegin < pEnd && IsBlank(*pBegin))
        ++pBegin;
    while (bRight && pEnd > pBegin && IsBlank(pEnd[-1]))
        --pEnd;
}

UINT HashText(UINT h, LPCSTR lpsz)
{
    if (!lpsz)
        return h;
    // Upper-cased as the ANSI code page does it (multibyte characters keep their trail bytes).
    CString str(lpsz);
    if (!str.IsEmpty())
        ::CharUpperBuffA(str.GetBuffer(), static_cast<DWORD>(str.GetLength()));
    str.ReleaseBuffer();
    for (int i = 0; i < str.GetLength(); ++i)
        h = h * 33 + static_cast<BYTE>(str[i]);
    return h;
}

struct FirstResourceName
{
    CString strName;
    BOOL bFound = FALSE;
};

BOOL CALLBACK FindFirstTextFile(HMODULE, LPCSTR, LPSTR lpszName, LONG_PTR lParam)
{
    FirstResourceName* pFirst = reinterpret_cast<FirstResourceName*>(lParam);
    if (IS_INTRESOURCE(lpszName))
        pFirst->strName.Format("#%u", static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszName)));
    else
        pFirst->strName = lpszName;
    pFirst->bFound = TRUE;
    return FALSE; // the first is enough
}
} // namespace

UINT CXTPResourceImages::HashIniKey(LPCSTR lpszSection, LPCSTR lpszKey)
{
    return HashText(HashText(0, lpszSection), lpszKey);
}

void CXTPResourceImages::ParseIni(const char* pBegin, const char* pEnd, CXTPResourceImagesValueMap& map)
{
    CString strSection;
    BOOL bSection = FALSE;
    const char* p = pBegin;
    while (p && p < pEnd)
    {
        // One line: up to CR, CRLF or LF, or to the end of the data.
        const char* pLine = p;
        while (p < pEnd && *p != '\r' && *p != '\n')
            ++p;
        const char* pLineEnd = p;
        if (p < pEnd && *p == '\r')
            ++p;
        if (p < pEnd && *p == '\n')
            ++p;

        Trim(pLine, pLineEnd, true, false);
        if (pLine == pLineEnd || *pLine == ';')
            continue;
        for (const char* q = pLine; q < pLineEnd; ++q)
        {
            if (*q == ';')
            {
                pLineEnd = q;
                break;
            }
        }
        if (*pLine == '[')
        {
            Trim(pLine, pLineEnd, false, true);
            if (pLineEnd - pLine >= 2)
                strSection = CString(pLine + 1, static_cast<int>(pLineEnd - pLine - 2));
            else
                strSection.Empty();
            bSection = TRUE;
            continue;
        }
        if (!bSection)
            continue;
        const char* pEqual = nullptr;
        for (const char* q = pLine + 1; q < pLineEnd; ++q)
        {
            if (*q == '=')
            {
                pEqual = q;
                break;
            }
        }
        if (!pEqual)
            continue;
        const char* pKey = pLine;
        const char* pKeyEnd = pEqual;
        Trim(pKey, pKeyEnd, false, true);
        const char* pValue = pEqual + 1;
        const char* pValueEnd = pLineEnd;
        Trim(pValue, pValueEnd, true, true);
        CString strKey(pKey, static_cast<int>(pKeyEnd - pKey));
        CString strValue(pValue, static_cast<int>(pValueEnd - pValue));
        map.SetAt(HashIniKey(strSection, strKey), strValue);
    }
}

// ---------------------------------------------------------------------------------------------

CXTPResourceImages::CXTPResourceImages()
{
    ::InitializeCriticalSection(&m_cs);
    m_mapValues.InitHashTable(101);
    m_mapImages.InitHashTable(199);
    CreateSurface();
    SetResourceModule(::GetModuleHandleA(nullptr), nullptr, FALSE);
}

CXTPResourceImages::~CXTPResourceImages()
{
    RemoveAllImages();
    if (m_pConnection)
        m_pConnection->InternalRelease();
    m_pConnection = nullptr;
    if (m_hResource && m_bFreeOnRelease)
        ::FreeLibrary(m_hResource);
    m_hResource = nullptr;
    if (m_hdcSurface)
        ::DeleteDC(m_hdcSurface);
    if (m_hbmSurface)
        ::DeleteObject(m_hbmSurface);
    ::DeleteCriticalSection(&m_cs);
}

void CXTPResourceImages::CreateSurface()
{
    HDC hdcScreen = ::GetDC(nullptr);
    m_hdcSurface = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(nullptr, hdcScreen);

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = XTP_RESOURCEIMAGES_SURFACE;
    bmi.bmiHeader.biHeight = XTP_RESOURCEIMAGES_SURFACE; // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hbmSurface = ::CreateDIBSection(m_hdcSurface, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pSurfaceBits = m_hbmSurface ? static_cast<DWORD*>(pBits) : nullptr;
}

void CXTPResourceImages::SetResourceModule(HMODULE hResource, LPCSTR lpszIniFileName, BOOL bFreeOnRelease)
{
    if (m_hResource && m_bFreeOnRelease && m_hResource != hResource)
        ::FreeLibrary(m_hResource);
    m_strIniFileName = lpszIniFileName ? lpszIniFileName : "";
    m_strIniFileName.Replace('.', '_');
    m_hResource = hResource;
    m_bFreeOnRelease = bFreeOnRelease;
    m_pIniBegin = m_pIniEnd = nullptr;
    ReloadIni();
}

BOOL CXTPResourceImages::ReloadIni()
{
    RemoveAllImages();
    m_mapValues.RemoveAll();
    m_pIniBegin = m_pIniEnd = nullptr;

    HRSRC hInfo = nullptr;
    if (m_hResource)
    {
        if (m_strIniFileName.IsEmpty())
        {
            hInfo = ::FindResourceA(m_hResource, XTP_RESOURCEIMAGES_DEFAULT_INI, XTP_RESOURCEIMAGES_INI_TYPE);
            if (hInfo)
                m_strIniFileName = XTP_RESOURCEIMAGES_DEFAULT_INI;
        }
        else
        {
            hInfo = ::FindResourceA(m_hResource, m_strIniFileName, XTP_RESOURCEIMAGES_INI_TYPE);
        }
        if (!hInfo && m_strIniFileName.IsEmpty())
        {
            FirstResourceName first;
            ::EnumResourceNamesA(m_hResource, XTP_RESOURCEIMAGES_INI_TYPE, FindFirstTextFile,
                                 reinterpret_cast<LONG_PTR>(&first));
            if (first.bFound)
                hInfo = ::FindResourceA(m_hResource, first.strName, XTP_RESOURCEIMAGES_INI_TYPE);
        }
    }

    HGLOBAL hData = hInfo ? ::LoadResource(m_hResource, hInfo) : nullptr;
    const char* pData = hData ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pData)
    {
        m_pIniBegin = pData;
        m_pIniEnd = pData + ::SizeofResource(m_hResource, hInfo);
        ParseIni(m_pIniBegin, m_pIniEnd, m_mapValues);
    }

    // The flag is read before the listeners are told: a listener that loads images at once
    // gets them in the new table's form.
    m_bPremultiplyImages = GetImageInt("Global", "PremultiplyImages", 0);

    if (m_pConnection)
        m_pConnection->SendEvent(XTP_NC_COMMON_RESOURCEIMAGES_CHANGED, 0, 0);
    return pData != nullptr;
}

CXTPNotifyConnection* CXTPResourceImages::GetConnection()
{
    if (!m_pConnection)
        m_pConnection = new CXTPNotifyConnection();
    return m_pConnection;
}

CString CXTPResourceImages::GetIniValue(LPCSTR lpszSection, LPCSTR lpszKey) const
{
    CString strValue;
    if (IsLoaded())
        m_mapValues.Lookup(HashIniKey(lpszSection, lpszKey), strValue);
    return strValue;
}

COLORREF CXTPResourceImages::GetImageColor(LPCSTR lpszSection, LPCSTR lpszKey, COLORREF clrDefault) const
{
    CString strValue = GetIniValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return clrDefault;
    int r = 0, g = 0, b = 0;
    if (sscanf(strValue, "%i %i %i", &r, &g, &b) < 1)
        r = g = b = 0;
    return RGB(r, g, b);
}

CRect CXTPResourceImages::GetImageRect(LPCSTR lpszSection, LPCSTR lpszKey, CRect rcDefault) const
{
    CString strValue = GetIniValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return rcDefault;
    int l = 0, t = 0, r = 0, b = 0;
    sscanf(strValue, "%i %i %i %i", &l, &t, &r, &b);
    return CRect(l, t, r, b);
}

int CXTPResourceImages::GetImageInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault) const
{
    CString strValue = GetIniValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return nDefault;
    return atoi(strValue);
}

CString CXTPResourceImages::GetImageFileName(LPCSTR lpszImageFile) const
{
    CString strName = GetIniValue("Images", lpszImageFile);
    if (strName.IsEmpty() && lpszImageFile)
        strName = lpszImageFile;
    strName.Replace('.', '_');
    strName.Replace('\\', '_');
    return strName;
}

CXTPResourceImage* CXTPResourceImages::LoadImage(LPCSTR lpszImageFile)
{
    if (!m_hResource || !lpszImageFile)
        return nullptr;
    ::EnterCriticalSection(&m_cs);
    CXTPResourceImage* pImage = nullptr;
    if (!m_mapImages.Lookup(lpszImageFile, pImage))
    {
        ++m_nImageLoads;
        pImage = new CXTPResourceImage(this);
        if (!pImage->LoadFromResource(m_hResource, GetImageFileName(lpszImageFile)))
        {
            pImage->InternalRelease();
            pImage = nullptr;
        }
        else if (m_bPremultiplyImages)
        {
            pImage->PremultiplyAlpha();
        }
        m_mapImages.SetAt(lpszImageFile, pImage);
    }
    ::LeaveCriticalSection(&m_cs);
    return pImage;
}

void CXTPResourceImages::RemoveAllImages()
{
    ::EnterCriticalSection(&m_cs);
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos)
    {
        CString strName;
        CXTPResourceImage* pImage = nullptr;
        m_mapImages.GetNextAssoc(pos, strName, pImage);
        if (pImage)
            pImage->InternalRelease();
    }
    m_mapImages.RemoveAll();
    ::LeaveCriticalSection(&m_cs);
}

// ---------------------------------------------------------------------------------------------

namespace
{
// Destroys the process-wide store at exit.
struct ResourceImagesHolder
{
    std::unique_ptr<CXTPResourceImages> pImages;
};

ResourceImagesHolder& Holder()
{
    static ResourceImagesHolder holder;
    return holder;
}
} // namespace

CXTPResourceImages* GetResourceImages()
{
    ResourceImagesHolder& holder = Holder();
    if (!holder.pImages)
        holder.pImages.reset(new CXTPResourceImages());
    return holder.pImages.get();
}

CXTPResourceImage* LoadResourceImage(LPCSTR lpszImageFile)
{
    return GetResourceImages()->LoadImage(lpszImageFile);
}
