#include "ProfileTestSupport.h"

#include <windows.h>

#include <string>

namespace profile_test
{
namespace
{
// "<temp folder><stem><process id>_<n>.ini", a new n for each application object.
std::string ScratchIniPath(const char* stem)
{
    static int counter = 0;
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + stem + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter) +
           ".ini";
}
} // namespace

std::vector<std::string> IniLines(const std::string& path, const char* section)
{
    std::vector<char> buf(1 << 20);
    const DWORD n = ::GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
    std::vector<std::string> lines;
    for (DWORD i = 0; i < n && buf[i];)
    {
        lines.emplace_back(&buf[i]);
        i += static_cast<DWORD>(lines.back().size()) + 1;
    }
    return lines;
}

ScratchProfileApp::ScratchProfileApp(const char* stem) : CWinApp(stem), m_path(ScratchIniPath(stem))
{
    ::DeleteFileA(m_path.c_str());
    m_pszProfileName = m_path.c_str();
}

ScratchProfileApp::~ScratchProfileApp()
{
    m_pszProfileName = nullptr;
    ::DeleteFileA(m_path.c_str());
}

void ScratchProfileApp::Write(const char* section, const char* entry, const char* value) const
{
    ::WritePrivateProfileStringA(section, entry, value, m_path.c_str());
}
void ScratchProfileApp::WriteLines(const char* section, const std::vector<std::string>& lines) const
{
    for (const std::string& line : lines)
    {
        const size_t equals = line.find('=');
        Write(section, line.substr(0, equals).c_str(), line.substr(equals + 1).c_str());
    }
}

std::vector<BYTE> ScratchProfileApp::Binary(const char* section, const char* entry)
{
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    std::vector<BYTE> bytes;
    if (GetProfileBinary(section, entry, &pData, &nBytes) && pData)
        bytes.assign(pData, pData + nBytes);
    delete[] pData;
    return bytes;
}
} // namespace profile_test
