// CClientConfigFile: the harness configuration file "QVXClient.cfg" in the shared data folder, an INI file
// that remembers the folder of the last suite chosen in the load browser.
#pragma once

#include "foundation/DravikString.h"

class CClientConfigFile
{
public:
    static const char kFileName[];
    static const char kSection[];
    static const char kLastBrowsePathKey[];
    // Bytes of the read buffer (values are cut to one less).
    static constexpr int kValueBufferBytes = 256;

    // The shared data folder of the program (common application data + product folder).
    CClientConfigFile();
    // Another folder (with or without a trailing backslash); empty: no configuration file.
    explicit CClientConfigFile(const CDravikString& folder);

    // The folder with a trailing backslash and "QVXClient.cfg"; empty when the folder is empty.
    CDravikString GetConfigFilePath() const;
    // The value of a key; false (out unchanged) when it is missing, empty or there is no file path.
    bool ReadConfigString(const char* section, const char* key, CDravikString& out) const;
    // Writes a value, creating the folder first; an empty value removes the key. False without a file path
    // or when the file cannot be written.
    bool WriteConfigString(const char* section, const char* key, const CDravikString& value) const;
    bool ReadLastBrowsePath(CDravikString& out) const;
    bool WriteLastBrowsePath(const CDravikString& value) const;

private:
    CDravikString m_folder;
};
