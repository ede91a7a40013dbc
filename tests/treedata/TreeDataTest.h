// Small file helpers shared by the tree data tests.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace tdtest {

inline std::string ReadBytes(const std::string& path)
{
    std::string data;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    DWORD size = ::GetFileSize(h, nullptr);
    data.resize(size);
    DWORD got = 0;
    if (size)
        ::ReadFile(h, &data[0], size, &got, nullptr);
    data.resize(got);
    ::CloseHandle(h);
    return data;
}

inline bool WriteBytes(const std::string& path, const std::string& data)
{
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    BOOL ok = data.empty() || ::WriteFile(h, data.data(), (DWORD)data.size(), &put, nullptr);
    ::CloseHandle(h);
    return ok && put == data.size();
}

inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The scrambled form of a text as the file holds it: the mark, then every byte XOR 0xB6.
inline std::string Scramble(const std::string& text)
{
    std::string out("\x01\x02\x03\x04", 4);
    for (char ch : text)
        out += (char)(ch ^ 0xB6);
    return out;
}

inline std::string Unscramble(const std::string& file)
{
    std::string out;
    for (size_t i = 4; i < file.size(); ++i)
        out += (char)(file[i] ^ 0xB6);
    return out;
}

// A fresh empty folder, removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& path) : path_(path) { ::CreateDirectoryA(path_.c_str(), nullptr); }
    ~TempDir()
    {
        for (const std::string& name : Names()) {
            std::string full = path_ + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(full.c_str());
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((path_ + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string n = fd.cFileName;
            if (n != "." && n != "..")
                names.push_back(n);
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
        return names;
    }

private:
    std::string path_;
};

}  // namespace tdtest
