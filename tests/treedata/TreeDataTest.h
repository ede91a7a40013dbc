// File, record and menu helpers shared by the tree data tests.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include "LumoTest.h"
#include "CTreeData.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tdtest {

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const std::string& data)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    return f.write(data.data(), data.size()) && f.flush();
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

// Records of the given codes and texts, in that order.
inline void Fill(CTreeData& data, std::initializer_list<std::pair<const char*, const char*>> records)
{
    for (const auto& r : records)
        data.AddItem(r.first, r.second, "", "", 0, 0, "", 0);
}

// A record as "code|text|detail|level|tip|LLA file|seq", read through the getters.
inline std::string Fields(const CTreeData& data, int i)
{
    return std::string(data.GetID(i)) + "|" + (LPCTSTR)data.GetText(i) + "|" + (LPCTSTR)data.GetDetail(i) + "|" +
           std::to_string(data.GetLevel(i)) + "|" + (LPCTSTR)data.GetTip(i) + "|" + (LPCTSTR)data.GetLLAFile(i) +
           "|" + std::to_string(data.GetLLASeq(i));
}

// "code:level" of each record in order, "+" after a node (IsNode builds the levels when needed).
inline std::string Shape(CTreeData& data)
{
    std::string out;
    for (int i = 0; i < data.GetSize(); ++i)
        out += (i ? " " : "") + std::string(data.GetID(i)) + ":" + std::to_string(data.GetLevel(i)) +
               (data.IsNode(i) ? "+" : "");
    return out;
}

// A menu read back: "&File>" for a submenu, "-" for a separator, "Open=1001" for a command.
inline std::string Describe(HMENU menu)
{
    std::string out;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        char text[256] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        if (!::GetMenuItemInfoA(menu, i, TRUE, &mii))
            break;
        out += out.empty() ? "" : " | ";
        if (mii.fType & MFT_SEPARATOR)
            out += "-";
        else
            out += text + (mii.hSubMenu ? std::string(">") : "=" + std::to_string(mii.wID));
    }
    return out;
}

// A fresh empty folder, removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& path) : path_(path) { ::CreateDirectoryA(path_.c_str(), nullptr); }
    ~TempDir()
    {
        for (const std::string& name : Names()) {
            ::SetFileAttributesA(File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(File(name).c_str());
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA(File("*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(h, &fd))
            if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
                names.push_back(fd.cFileName);
        if (h != INVALID_HANDLE_VALUE)
            ::FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

// A folder of the test's own, removed afterwards; path_ names a file in it.
class TreeDataFolder : public ::testing::Test {
protected:
    TempDir dir_{ lumotest::TempPath("tdtest") };
    const std::string file_ = dir_.File("data.dat");
    const char* const path_ = file_.c_str();
};

}  // namespace tdtest
