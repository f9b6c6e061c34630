// CConfigBackup: keeps the harness's configuration file ("QVXClient.cfg" in the common application-data
// folder under "Quorvex") out of a test's way. It takes the file's bytes and removes the file on
// construction, and puts the old bytes back (or removes what the test left) on destruction.
#pragma once

#include <string>

class CConfigBackup
{
public:
    CConfigBackup();
    ~CConfigBackup();
    CConfigBackup(const CConfigBackup&) = delete;
    CConfigBackup& operator=(const CConfigBackup&) = delete;

    static std::string ConfigFilePath();
    // The file's whole content now; false when it does not exist.
    static bool ReadConfigFile(std::string& bytes);
    // The "LastBrowsePath" of section "ClientOptions", read with the profile functions; empty when absent.
    static std::string ReadLastBrowsePath();

private:
    bool m_existed = false;
    std::string m_bytes;
};
