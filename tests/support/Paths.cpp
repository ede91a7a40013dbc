#include "LumoTest.h"

namespace lumotest {

std::string TempPath(const char* name) {
    static LONG counter = 0;
    char dir[MAX_PATH] = "";
    DWORD len = GetTempPathA(sizeof dir, dir);
    if (len == 0 || len >= sizeof dir) lstrcpyA(dir, ".\\");
    std::string path = dir;
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    path += "lumo_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(InterlockedIncrement(&counter)) + "_" + (name ? name : "tmp");
    return path;
}

std::string ModuleDir() {
    char buf[MAX_PATH * 2] = "";
    DWORD len = GetModuleFileNameA(nullptr, buf, sizeof buf);
    if (len == 0 || len >= sizeof buf) return ".";
    std::string path(buf, len);
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace lumotest
