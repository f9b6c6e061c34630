#include "tests/e2e/E2eConfigBackup.h"

#include <windows.h>

#include <shlobj.h>

#include <fstream>
#include <sstream>

CConfigBackup::CConfigBackup()
{
    m_existed = ReadConfigFile(m_bytes);
    ::DeleteFileA(ConfigFilePath().c_str());
}

CConfigBackup::~CConfigBackup()
{
    const std::string path = ConfigFilePath();
    ::DeleteFileA(path.c_str());
    if (m_existed)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(m_bytes.data(), static_cast<std::streamsize>(m_bytes.size()));
    }
}

std::string CConfigBackup::ConfigFilePath()
{
    char folder[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder)))
        return std::string();
    std::string path(folder);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + "Quorvex\\QVXClient.cfg";
}

bool CConfigBackup::ReadConfigFile(std::string& bytes)
{
    std::ifstream in(ConfigFilePath(), std::ios::binary);
    if (!in)
        return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    bytes = buffer.str();
    return true;
}

std::string CConfigBackup::ReadLastBrowsePath()
{
    char value[1024] = {};
    ::GetPrivateProfileStringA("ClientOptions", "LastBrowsePath", "", value, sizeof value,
                               ConfigFilePath().c_str());
    return value;
}
