// A fresh folder under the temporary folder for tests that touch files; removed with its content at the end.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

class CScratchFolder
{
public:
    explicit CScratchFolder(const char* prefix = "qvx_scratch")
    {
        static unsigned long serial = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char name[96];
        std::snprintf(name, sizeof(name), "%s_%lu_%lu", prefix, GetCurrentProcessId(), ++serial);
        m_path = std::string(temp) + name;
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CScratchFolder() { Remove(m_path); }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of an entry below the folder.
    std::string Under(const std::string& relative) const { return m_path + "\\" + relative; }
    // Writes a file below the folder and returns its path.
    std::string Make(const std::string& relative, const char* content) const
    {
        const std::string path = Under(relative);
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file)
        {
            std::fputs(content, file);
            std::fclose(file);
        }
        return path;
    }

private:
    static void Remove(const std::string& path)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
            {
                const std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string child = path + "\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(child);
                else
                    DeleteFileA(child.c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(path.c_str());
    }

    std::string m_path;
};
