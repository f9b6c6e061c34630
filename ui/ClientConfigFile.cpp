#include "ui/ClientConfigFile.h"

#include <windows.h>

#include "foundation/PathUtilities.h"
#include "engine/app/QuorvexApp.h"

const char CClientConfigFile::kFileName[] = "QVXClient.cfg";
const char CClientConfigFile::kSection[] = "ClientOptions";
const char CClientConfigFile::kLastBrowsePathKey[] = "LastBrowsePath";

CClientConfigFile::CClientConfigFile() : m_folder(CQuorvexApp::GetDataFolder()) {}

CClientConfigFile::CClientConfigFile(const CDravikString& folder) : m_folder(folder) {}

CDravikString CClientConfigFile::GetConfigFilePath() const
{
    CDravikString path(m_folder);
    if (path.IsEmpty())
        return CDravikString("");
    path.MakeAnsi();
    path.EnsureTrailingBackslash();
    path += kFileName;
    return path;
}

bool CClientConfigFile::ReadConfigString(const char* section, const char* key, CDravikString& out) const
{
    CDravikString path = GetConfigFilePath();
    if (path.IsEmpty() || !section || !key)
        return false;
    char buffer[kValueBufferBytes] = {};
    DWORD length = ::GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path.GetAnsi());
    if (length == 0)
        return false;
    out = buffer;
    return true;
}

bool CClientConfigFile::WriteConfigString(const char* section, const char* key,
                                          const CDravikString& value) const
{
    CDravikString path = GetConfigFilePath();
    if (path.IsEmpty() || !section || !key)
        return false;
    // On a fresh system the data folder does not exist yet, and the profile functions do not create it.
    CDravikString folder(m_folder);
    folder.MakeAnsi();
    if (!PathExists(folder))
        CreateFolderPath(folder);
    CDravikString text(value);
    const char* ansi = text.IsEmpty() ? nullptr : text.GetAnsi();
    return ::WritePrivateProfileStringA(section, key, ansi, path.GetAnsi()) != FALSE;
}

bool CClientConfigFile::ReadLastBrowsePath(CDravikString& out) const
{
    return ReadConfigString(kSection, kLastBrowsePathKey, out);
}

bool CClientConfigFile::WriteLastBrowsePath(const CDravikString& value) const
{
    return WriteConfigString(kSection, kLastBrowsePathKey, value);
}
