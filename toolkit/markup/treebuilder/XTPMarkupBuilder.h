// CXTPMarkupBuilder: turns the tokens of a CXTPMarkupParser into a tree of markup objects for one
// context, resolving tags and attributes through the type registry, converting values and
// evaluating the markup extensions in braces. The first error ends the parse with its message,
// line and position; nothing of a failed parse survives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "toolkit/markup/objects/XTPMarkupType.h"

class CXTPMarkupContext;
class CXTPMarkupParser;
class CXTPMarkupUIElement;
class CXTPMarkupSolidColorBrush;

// A build error, thrown by pointer (auto-delete) and caught inside Parse. Keeps at most 255 characters.
class CXTPMarkupBuilderException : public CException
{
public:
    explicit CXTPMarkupBuilderException(LPCSTR lpszMessage);
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    LPCSTR GetMessage() const { return m_szMessage; }

    enum
    {
        nMaxMessage = 255
    };

private:
    char m_szMessage[nMaxMessage + 1];
};

// A property element being filled ("<Grid.RowDefinitions>"): the property and the value so far.
class CXTPMarkupObjectProperty : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupObjectProperty)
public:
    explicit CXTPMarkupObjectProperty(CXTPMarkupDependencyProperty* pProperty = nullptr);

    CXTPMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    // The value collected so far (no new reference).
    CXTPMarkupObject* GetValue() const { return m_pValue; }
    // Hands the value over to the caller (one reference) and forgets it.
    CXTPMarkupObject* DetachValue();

    // Content of the property's type, or a string, becomes the value; other content is handed to
    // the value so far, or to a new object of the property's type made for it.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

protected:
    ~CXTPMarkupObjectProperty() override;

private:
    CXTPMarkupDependencyProperty* m_pProperty;
    CXTPMarkupObject* m_pValue;
};

class CXTPMarkupBuilder
{
public:
    // Open elements and nested markup extensions the builder accepts before it refuses the input.
    enum
    {
        nMaxOpenElements = 256,
        nMaxExtensionNesting = 16,
    };

    explicit CXTPMarkupBuilder(CXTPMarkupContext* pContext);
    virtual ~CXTPMarkupBuilder();

    // The root with one reference owned by the caller, or null with GetLastError telling why. No
    // exception leaves it.
    CXTPMarkupUIElement* Parse(CXTPMarkupParser* pParser);
    // Like Parse without the final check that the root is a UI element: any completed root object
    // (one reference). For code and tests that build values other than elements.
    CXTPMarkupObject* ParseObject(CXTPMarkupParser* pParser);
    LPCSTR GetLastError() const { return m_strError.c_str(); }

    CXTPMarkupContext* GetContext() const { return m_pContext; }

    // A new object of the registered tag through the context; null for an unknown tag.
    CXTPMarkupObject* CreateObject(LPCWSTR lpszTag);
    // A new object of pType through the context.
    CXTPMarkupObject* CreateObject(CXTPMarkupType* pType);
    // The value converted for the property (one new reference); a build error when it cannot be.
    // The caller keeps its reference to pValue.
    CXTPMarkupObject* ConvertValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);

    // Throws the message as a build error; printf-style with %ls for wide texts.
    [[noreturn]] void ThrowBuilderError(LPCWSTR lpszFormat, ...);

    // System colour objects, one per builder and index, shared (each answer one more reference).
    CXTPMarkupObject* GetSystemColor(int nIndex);
    CXTPMarkupObject* GetSystemBrush(int nIndex);
    CXTPMarkupObject* GetSystemColorKey(int nIndex);
    CXTPMarkupObject* GetSystemBrushKey(int nIndex);

private:
    CXTPMarkupObject* ParseCore(CXTPMarkupParser* pParser, BOOL bUIElementRoot);
    void Build(CXTPMarkupParser* pParser);
    void OnStartTag();
    void OnAttribute();
    void OnEndTag();
    void OnInstructionData();
    void FlushContentTo(CXTPMarkupObject* pParent);
    CXTPMarkupObject* Top() const;
    CXTPMarkupObject* MakeString(const std::wstring& str);
    // The value of an attribute after '{' (no "{}" escape); nDepth counts nested extensions.
    CXTPMarkupObject* ResolveExtension(LPCWSTR lpszText, int nDepth);
    CXTPMarkupObject* ResolveStaticMember(LPCWSTR lpszMember);
    CXTPMarkupObject* FindResourceInOpenObjects(CXTPMarkupObject* pKey);
    void LoadTree(CXTPMarkupObject* pObject, int nDepth);
    CXTPMarkupObject*& SystemSlot(int nTable, int nIndex);

    CXTPMarkupContext* m_pContext;
    CXTPMarkupParser* m_pParser;
    std::string m_strError;
    std::vector<CXTPMarkupObject*> m_arrStack;
    CXTPMarkupObject* m_pRoot;
    std::wstring m_strText;
    BOOL m_bWhiteSpace;
    std::wstring m_strInstruction;
    CXTPMarkupObject* m_arrSystem[4][31];
};
