#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"

#include <cstdarg>
#include <cwchar>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/elements/XTPMarkupInputElement.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/parser/XTPMarkupParser.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupObjectProperty, CXTPMarkupObject, nullptr)

namespace
{
enum
{
    tableBrush,
    tableColor,
    tableBrushKey,
    tableColorKey,
};

// The logical tree below a root is at most this deep when it was built within the limit of open
// elements (elements and the collections between them).
const int kMaxTreeDepth = 4 * CXTPMarkupBuilder::nMaxOpenElements;

std::string ToAnsi(const std::wstring& str)
{
    if (str.empty())
        return std::string();
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), (int)str.size(), nullptr, 0, nullptr, nullptr);
    std::string strResult(nBytes > 0 ? nBytes : 0, '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), (int)str.size(), &strResult[0], nBytes, nullptr, nullptr);
    return strResult;
}

bool StartsWith(const std::wstring& str, LPCWSTR lpszPrefix)
{
    return str.compare(0, wcslen(lpszPrefix), lpszPrefix) == 0;
}
} // namespace

// --- the exception -------------------------------------------------------------------------------

CXTPMarkupBuilderException::CXTPMarkupBuilderException(LPCSTR lpszMessage) : CException(TRUE)
{
    ::lstrcpynA(m_szMessage, lpszMessage ? lpszMessage : "", nMaxMessage + 1);
}

BOOL CXTPMarkupBuilderException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    ::lstrcpynA(lpszError, m_szMessage, (int)nMaxError);
    return TRUE;
}

// --- property elements ---------------------------------------------------------------------------

CXTPMarkupObjectProperty::CXTPMarkupObjectProperty(CXTPMarkupDependencyProperty* pProperty)
    : m_pProperty(pProperty), m_pValue(nullptr)
{
}

CXTPMarkupObjectProperty::~CXTPMarkupObjectProperty()
{
    XTPMarkupReleaseObject(m_pValue);
}

CXTPMarkupObject* CXTPMarkupObjectProperty::DetachValue()
{
    CXTPMarkupObject* pValue = m_pValue;
    m_pValue = nullptr;
    return pValue;
}

BOOL CXTPMarkupObjectProperty::HasContentObject() const
{
    return m_pValue != nullptr;
}

void CXTPMarkupObjectProperty::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent)
        return;
    if (pContent->IsKindOf(m_pProperty->GetPropertyType()) || XTPMarkupStringOf(pContent))
    {
        pContent->AddRef();
        XTPMarkupReleaseObject(m_pValue);
        m_pValue = pContent;
        return;
    }
    if (m_pValue)
    {
        m_pValue->SetContentObject(pBuilder, pContent);
        return;
    }
    CXTPMarkupObject* pValue = pBuilder->CreateObject(m_pProperty->GetPropertyType());
    if (!pValue)
        pBuilder->ThrowBuilderError(L"Cannot add content to an object of type '%ls'", GetType()->GetClassName());
    try
    {
        pValue->SetContentObject(pBuilder, pContent);
    }
    catch (...)
    {
        pValue->Release();
        throw;
    }
    m_pValue = pValue;
}

// --- the builder ---------------------------------------------------------------------------------

CXTPMarkupBuilder::CXTPMarkupBuilder(CXTPMarkupContext* pContext)
    : m_pContext(pContext), m_pParser(nullptr), m_pRoot(nullptr), m_bWhiteSpace(FALSE)
{
    ZeroMemory(m_arrSystem, sizeof(m_arrSystem));
}

CXTPMarkupBuilder::~CXTPMarkupBuilder()
{
    for (auto& table : m_arrSystem)
    {
        for (CXTPMarkupObject*& pObject : table)
            XTPMarkupReleaseObject(pObject);
    }
}

void CXTPMarkupBuilder::ThrowBuilderError(LPCWSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    va_list argsCount;
    va_copy(argsCount, args);
    int nLength = _vscwprintf(lpszFormat, argsCount);
    va_end(argsCount);
    std::wstring strMessage;
    if (nLength > 0)
    {
        strMessage.resize(nLength + 1);
        _vsnwprintf(&strMessage[0], nLength + 1, lpszFormat, args);
        strMessage.resize(nLength);
    }
    va_end(args);
    throw new CXTPMarkupBuilderException(ToAnsi(strMessage).c_str());
}

CXTPMarkupObject* CXTPMarkupBuilder::CreateObject(CXTPMarkupType* pType)
{
    if (!pType)
        return nullptr;
    return m_pContext ? m_pContext->CreateMarkupObject(pType) : pType->CreateObject();
}

CXTPMarkupObject* CXTPMarkupBuilder::CreateObject(LPCWSTR lpszTag)
{
    return CreateObject(CXTPMarkupType::LookupType(lpszTag));
}

CXTPMarkupObject* CXTPMarkupBuilder::ConvertValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata && pMetadata->m_pConverter)
    {
        if (CXTPMarkupObject* pResult = pMetadata->m_pConverter(this, pValue))
            return pResult;
    }
    CXTPMarkupType* pValueType = pProperty->GetPropertyType();
    CXTPMarkupObject* pResult = nullptr;
    if (pValueType == CXTPMarkupType::GetMarkupType())
        pResult = pValueType->ConvertFrom(this, pValue); // the type of types converts tag names
    else if (CXTPMarkupObject* pTemporary = CreateObject(pValueType))
    {
        try
        {
            pResult = pTemporary->ConvertFrom(this, pValue);
        }
        catch (...)
        {
            pTemporary->Release();
            throw;
        }
        pTemporary->Release();
    }
    if (!pResult)
        ThrowBuilderError(L"Cannot convert string in attribute '%ls' to object of type '%ls'", pProperty->GetName(),
                          pValueType->GetClassName());
    return pResult;
}

CXTPMarkupObject*& CXTPMarkupBuilder::SystemSlot(int nTable, int nIndex)
{
    return m_arrSystem[nTable][nIndex];
}

CXTPMarkupObject* CXTPMarkupBuilder::GetSystemColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= 31)
        return nullptr;
    CXTPMarkupObject*& pSlot = SystemSlot(tableColor, nIndex);
    if (!pSlot)
        pSlot = new CXTPMarkupColor(::GetSysColor(nIndex), 0xFF);
    pSlot->AddRef();
    return pSlot;
}

CXTPMarkupObject* CXTPMarkupBuilder::GetSystemBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= 31)
        return nullptr;
    CXTPMarkupObject*& pSlot = SystemSlot(tableBrush, nIndex);
    if (!pSlot)
        pSlot = new CXTPMarkupSolidColorBrush(::GetSysColor(nIndex));
    pSlot->AddRef();
    return pSlot;
}

CXTPMarkupObject* CXTPMarkupBuilder::GetSystemColorKey(int nIndex)
{
    if (nIndex < 0 || nIndex >= 31)
        return nullptr;
    CXTPMarkupObject*& pSlot = SystemSlot(tableColorKey, nIndex);
    if (!pSlot)
        pSlot = new CXTPMarkupColorKey(nIndex);
    pSlot->AddRef();
    return pSlot;
}

CXTPMarkupObject* CXTPMarkupBuilder::GetSystemBrushKey(int nIndex)
{
    if (nIndex < 0 || nIndex >= 31)
        return nullptr;
    CXTPMarkupObject*& pSlot = SystemSlot(tableBrushKey, nIndex);
    if (!pSlot)
        pSlot = new CXTPMarkupBrushKey(nIndex);
    pSlot->AddRef();
    return pSlot;
}

CXTPMarkupUIElement* CXTPMarkupBuilder::Parse(CXTPMarkupParser* pParser)
{
    return static_cast<CXTPMarkupUIElement*>(ParseCore(pParser, TRUE));
}

CXTPMarkupObject* CXTPMarkupBuilder::ParseObject(CXTPMarkupParser* pParser)
{
    return ParseCore(pParser, FALSE);
}

CXTPMarkupObject* CXTPMarkupBuilder::ParseCore(CXTPMarkupParser* pParser, BOOL bUIElementRoot)
{
    m_strError.clear();
    m_pParser = pParser;
    m_pRoot = nullptr;
    m_arrStack.clear();
    m_strText.clear();
    m_bWhiteSpace = FALSE;
    m_strInstruction.clear();

    if (!pParser)
    {
        m_strError = "Data at the root level is invalid";
        return nullptr;
    }
    LPCSTR p = pParser->GetBufferBegin();
    LPCSTR pEnd = pParser->GetBufferEnd();
    while (p && p < pEnd && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\f'))
        p++;
    if (!p || p >= pEnd || *p != '<')
    {
        m_strError = "Data at the root level is invalid";
        return nullptr;
    }

    CXTPMarkupObject* pResult = nullptr;
    std::string strMessage;
    bool bFailed = false;
    try
    {
        Build(pParser);
        pResult = m_pRoot;
        m_pRoot = nullptr;
    }
    catch (CException* pException)
    {
        char szMessage[512] = "";
        if (!pException->GetErrorMessage(szMessage, sizeof(szMessage)))
            ::lstrcpynA(szMessage, "Unexpected error", sizeof(szMessage));
        pException->Delete();
        strMessage = szMessage;
        bFailed = true;
    }
    catch (...)
    {
        strMessage = "Unexpected error";
        bFailed = true;
    }

    for (CXTPMarkupObject* pObject : m_arrStack)
        pObject->Release();
    m_arrStack.clear();
    XTPMarkupReleaseObject(m_pRoot);

    if (bFailed)
    {
        XTPMarkupReleaseObject(pResult);
        // The whole message stays within the exception's 255 characters: a long cause is cut so
        // that the line and position always remain.
        char szWhere[64];
        wsprintfA(szWhere, ". Line %i, position %i", pParser->GetLine() + 1, pParser->GetPosition() + 1);
        size_t nRoom = CXTPMarkupBuilderException::nMaxMessage - strlen(szWhere);
        if (strMessage.size() > nRoom)
            strMessage.resize(nRoom);
        m_strError = strMessage + szWhere;
        return nullptr;
    }
    if (!pResult)
        return nullptr;
    if (bUIElementRoot && !pResult->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
    {
        m_strError = "Root element have to be 'CXTPMarkupUIElement' type";
        pResult->Release();
        return nullptr;
    }
    LoadTree(pResult, 0);
    return pResult;
}

void CXTPMarkupBuilder::LoadTree(CXTPMarkupObject* pObject, int nDepth)
{
    if (!pObject || nDepth > kMaxTreeDepth)
        return;
    int nCount = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; i++)
        LoadTree(pObject->GetLogicalChild(i), nDepth + 1);
    if (pObject->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
        static_cast<CXTPMarkupInputElement*>(pObject)->OnLoaded();
}

CXTPMarkupObject* CXTPMarkupBuilder::Top() const
{
    return m_arrStack.empty() ? nullptr : m_arrStack.back();
}

CXTPMarkupObject* CXTPMarkupBuilder::MakeString(const std::wstring& str)
{
    return CXTPMarkupString::CreateValue(str.c_str(), (int)str.size());
}

void CXTPMarkupBuilder::Build(CXTPMarkupParser* pParser)
{
    bool bInstruction = false;
    for (;;)
    {
        switch (pParser->NextToken())
        {
        case CXTPMarkupParser::tokenEof:
            if (!m_arrStack.empty())
                ThrowBuilderError(L"Unexpected end of file has occurred. The following elements are not closed: '%ls'",
                                  Top()->GetTagName());
            if (!m_pRoot)
                ThrowBuilderError(L"Root element is missing");
            return;
        case CXTPMarkupParser::tokenError:
            ThrowBuilderError(L"%ls", pParser->GetValue());
        case CXTPMarkupParser::tokenTagStart:
            OnStartTag();
            break;
        case CXTPMarkupParser::tokenAttribute:
            OnAttribute();
            break;
        case CXTPMarkupParser::tokenTagEnd:
            OnEndTag();
            break;
        case CXTPMarkupParser::tokenText:
            if (m_arrStack.empty())
                ThrowBuilderError(L"Data at the root level is invalid");
            if (m_bWhiteSpace && (!m_strText.empty() || Top()->HasContentObject()))
                m_strText += L' ';
            m_bWhiteSpace = FALSE;
            m_strText += pParser->GetValue();
            break;
        case CXTPMarkupParser::tokenWhiteSpace:
            m_bWhiteSpace = TRUE;
            break;
        case CXTPMarkupParser::tokenInstructionStart:
            bInstruction = true;
            m_strInstruction.clear();
            break;
        case CXTPMarkupParser::tokenData:
            if (bInstruction)
                m_strInstruction += pParser->GetValue();
            break;
        case CXTPMarkupParser::tokenInstructionEnd:
            bInstruction = false;
            OnInstructionData();
            break;
        default: // comments and CDATA sections do not reach the tree
            break;
        }
    }
}

void CXTPMarkupBuilder::OnInstructionData()
{
    static const wchar_t* const prefixes[] = {L"encoding=\"", L"encoding='"};
    for (const wchar_t* lpszPrefix : prefixes)
    {
        size_t nFound = m_strInstruction.find(lpszPrefix);
        if (nFound != std::wstring::npos && m_strInstruction.compare(nFound + wcslen(lpszPrefix), 5, L"utf-8") == 0)
        {
            m_pParser->SetCodePage(CP_UTF8);
            return;
        }
    }
}

void CXTPMarkupBuilder::FlushContentTo(CXTPMarkupObject* pParent)
{
    std::wstring strContent;
    if (m_strText.empty())
    {
        bool bSpace = m_bWhiteSpace && pParent->HasContentObject() && pParent->AllowWhiteSpaceContent();
        m_bWhiteSpace = FALSE;
        if (!bSpace)
            return;
        strContent = L" ";
    }
    else
    {
        strContent.swap(m_strText);
        if (m_bWhiteSpace)
            strContent += L' ';
        m_bWhiteSpace = FALSE;
    }
    m_strText.clear();
    CXTPMarkupObject* pString = MakeString(strContent);
    try
    {
        pParent->SetContentObject(this, pString);
    }
    catch (...)
    {
        pString->Release();
        throw;
    }
    pString->Release();
}

void CXTPMarkupBuilder::OnStartTag()
{
    if (m_arrStack.empty() && m_pRoot)
        ThrowBuilderError(L"There are multiple root elements");
    if ((int)m_arrStack.size() >= nMaxOpenElements)
        ThrowBuilderError(L"Elements are nested too deeply: more than %i are open", (int)nMaxOpenElements);
    if (!m_arrStack.empty())
        FlushContentTo(Top());

    LPCWSTR lpszTag = m_pParser->GetTagName();
    CXTPMarkupObject* pObject = nullptr;
    if (wcschr(lpszTag, L'.'))
    {
        CXTPMarkupDependencyProperty* pProperty =
            m_arrStack.empty() ? nullptr : CXTPMarkupDependencyProperty::FindAttachedProperty(lpszTag);
        if (!pProperty)
            ThrowBuilderError(L"The tag '%ls' does not exist in XML namespace", lpszTag);
        pObject = new CXTPMarkupObjectProperty(pProperty);
    }
    else
    {
        pObject = CreateObject(lpszTag);
        if (!pObject)
            ThrowBuilderError(L"The tag '%ls' does not exist in XML namespace", lpszTag);
    }
    pObject->SetTagName(lpszTag);
    m_arrStack.push_back(pObject);
}

void CXTPMarkupBuilder::OnAttribute()
{
    if (m_arrStack.empty())
        ThrowBuilderError(L"Unexpected error");
    LPCWSTR lpszName = m_pParser->GetAttributeName();
    if (wcsncmp(lpszName, L"xmlns", 5) == 0)
        return;
    CXTPMarkupObject* pTop = Top();
    CXTPMarkupDependencyProperty* pProperty = wcschr(lpszName, L'.')
                                                  ? CXTPMarkupDependencyProperty::FindAttachedProperty(lpszName)
                                                  : CXTPMarkupDependencyProperty::FindProperty(pTop->GetType(), lpszName);
    if (!pProperty)
        ThrowBuilderError(L"The property '%ls' does not exist in XML namespace", lpszName);

    LPCWSTR lpszValue = m_pParser->GetValue();
    CXTPMarkupObject* pValue;
    if (lpszValue[0] == L'{' && lpszValue[1] == L'}')
        pValue = CXTPMarkupString::CreateValue(lpszValue + 2);
    else if (lpszValue[0] == L'{')
        pValue = ResolveExtension(lpszValue + 1, 0);
    else
        pValue = CXTPMarkupString::CreateValue(lpszValue, m_pParser->GetValueLength());
    pTop->SetPropertyObject(this, pProperty, pValue);
}

void CXTPMarkupBuilder::OnEndTag()
{
    if (m_arrStack.empty())
        ThrowBuilderError(L"Unexpected end tag");
    CXTPMarkupObject* pObject = m_arrStack.back();
    m_arrStack.pop_back();
    try
    {
        if (wcscmp(pObject->GetTagName(), m_pParser->GetTagName()) != 0)
            ThrowBuilderError(L"The '%ls' start tag does not match the end tag of '%ls'", pObject->GetTagName(),
                              m_pParser->GetTagName());
        if (!m_strText.empty())
        {
            std::wstring strText;
            strText.swap(m_strText);
            CXTPMarkupObject* pString = MakeString(strText);
            try
            {
                pObject->SetContentObject(this, pString);
            }
            catch (...)
            {
                pString->Release();
                throw;
            }
            pString->Release();
        }
        m_strText.clear();
        m_bWhiteSpace = FALSE;

        if (pObject->GetType() == CXTPMarkupObjectProperty::GetMarkupType())
        {
            CXTPMarkupObjectProperty* pPropertyElement = static_cast<CXTPMarkupObjectProperty*>(pObject);
            CXTPMarkupObject* pValue = pPropertyElement->DetachValue();
            if (!pValue)
                ThrowBuilderError(L"'%ls' property does not have a value", pPropertyElement->GetProperty()->GetName());
            Top()->SetPropertyObject(this, pPropertyElement->GetProperty(), pValue);
        }
        else if (!m_arrStack.empty())
            Top()->SetContentObject(this, pObject);
        else
        {
            m_pRoot = pObject;
            return;
        }
    }
    catch (...)
    {
        pObject->Release();
        throw;
    }
    pObject->Release();
}

CXTPMarkupObject* CXTPMarkupBuilder::ResolveStaticMember(LPCWSTR lpszMember)
{
    XTPMarkupSystemColorKind nKind;
    int nIndex;
    if (!XTPMarkupParseSystemColorMember(lpszMember, nKind, nIndex))
        return nullptr;
    switch (nKind)
    {
    case xtpMarkupSystemColor:
        return GetSystemColor(nIndex);
    case xtpMarkupSystemBrush:
        return GetSystemBrush(nIndex);
    case xtpMarkupSystemColorKey:
        return GetSystemColorKey(nIndex);
    default:
        return GetSystemBrushKey(nIndex);
    }
}

CXTPMarkupObject* CXTPMarkupBuilder::FindResourceInOpenObjects(CXTPMarkupObject* pKey)
{
    for (auto it = m_arrStack.rbegin(); it != m_arrStack.rend(); ++it)
    {
        CXTPMarkupObject* pObject = *it;
        if (pObject->GetType() == CXTPMarkupObjectProperty::GetMarkupType())
            pObject = static_cast<CXTPMarkupObjectProperty*>(pObject)->GetValue();
        else if (!pObject->IsKindOf(CXTPMarkupFrameworkElement::GetMarkupType()) &&
                 !pObject->IsKindOf(CXTPMarkupInputElement::GetMarkupType()) &&
                 !pObject->IsKindOf(CXTPMarkupStyle::GetMarkupType()))
            continue;
        // Open objects have no logical parent yet: the lookup sees the object (and its style) only.
        if (CXTPMarkupObject* pFound = XTPMarkupFindResource(pObject, pKey))
            return pFound;
    }
    return nullptr;
}

CXTPMarkupObject* CXTPMarkupBuilder::ResolveExtension(LPCWSTR lpszText, int nDepth)
{
    if (nDepth >= nMaxExtensionNesting)
        ThrowBuilderError(L"Markup extensions are nested too deeply: more than %i levels", (int)nMaxExtensionNesting);
    std::wstring strText(lpszText);
    if (strText.empty() || strText.back() != L'}')
        ThrowBuilderError(L"Markup extension expressions must end with '}'");
    strText.pop_back();

    if (StartsWith(strText, L"x:Static "))
    {
        std::wstring strMember = strText.substr(9);
        CXTPMarkupObject* pValue = ResolveStaticMember(strMember.c_str());
        if (!pValue)
            ThrowBuilderError(L"Cannot find the static member  '%ls'", strMember.c_str());
        return pValue;
    }
    bool bStatic = StartsWith(strText, L"StaticResource ");
    if (bStatic || StartsWith(strText, L"DynamicResource "))
    {
        std::wstring strKey = strText.substr(bStatic ? 15 : 16);
        size_t nStart = strKey.find_first_not_of(L" \r\n");
        strKey.erase(0, nStart == std::wstring::npos ? strKey.size() : nStart);
        CXTPMarkupObject* pKey;
        if (StartsWith(strKey, L"{}"))
            pKey = CXTPMarkupString::CreateValue(strKey.c_str() + 2);
        else if (StartsWith(strKey, L"{"))
            pKey = ResolveExtension(strKey.c_str() + 1, nDepth + 1);
        else
            pKey = CXTPMarkupString::CreateValue(strKey.c_str());

        CXTPMarkupObject* pFound = nullptr;
        try
        {
            pFound = FindResourceInOpenObjects(pKey);
            if (pFound)
                pFound->AddRef();
            else if (pKey->GetType() == CXTPMarkupColorKey::GetMarkupType())
                pFound = GetSystemColor(static_cast<CXTPMarkupColorKey*>(pKey)->GetIndex());
            else if (pKey->GetType() == CXTPMarkupBrushKey::GetMarkupType())
                pFound = GetSystemBrush(static_cast<CXTPMarkupBrushKey*>(pKey)->GetIndex());
            if (!pFound)
                ThrowBuilderError(L"Cannot find resource named '%ls'. Resource names are case sensitive", strKey.c_str());
        }
        catch (...)
        {
            pKey->Release();
            throw;
        }
        pKey->Release();
        return pFound;
    }
    if (StartsWith(strText, L"x:Type "))
    {
        std::wstring strTag = strText.substr(7);
        CXTPMarkupType* pType = CXTPMarkupType::LookupType(strTag.c_str());
        if (!pType)
            ThrowBuilderError(L"Cannot find type '%ls'", strTag.c_str());
        pType->AddRef();
        return pType;
    }
    ThrowBuilderError(L"The tag '%ls' does not exist in XML namespace", strText.c_str());
}
