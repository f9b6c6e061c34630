// The manager's customised controls: every bar with its controls as one compressed archive in
// "<profile>-Controls" (or, when too large for the profile, in a hidden file the section names),
// and the merge of the loaded bars into the bars the program made.
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/AppGlobals.h"
#include "framework/Exceptions.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/persistence/XTPBarLayoutState.h"
#include "toolkit/commandbars/persistence/XTPControlsFile.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPZipMemFile.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
CString ControlsSection(LPCSTR lpszProfileName)
{
    CString strSection;
    strSection.Format("%s-Controls", lpszProfileName ? lpszProfileName : "");
    return strSection;
}

// Runs one pass over an archive: an archive, OLE, file or memory exception (damage, a class that
// cannot be made) gives FALSE.
template <class Pass> BOOL RunExchange(Pass pass)
{
    try
    {
        return pass();
    }
    catch (CArchiveException* e)
    {
        e->Delete();
    }
    catch (COleException* e)
    {
        e->Delete();
    }
    catch (CFileException* e)
    {
        e->Delete();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    return FALSE;
}

// The schema, then the section "CommandBars" with its enumeration "CommandBar".
struct CBarListSection
{
    explicit CBarListSection(CXTPPropExchange* pPX)
    {
        pPX->ExchangeSchema();
        m_pSection.reset(pPX->GetSection("CommandBars"));
        m_pEnum.reset(m_pSection->GetEnumerator("CommandBar"));
    }
    std::unique_ptr<CXTPPropExchange> m_pSection;
    std::unique_ptr<CXTPPropExchangeEnumerator> m_pEnum;
};

// The user's application-data folder with the application's own folder in it (made when
// missing); empty when there is none.
CString ApplicationDataFolder()
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &pidl)) || !pidl)
        return CString();
    char szPath[MAX_PATH] = {};
    const BOOL bPath = ::SHGetPathFromIDListA(pidl, szPath);
    ::CoTaskMemFree(pidl);
    if (!bPath || !szPath[0])
        return CString();
    CString strFolder(szPath);
    strFolder += "\\";
    strFolder += AfxGetAppName();
    ::CreateDirectoryA(strFolder, nullptr);
    const DWORD dwAttributes = ::GetFileAttributesA(strFolder);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return CString();
    return strFolder;
}
} // namespace

// ---------------------------------------------------------------- file names

CString XTPControlsFileName(LPCSTR lpszProfileName)
{
    CString strName(lpszProfileName ? lpszProfileName : "");
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        if (std::strchr("\\/:*?\"<>|", strName[i]))
            strName.SetAt(i, '_');
    }
    return strName;
}

BOOL XTPWriteFileReplacing(LPCSTR lpszPath, const BYTE* pData, DWORD nBytes, DWORD dwAttributes)
{
    if (!lpszPath || !*lpszPath || (!pData && nBytes))
        return FALSE;
    CString strTemp(lpszPath);
    strTemp += ".new";
    HANDLE hFile = ::CreateFileA(strTemp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, dwAttributes, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    BOOL bOk = nBytes == 0 || (::WriteFile(hFile, pData, nBytes, &nWritten, nullptr) && nWritten == nBytes);
    bOk = ::FlushFileBuffers(hFile) && bOk;
    bOk = ::CloseHandle(hFile) && bOk;
    if (bOk)
    {
        // A read-only or hidden old file would refuse to be replaced on some systems.
        ::SetFileAttributesA(lpszPath, FILE_ATTRIBUTE_NORMAL);
        bOk = ::MoveFileExA(strTemp, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!bOk)
    {
        ::DeleteFileA(strTemp);
        return FALSE;
    }
    ::SetFileAttributesA(lpszPath, dwAttributes);
    return TRUE;
}

BOOL CXTPCommandBars::GetControlsFilePath(CString& strPath, LPCSTR lpszProfileName) const
{
    if (!m_strControlsFileName.IsEmpty())
    {
        strPath = m_strControlsFileName;
        return TRUE;
    }
    const CString strFileName = XTPControlsFileName(lpszProfileName);
    if (strFileName.IsEmpty())
        return FALSE;
    const CString strFolder = ApplicationDataFolder();
    if (!strFolder.IsEmpty())
    {
        strPath = strFolder + "\\" + strFileName;
        return TRUE;
    }
    char szModule[MAX_PATH] = {};
    if (!::GetModuleFileNameA(nullptr, szModule, MAX_PATH))
        return FALSE;
    strPath.Format("%s-%s", szModule, static_cast<LPCSTR>(strFileName));
    return TRUE;
}

// ---------------------------------------------------------------- the list of bars

void CXTPCommandBars::GenerateCommandBarList(CXTPCommandBarList* pBarList, XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam)
{
    if (!pBarList)
        return;
    DWORD nID = 0x1000000;
    const BOOL bOnlyCustomized = pParam && pParam->bSaveOnlyCustomized;
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPCommandBar* pBar = GetAt(i);
        CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
        if (bOnlyCustomized && pToolBar && pToolBar->IsBuiltIn() && !pToolBar->IsChanged())
            continue;
        pBar->GenerateCommandBarList(nID, pBarList, pParam);
    }
    for (int i = 0; i < m_pContextMenus->GetCount(); ++i)
    {
        CXTPCommandBar* pBar = m_pContextMenus->GetAt(i);
        if (bOnlyCustomized && !pBar->GetControls()->IsChanged())
            continue;
        pBar->GenerateCommandBarList(nID, pBarList, pParam);
    }
    if (pParam)
        pParam->nNextBarNumber = static_cast<int>(nID);
}

BOOL CXTPCommandBars::SaveCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pBarList)
{
    if (!pPX || !pBarList)
        return FALSE;
    return RunExchange([&]() -> BOOL {
        CBarListSection list(pPX);
        CXTPPropExchangeEnumerator* pEnum = list.m_pEnum.get();
        POSITION pos = pEnum->GetPosition(static_cast<DWORD>(pBarList->GetCount()));
        for (int i = 0; i < pBarList->GetCount() && pos; ++i)
        {
            CXTPCommandBar* pBar = pBarList->GetAt(i);
            std::unique_ptr<CXTPPropExchange> pBarSection(pEnum->GetNext(pos));
            CObject* pObject = pBar;
            pBarSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPCommandBar));
            pBar->DoPropExchange(pBarSection.get());
        }
        return TRUE;
    });
}

BOOL CXTPCommandBars::LoadCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pBarList)
{
    if (!pPX || !pBarList)
        return FALSE;
    return RunExchange([&]() -> BOOL {
        CBarListSection list(pPX);
        CXTPPropExchangeEnumerator* pEnum = list.m_pEnum.get();
        POSITION pos = pEnum->GetPosition(0);
        if (pEnum->GetCount() > static_cast<DWORD>(XTP_BAR_LAYOUT_MAX_BARS))
            return FALSE;
        while (pos)
        {
            std::unique_ptr<CXTPPropExchange> pBarSection(pEnum->GetNext(pos));
            CObject* pObject = nullptr;
            if (!pBarSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPCommandBar)) || !pObject)
                return FALSE;
            CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(pObject);
            pBar->SetCommandBars(this);
            pBar->GetControls()->SetCommandBars(this);
            try
            {
                pBar->DoPropExchange(pBarSection.get());
            }
            catch (...)
            {
                pBar->InternalRelease();
                throw;
            }
            pBar->GetControls()->RefreshIndexes();
            pBarList->Add(pBar);
            pBar->InternalRelease();
        }
        return TRUE;
    });
}

// ---------------------------------------------------------------- merging

void CXTPCommandBars::RestoreCommandBarList(CXTPCommandBarList* pBarList, BOOL bSilent)
{
    if (!pBarList)
        return;
    for (int i = 0; i < pBarList->GetCount(); ++i)
    {
        CXTPCommandBar* pBar = pBarList->GetAt(i);
        if (CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(pBar))
        {
            pToolBar->RestoreCommandBarList(pBarList);
            CXTPToolBar* pExisting = dynamic_cast<CXTPToolBar*>(GetToolBar(pToolBar->GetBarID()));
            if (pExisting && pExisting != pToolBar)
            {
                pExisting->MergeToolBar(pToolBar, bSilent);
                continue;
            }
            if (pExisting)
                continue;
            // A bar the user made: it joins the manager where it was saved.
            pToolBar->InternalAddRef();
            AddCommandBar(pToolBar);
            const int nPosition = pToolBar->GetPosition();
            BOOL bPlaced = FALSE;
            if (nPosition >= xtpBarTop && nPosition <= xtpBarRight && GetDockBar(nPosition))
                bPlaced = DockCommandBar(pToolBar, nPosition);
            else if (nPosition == xtpBarFloating)
                bPlaced = FloatCommandBar(pToolBar);
            if (!bPlaced && !pToolBar->GetSafeHwnd())
                pToolBar->CreateBarWindow(GetSite(), FALSE);
            AddRebarBand(pToolBar);
            continue;
        }
        if (pBar->IsPopupBar() && pBar->m_bContextMenu)
        {
            pBar->RestoreCommandBarList(pBarList);
            CXTPCommandBar* pExisting = m_pContextMenus->FindCommandBar(pBar->GetBarID());
            if (pExisting && pExisting != pBar)
            {
                CXTPControls* pControls = pExisting->GetControls();
                CXTPOriginalControls* pKeep = pControls->GetOriginalControls();
                if (pKeep)
                    pKeep->InternalAddRef();
                pControls->Copy(pBar->GetControls(), TRUE);
                if (pKeep)
                    pControls->SetOriginalControls(pKeep);
                continue;
            }
            if (pExisting)
                continue;
            m_pContextMenus->Add(pBar);
            if (!pBar->GetControls()->GetOriginalControls())
                pBar->GetControls()->CreateOriginalControls();
        }
    }
}

// ---------------------------------------------------------------- the profile and the file

BOOL CXTPCommandBars::WriteControlsBuffer(LPCSTR lpszProfileName, const BYTE* pData, DWORD nBytes)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    const CString strSection = ControlsSection(lpszProfileName);
    CString strPath;
    if (nBytes > nMaxControlsInProfile && GetControlsFilePath(strPath, lpszProfileName))
    {
        // Written beside the old file and renamed over it, so that the profile never names a
        // missing or cut file.
        if (!XTPWriteFileReplacing(strPath, pData, nBytes, FILE_ATTRIBUTE_HIDDEN))
        {
            pApp->WriteProfileString(strSection, nullptr, nullptr);
            return FALSE;
        }
        pApp->WriteProfileString(strSection, "Controls", strPath);
        pApp->WriteProfileInt(strSection, "LoadFromFile", 1);
        return TRUE;
    }
    if (!pApp->WriteProfileBinary(strSection, "Controls", const_cast<BYTE*>(pData), nBytes))
    {
        pApp->WriteProfileString(strSection, nullptr, nullptr);
        return FALSE;
    }
    pApp->WriteProfileInt(strSection, "LoadFromFile", 0);
    return TRUE;
}

void CXTPCommandBars::SaveControls(LPCSTR lpszProfileName, BOOL bOnlyCustomized)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = bOnlyCustomized;
    param.bSaveOriginalControls = TRUE;
    param.pCommandBars = this;
    CXTPCommandBarList list(this);
    GenerateCommandBarList(&list, &param);

    BYTE* pData = nullptr;
    DWORD nBytes = 0;
    BOOL bSaved = FALSE;
    {
        CXTPZipMemFile file;
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        CXTPPropExchangeArchive px(ar);
        px.SetExchangeParam(&param);
        bSaved = SaveCommandBarList(&px, &list);
        if (bSaved)
        {
            try
            {
                ar.Flush();
                file.DetachCompressedBuffer(pData, nBytes);
            }
            catch (CException* e)
            {
                e->Delete();
                bSaved = FALSE;
            }
        }
        ar.Abort();
    }
    if (!bSaved || !WriteControlsBuffer(lpszProfileName, pData, nBytes))
        pApp->WriteProfileString(ControlsSection(lpszProfileName), nullptr, nullptr);
    std::free(pData);
}

BOOL CXTPCommandBars::LoadControlsFromFile(CFile* pFile, BOOL bSilent)
{
    if (!pFile)
        return FALSE;
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.pCommandBars = this;
    param.bLoadSilent = bSilent;
    CXTPCommandBarList list(this);
    BOOL bLoaded = FALSE;
    {
        CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
        CXTPPropExchangeArchive px(ar);
        px.SetExchangeParam(&param);
        bLoaded = LoadCommandBarList(&px, &list);
        ar.Abort();
    }
    if (bLoaded)
        RestoreCommandBarList(&list, bSilent);
    return bLoaded;
}

void CXTPCommandBars::LoadControls(LPCSTR lpszProfileName, BOOL bSilent)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    const CString strSection = ControlsSection(lpszProfileName);
    if (pApp->GetProfileInt(strSection, "LoadFromFile", 0) != 0)
    {
        const CString strPath = pApp->GetProfileString(strSection, "Controls", "");
        CXTPZipMemFile file;
        if (!strPath.IsEmpty() && file.OpenCompressedFile(strPath))
            LoadControlsFromFile(&file, bSilent);
        return;
    }
    LPBYTE pStored = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(strSection, "Controls", &pStored, &nBytes) || !pStored || nBytes == 0)
    {
        delete[] pStored;
        return;
    }
    // The memory file takes a buffer of its own (from malloc).
    BYTE* pData = static_cast<BYTE*>(std::malloc(nBytes));
    if (!pData)
    {
        delete[] pStored;
        return;
    }
    std::memcpy(pData, pStored, nBytes);
    delete[] pStored;
    CXTPZipMemFile file;
    file.AttachCompressed(pData, nBytes, TRUE);
    LoadControlsFromFile(&file, bSilent);
}
