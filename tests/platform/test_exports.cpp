// Every flat function of the public header is exported by its plain name.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include "LumoTest.h"

namespace {

// Names of the functions the public header declares with LUMOAPI.
std::set<std::string> DeclaredFlatNames()
{
    // The build passes the header's Linux path; Wine sees the root as drive Z:.
    std::string path = std::string("Z:") + LUMO_PUBLIC_HEADER;
    std::ifstream f(path);
    std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    std::regex decl(R"(LUMOAPI\s+[^;(]*?\bWINAPI\s+([A-Za-z_][A-Za-z0-9_]*)\s*\()");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), decl); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

}  // namespace

TEST(Exports, EveryDeclaredFlatFunctionIsFoundUndecorated)
{
    const std::set<std::string> names = DeclaredFlatNames();
    ASSERT_GE(names.size(), 4u) << "could not read the public header";
    HMODULE hLumo = ::LoadLibraryA((lumotest::ModuleDir() + "\\Lumo.dll").c_str());
    ASSERT_NE(hLumo, nullptr);
    for (const std::string& name : names)
        EXPECT_NE(::GetProcAddress(hLumo, name.c_str()), nullptr) << name;
}

TEST(Exports, CHostLinksThroughTheImportLibrary)
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    path = path.substr(0, path.find_last_of('\\')) + "\\c_host.exe";
    STARTUPINFOA si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
}
