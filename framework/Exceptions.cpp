#include "framework/Exceptions.h"

#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace
{
BOOL CopyMessage(LPSTR lpszError, UINT nMaxError, const char* text)
{
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, text, static_cast<int>(nMaxError));
    return TRUE;
}

BOOL CopyMessage(LPSTR lpszError, UINT nMaxError, const char* what, const CString& name)
{
    CString text;
    if (name.IsEmpty())
        text = what;
    else
        text.Format("%s (%s)", what, static_cast<const char*>(name));
    return CopyMessage(lpszError, nMaxError, text);
}
} // namespace

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError)
        *lpszError = 0;
    return FALSE;
}

CString CException::GetErrorText() const
{
    char buf[512];
    if (!GetErrorMessage(buf, sizeof(buf)))
        return CString();
    return CString(buf);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(lpszError, nMaxError, "Out of memory.");
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(lpszError, nMaxError, "Unsupported operation was attempted.");
}

BOOL CInvalidArgException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(lpszError, nMaxError, "Invalid argument.");
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const texts[] = {
        "No error occurred.",
        "An unknown error occurred while accessing an archive.",
        "Tried to write to an archive opened for loading.",
        "Unexpected end of archive.",
        "Tried to read from an archive opened for storing.",
        "The archive holds an invalid object or class reference.",
        "The archive holds an object of an unexpected or unknown class.",
        "The archive holds an object with an unexpected schema.",
        "The archive buffer is full.",
    };
    if (pnHelpContext)
        *pnHelpContext = 0;
    int cause = m_cause >= 0 && m_cause < static_cast<int>(sizeof(texts) / sizeof(texts[0])) ? m_cause : 1;
    return CopyMessage(lpszError, nMaxError, texts[cause], m_strFileName);
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const texts[] = {
        "No error occurred.",
        "An unknown error occurred while accessing a file.",
        "The file was not found.",
        "The path is invalid.",
        "Too many files are open.",
        "Access to the file was denied.",
        "An invalid file handle was used.",
        "The current directory cannot be removed.",
        "The directory is full.",
        "A seek failed.",
        "A hardware input/output error occurred.",
        "A sharing violation occurred.",
        "A locking violation occurred.",
        "The disk is full.",
        "Tried to read past the end of the file.",
    };
    if (pnHelpContext)
        *pnHelpContext = 0;
    int cause = m_cause >= 0 && m_cause < static_cast<int>(sizeof(texts) / sizeof(texts[0])) ? m_cause : 1;
    return CopyMessage(lpszError, nMaxError, texts[cause], m_strFileName);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL COleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    char text[64];
    std::snprintf(text, sizeof(text), "OLE error 0x%08lX.", static_cast<unsigned long>(m_sc));
    return CopyMessage(lpszError, nMaxError, text);
}

SCODE COleException::Process(const CException* pAnyException)
{
    if (!pAnyException)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

void AfxThrowMemoryException()
{
    throw new CMemoryException();
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

// A window or other system resource could not be made.
IMPLEMENT_DYNAMIC(CResourceException, CException)

void AfxThrowResourceException()
{
    throw new CResourceException();
}
