// Text helpers the test executables share: time stamps of the harness's messages masked, and a file read
// byte for byte.
#pragma once

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace qvx_test
{
// "[HH:MM:SS:mmm]" as the harness stamps its messages, replaced by "[TS]".
inline std::string MaskStamps(const std::string& text)
{
    static const std::regex stamp(R"(\[\d{2}:\d{2}:\d{2}:\d{1,3}\])");
    return std::regex_replace(text, stamp, "[TS]");
}

// The file's bytes ("" when it cannot be read).
inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}
} // namespace qvx_test
