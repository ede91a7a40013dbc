// A library that saves a collection while it is being loaded, under the loader lock, where no
// new thread can start: the save must not wait for one. The program loading it names the file in
// LUMO_SAVE_IN_DLLMAIN; a save that fails leaves no file.
#include <windows.h>
#include <string>
#include "CTreeData.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    char path[MAX_PATH];
    if (reason == DLL_PROCESS_ATTACH && ::GetEnvironmentVariableA("LUMO_SAVE_IN_DLLMAIN", path, MAX_PATH)) {
        CTreeData data;
        for (int i = 0; i < 40000; ++i)  // some megabytes: many buffers
            data.AddItem(std::to_string(100000 + i).c_str(), "a record of a collection larger than a buffer", "",
                         "", 0, 0, "", 0);
        if (!data.SaveToFile(path, "dllmain"))
            ::DeleteFileA(path);
    }
    return TRUE;
}
