// Lumo.dll exports its public API and nothing else: every flat function of the C header by its
// plain name, and the members of the classes the public headers export.
#include <cxxabi.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include "LumoTest.h"

namespace {

// The build passes Linux paths; Wine sees the root as drive Z:.
const std::string kInclude = "Z:" LUMO_INCLUDE_DIR;

std::string ReadText(const std::string& path)
{
    std::ifstream f(path);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::set<std::string> Matches(const std::string& text, const char* pattern)
{
    std::set<std::string> found;
    std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

// "Class::member" of a demangled C++ name, without parameters and decorations; "" when the name
// is not a member of a class.
std::pair<std::string, std::string> ClassAndMember(std::string name)
{
    for (const char* prefix : {"non-virtual thunk to ", "virtual thunk to ", "guard variable for "})
        if (name.rfind(prefix, 0) == 0)
            name = name.substr(strlen(prefix));
    for (const char* prefix : {"typeinfo name for ", "typeinfo for ", "vtable for "})
        if (name.rfind(prefix, 0) == 0)
            return {name.substr(strlen(prefix)), ""};
    name = name.substr(0, name.find('('));
    size_t sep = name.rfind("::");
    if (sep == std::string::npos)
        return {"", name};
    return {name.substr(0, sep), name.substr(sep + 2)};
}

}  // namespace

TEST(Exports, ExactlyThePublicApi)
{
    // What the public headers declare: the C header's flat functions, and per exported class
    // the header it is declared in.
    const std::set<std::string> flat =
        Matches(ReadText(kInclude + "/lumo.h"), R"(LUMOAPI\s+[^;(]*?\bWINAPI\s+([A-Za-z_]\w*)\s*\()");
    ASSERT_GE(flat.size(), 4u) << "could not read the public header";
    std::map<std::string, std::string> classHeader;
    for (const auto& header : std::filesystem::directory_iterator(kInclude)) {
        if (header.path().extension() != ".h")
            continue;
        std::string text = ReadText(header.path().string());
        // Members the framework's declaration macros add.
        if (text.find("DECLARE_MESSAGE_MAP") != std::string::npos)
            text += " GetThisMessageMap GetMessageMap";
        for (const std::string& cls : Matches(text, R"(DECLARE_DYN\w+\((\w+)\))"))
            text += " class" + cls + " GetThisClass GetRuntimeClass CreateObject";
        for (const std::string& cls : Matches(text, R"(class\s+AFX_EXT_CLASS\s+(\w+))"))
            classHeader[cls] = text;
    }

    HMODULE hLumo = ::LoadLibraryExA((lumotest::ModuleDir() + "\\Lumo.dll").c_str(), nullptr,
                                     DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(hLumo, nullptr);
    // The names in its export table (the module is mapped, not run).
    auto base = (const BYTE*)((ULONG_PTR)hLumo & ~(ULONG_PTR)3);
    auto nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = (const IMAGE_EXPORT_DIRECTORY*)(base + dir.VirtualAddress);
    auto names = (const DWORD*)(base + exports->AddressOfNames);
    std::set<std::string> exportedFlat;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const std::string raw = (const char*)(base + names[i]);
        int status = 0;
        char* demangled = abi::__cxa_demangle(raw.c_str(), nullptr, nullptr, &status);
        if (!demangled) {
            EXPECT_TRUE(flat.count(raw)) << raw << " is exported but not declared in lumo.h";
            exportedFlat.insert(raw);
            continue;
        }
        const auto cm = ClassAndMember(demangled);
        free(demangled);
        auto header = classHeader.find(cm.first);
        if (header == classHeader.end()) {
            ADD_FAILURE() << raw << " (" << cm.first << "::" << cm.second
                          << ") is exported but no public header exports its class";
            continue;
        }
        const std::string& member = cm.second;
        const bool special = member.empty() || member[0] == '~' || member == cm.first ||
                             member.rfind("operator", 0) == 0;
        EXPECT_TRUE(special || std::regex_search(header->second, std::regex("\\b" + member + "\\b")))
            << cm.first << "::" << member << " is exported but its class's header does not declare it";
    }
    for (const std::string& name : flat)
        EXPECT_TRUE(exportedFlat.count(name)) << name << " is declared in lumo.h but not exported";
    ::FreeLibrary(hLumo);
}
