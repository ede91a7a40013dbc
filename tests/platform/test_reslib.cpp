// The resource library: loaded on demand from the library's folder only, with a message and
// failure values when it is missing.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <string>
#include "frame/LumoRes.h"
#include "LumoTest.h"

namespace {

// Size of a bitmap and the colour of its top-left pixel.
struct BitmapFacts {
    int width = 0, height = 0;
    COLORREF topLeft = CLR_INVALID;
};

BitmapFacts Inspect(HBITMAP hbm)
{
    BitmapFacts f;
    BITMAP bm = {};
    if (!::GetObjectA(hbm, sizeof(bm), &bm))
        return f;
    f.width = bm.bmWidth;
    f.height = bm.bmHeight;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hbm);
    f.topLeft = ::GetPixel(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return f;
}

}  // namespace

TEST(ResourceLibrary, TreeImagesAreStripsOfFourOnMagenta)
{
    lumotest::MessageBoxCatcher boxes;
    const int nodes = GetTreeNodes();
    const int leaves = GetTreeLeave();
    ASSERT_GE(nodes, 2);
    ASSERT_GE(leaves, 2);

    lumotest::GdiBalance gdi;
    for (int i = 0; i < nodes + leaves; ++i) {
        const bool node = i < nodes;
        const int id = node ? EnumTreeNode(i) : EnumTreeLeaf(i - nodes);
        ASSERT_NE(id, 0) << (node ? "node " : "leaf ") << i;
        HBITMAP hbm = Load1Bitmap(id);
        ASSERT_NE(hbm, nullptr) << "id " << id;
        BitmapFacts f = Inspect(hbm);
        EXPECT_EQ(f.width, 4 * f.height) << "id " << id;
        EXPECT_EQ(f.topLeft, RGB(255, 0, 255)) << "id " << id;
        ::DeleteObject(hbm);
    }
    EXPECT_EQ(gdi.Delta(), 0);

    // The counts bound the valid indices.
    EXPECT_EQ(EnumTreeNode(nodes), 0);
    EXPECT_EQ(EnumTreeLeaf(leaves), 0);
    EXPECT_EQ(EnumTreeNode(-1), 0);
    EXPECT_EQ(Load1Bitmap(0), nullptr);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST(ResourceLibrary, DoorAndDropHues)
{
    DWORD normal = 0, hover = 0, color = 0xDEADBEEF;
    ASSERT_NE(GetDoorHandle(0, &normal, &hover, &color), 0);
    EXPECT_NE(normal, hover);
    EXPECT_NE(color, 0xDEADBEEFu);
    HBITMAP hbm = Load1Bitmap((int)normal);
    EXPECT_NE(hbm, nullptr);
    ::DeleteObject(hbm);

    DWORD ids[4] = {}, header = 0;
    ASSERT_NE(GetDropHandle(1, &ids[0], &ids[1], &ids[2], &ids[3], &header), 0);
    for (DWORD id : ids) {
        HBITMAP b = Load1Bitmap((int)id);
        EXPECT_NE(b, nullptr) << id;
        ::DeleteObject(b);
    }
    EXPECT_EQ(GetDoorHandle(1000, &normal, &hover, &color), 0);
}

// The child half of the missing-library test: runs only inside the process started below,
// whose folder has no LumoRes.DLL and whose current directory has one.
TEST(ResourceLibraryMissingChild, FailureValuesAndMessage)
{
    char out[MAX_PATH] = "";
    if (!::GetEnvironmentVariableA("LUMO_PROBE_OUT", out, MAX_PATH))
        GTEST_SKIP() << "runs only as the child of ResourceLibrary.MissingLibrary";

    lumotest::MessageBoxCatcher boxes;
    const int leaves = GetTreeLeave();
    const int nodes = GetTreeNodes();
    HBITMAP hbm = Load1Bitmap(1000);
    DWORD a = 0, b = 0, c = 0, d = 0, e = 0;
    const int drop = GetDropHandle(0, &a, &b, &c, &d, &e);
    const bool loadedFromCwd = ::GetModuleHandleA("LumoRes.DLL") != nullptr;

    std::ofstream f(out);
    f << "leaves=" << leaves << "\nnodes=" << nodes << "\nbitmap=" << (hbm ? 1 : 0) << "\ndrop=" << drop
      << "\ncwdcopy=" << (loadedFromCwd ? 1 : 0) << "\nboxes=" << boxes.Count() << "\n";
    for (const std::string& t : boxes.Texts())
        f << "text=[" << t << "]\n";
}

TEST(ResourceLibrary, MissingLibrary)
{
    // Lay out: <root>/app holds the test program and every DLL but the resource library;
    // <root>/cwd holds a copy of the resource library and is the child's current directory.
    const std::string root = lumotest::TempPath("reslib");
    const std::string app = root + "\\app", cwd = root + "\\cwd";
    ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(app.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(cwd.c_str(), nullptr));
    const std::string bin = lumotest::ModuleDir();
    char exePath[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    ASSERT_TRUE(::CopyFileA(exePath, (app + "\\probe.exe").c_str(), FALSE));
    for (const char* dll : { "Lumo.dll", "LumoAfx.dll", "LumoSys.dll", "LumoBuf.dll" })
        ASSERT_TRUE(::CopyFileA((bin + "\\" + dll).c_str(), (app + "\\" + dll).c_str(), FALSE)) << dll;
    ASSERT_TRUE(::CopyFileA((bin + "\\LumoRes.dll").c_str(), (cwd + "\\LumoRes.DLL").c_str(), FALSE));

    const std::string result = root + "\\result.txt";
    ::SetEnvironmentVariableA("LUMO_PROBE_OUT", result.c_str());
    std::string cmd = "\"" + app + "\\probe.exe\" --gtest_filter=ResourceLibraryMissingChild.*";
    STARTUPINFOA si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    BOOL started = ::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &pi);
    ::SetEnvironmentVariableA("LUMO_PROBE_OUT", nullptr);
    ASSERT_TRUE(started);
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0) << "the child hung";
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);

    std::ifstream f(result);
    std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const std::string message = "text=[Can't load LumoRes.DLL!\t]\n";
    EXPECT_EQ(text, "leaves=-1\nnodes=-1\nbitmap=0\ndrop=0\ncwdcopy=0\nboxes=4\n" + message + message + message + message);
}
