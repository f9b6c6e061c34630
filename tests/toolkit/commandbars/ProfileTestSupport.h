// Helpers of the tests that save bars to the application's profile: an application object whose
// profile is a scratch INI file, and the entries of one INI section in file order.
#pragma once

#include "framework/WinApp.h"

#include <string>
#include <vector>

namespace profile_test
{
// The "key=value" lines of an INI section, in file order (empty when there is no section).
std::vector<std::string> IniLines(const std::string& path, const char* section);

// An application object whose profile functions use a fresh INI file in the temporary folder; the
// file is deleted again by the destructor.
class ScratchProfileApp : public CWinApp
{
public:
    explicit ScratchProfileApp(const char* stem);
    ~ScratchProfileApp() override;
    const std::string& Path() const { return m_path; }
    std::vector<std::string> Lines(const char* section) const { return IniLines(m_path, section); }
    void Write(const char* section, const char* entry, const char* value) const;
    // Writes "key=value" lines into a section.
    void WriteLines(const char* section, const std::vector<std::string>& lines) const;
    // The bytes of a binary profile entry (empty when there is none).
    std::vector<BYTE> Binary(const char* section, const char* entry);

private:
    std::string m_path;
};
} // namespace profile_test
