#include "MarkupTestSupport.h"

#include <cstdio>

#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupCollection.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

void MarkupTest::SetUp()
{
    XTPMarkupInitialize();
    m_nLiveAtStart = CXTPMarkupObject::GetLiveObjectCount();
    m_pContext = new CXTPMarkupContext(nullptr);
}

void MarkupTest::TearDown()
{
    m_pContext->Release();
    EXPECT_EQ(m_nLiveAtStart, CXTPMarkupObject::GetLiveObjectCount()) << "markup objects were leaked";
}

static MarkupParse ParseWith(CXTPMarkupContext* pContext, const std::string& strText, bool bElement)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    CXTPMarkupBuilder builder(pContext);
    MarkupParse result;
    result.pRoot = bElement ? static_cast<CXTPMarkupObject*>(builder.Parse(&parser)) : builder.ParseObject(&parser);
    result.strError = builder.GetLastError();
    return result;
}

MarkupParse MarkupTest::Parse(const std::string& strText)
{
    return ParseWith(m_pContext, strText, true);
}

MarkupParse MarkupTest::ParseObject(const std::string& strText)
{
    return ParseWith(m_pContext, strText, false);
}

std::string NarrowText(LPCWSTR lpszText)
{
    std::string str;
    for (; lpszText && *lpszText; lpszText++)
    {
        if (*lpszText < 0x80)
            str += (char)*lpszText;
        else
        {
            char sz[16];
            sprintf(sz, "\\u%04X", (unsigned)*lpszText);
            str += sz;
        }
    }
    return str;
}

static std::string ShortName(const CXTPMarkupObject* pObject)
{
    std::string str = NarrowText(pObject->GetType()->GetClassName());
    return str.compare(0, 10, "CXTPMarkup") == 0 ? str.substr(10) : str;
}

std::string DumpMarkupValue(const CXTPMarkupObject* pValue)
{
    char sz[64];
    CXTPMarkupType* pType = pValue->GetType();
    if (LPCWSTR lpszText = XTPMarkupStringOf(pValue))
        return "\"" + NarrowText(lpszText) + "\"";
    if (pType == CXTPMarkupInt::GetMarkupType())
        sprintf(sz, "%d", static_cast<const CXTPMarkupInt*>(pValue)->GetValue());
    else if (pType == CXTPMarkupEnum::GetMarkupType())
        sprintf(sz, "%d", static_cast<const CXTPMarkupEnum*>(pValue)->GetValue());
    else if (pType == CXTPMarkupDouble::GetMarkupType())
        sprintf(sz, "%g", static_cast<const CXTPMarkupDouble*>(pValue)->GetValue());
    else if (pType == CXTPMarkupBool::GetMarkupType())
        sprintf(sz, "%s", static_cast<const CXTPMarkupBool*>(pValue)->GetValue() ? "True" : "False");
    else if (pType == CXTPMarkupColor::GetMarkupType())
        sprintf(sz, "#%08X", (unsigned)static_cast<const CXTPMarkupColor*>(pValue)->GetValue());
    else if (pType == CXTPMarkupThickness::GetMarkupType())
    {
        const CXTPMarkupThickness* p = static_cast<const CXTPMarkupThickness*>(pValue);
        sprintf(sz, "%d,%d,%d,%d", p->GetLeft(), p->GetTop(), p->GetRight(), p->GetBottom());
    }
    else if (pType == CXTPMarkupPoint::GetMarkupType())
        sprintf(sz, "(%g,%g)", static_cast<const CXTPMarkupPoint*>(pValue)->x,
                static_cast<const CXTPMarkupPoint*>(pValue)->y);
    else if (pType == CXTPMarkupType::GetMarkupType())
        return "{Type " + NarrowText(static_cast<const CXTPMarkupType*>(pValue)->GetClassName()) + "}";
    else if (pValue->IsKindOf(CXTPMarkupDependencyProperty::GetMarkupType()))
        return "{Property " + NarrowText(static_cast<const CXTPMarkupDependencyProperty*>(pValue)->GetName()) + "}";
    else
        return std::string();
    return sz;
}

static void DumpInto(std::string& strOut, const CXTPMarkupObject* pObject, int nIndent, const std::string& strPrefix)
{
    std::string strIndent(nIndent * 2, ' ');
    strOut += strIndent + strPrefix + ShortName(pObject);
    std::string strSimple = DumpMarkupValue(pObject);
    if (!strSimple.empty())
    {
        strOut += " " + strSimple + "\n";
        return;
    }
    // Local values in property order: plain values on the object's line, objects below it.
    std::vector<std::pair<std::string, const CXTPMarkupObject*>> arrNested;
    if (CXTPMarkupProperties* pStore = pObject->GetProperties())
    {
        for (int i = 0; i < pStore->GetCount(); i++)
        {
            CXTPMarkupDependencyProperty* pProperty = CXTPMarkupDependencyProperty::GetRegisteredProperty(i);
            CXTPMarkupObject* pValue = pProperty ? pStore->Get(pProperty) : nullptr;
            if (!pValue)
                continue;
            std::string strValue = DumpMarkupValue(pValue);
            if (strValue.empty())
                arrNested.push_back({NarrowText(pProperty->GetName()), pValue});
            else
                strOut += " " + NarrowText(pProperty->GetName()) + "=" + strValue;
        }
    }
    strOut += "\n";
    for (auto& nested : arrNested)
        DumpInto(strOut, nested.second, nIndent + 1, nested.first + "=");
    int nCount = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; i++)
    {
        const CXTPMarkupObject* pChild = pObject->GetLogicalChild(i);
        // A child that is also a property value was written above.
        bool bWritten = false;
        for (auto& nested : arrNested)
            bWritten = bWritten || nested.second == pChild;
        if (pChild && !bWritten)
            DumpInto(strOut, pChild, nIndent + 1, std::string());
    }
}

std::string DumpMarkupTree(const CXTPMarkupObject* pObject)
{
    std::string strOut;
    if (pObject)
        DumpInto(strOut, pObject, 0, std::string());
    return strOut;
}
