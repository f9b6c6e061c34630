// CDocTemplate: what one kind of document shares, named by one resource id: the "\n"-separated
// document strings, the menu that the document's MDI children show (m_hMenuShared) and their
// accelerators. The application keeps its templates in a list (CWinApp::AddDocTemplate).
#pragma once

#include "framework/CmdTarget.h"
#include "framework/FrameworkString.h"

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)

public:
    // Substrings of the resource string, in order.
    enum DocStringIndex
    {
        windowTitle = 0,    // the main window's title (single-document programs)
        docName = 1,        // the default name of a new document
        fileNewName = 2,    // the kind's name in a "new" list
        filterName = 3,     // the file filter's description
        filterExt = 4,      // the file filter's extension
        regFileTypeId = 5,  // the registry's file type id
        regFileTypeName = 6 // the registry's readable file type name
    };

    explicit CDocTemplate(UINT nIDResource);
    ~CDocTemplate() override;

    // Loads the string, menu and accelerators of the resource id (once; AddDocTemplate calls it).
    virtual void LoadTemplate();
    // The substring of the resource string; FALSE (and an empty string) when it is absent.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    UINT GetResourceId() const { return m_nIDResource; }
    // Replaces the shared menu and accelerators; the template owns them from then on.
    void SetSharedHandles(HMENU hMenuShared, HACCEL hAccelTable);

    UINT m_nIDResource;
    CString m_strDocStrings;
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;
    // Deleted by the application object that holds it in its list.
    BOOL m_bAutoDelete = TRUE;

private:
    BOOL m_bLoaded = FALSE;
};
