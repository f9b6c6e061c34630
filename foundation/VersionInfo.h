// The version block of a module file.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

// Reads the version resource of a module file: the fixed file information and the string table of the first
// translation.
class CVersionInfo
{
public:
    // Empty state; when the module's file name can be had (null: the program), its version block is loaded.
    explicit CVersionInfo(HMODULE module = nullptr);
    virtual ~CVersionInfo();

    CVersionInfo(const CVersionInfo&) = delete;
    CVersionInfo& operator=(const CVersionInfo&) = delete;

    // Frees an earlier block, then reads the version block of the file; true when the fixed information and
    // a translation were found.
    bool Load(const char* path);

    bool IsValid() const { return m_valid != 0; }
    // The fixed file information inside the block; null when not valid.
    const VS_FIXEDFILEINFO* GetFixedInfo() const { return m_valid ? m_fixedInfo : nullptr; }
    // "\StringFileInfo\llllcccc\" of the first translation; empty when not valid.
    const CDravikString& GetStringTablePrefix() const { return m_prefix; }
    // The file and product versions as major, minor, build, revision; false when not valid.
    bool GetFileVersion(WORD parts[4]) const;
    bool GetProductVersion(WORD parts[4]) const;
    // "major.minor.build.revision" of the file version; empty when not valid.
    CDravikString GetFileVersionText() const;
    // A value of the string table ("FileDescription", "ProductName", ...); empty when missing.
    CDravikString GetStringValue(const char* key) const;

private:
    void Clear();

    BYTE m_valid;
    BYTE* m_block;
    CDravikString m_prefix;
    VS_FIXEDFILEINFO* m_fixedInfo;
};
