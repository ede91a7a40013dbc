// The resource library: loaded on demand from the library's folder only, with a message and
// failure values when it is missing.
#include <cstdio>
#include "frame/LumoRes.h"
#include "LumoTest.h"

TEST(ResourceLibrary, TreeImagesAreStripsOfFourOnMagenta)
{
    lumotest::MessageBoxCatcher boxes;
    const int nodes = GetTreeNodes(), leaves = GetTreeLeave();
    ASSERT_GE(nodes, 2);
    ASSERT_GE(leaves, 2);
    lumotest::GdiBalance gdi;
    for (int i = 0; i < nodes + leaves; ++i) {
        const int id = i < nodes ? EnumTreeNode(i) : EnumTreeLeaf(i - nodes);
        ASSERT_NE(id, 0) << (i < nodes ? "node " : "leaf ") << i;
        HBITMAP hbm = Load1Bitmap(id);
        BITMAP bm = {};
        ASSERT_TRUE(::GetObjectA(hbm, sizeof bm, &bm)) << "id " << id;
        EXPECT_EQ(bm.bmWidth, 4 * bm.bmHeight) << "id " << id;
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, hbm);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 0, 255)) << "id " << id;
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
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
    DWORD ids[5] = {normal}, header = 0;
    ASSERT_NE(GetDropHandle(1, &ids[1], &ids[2], &ids[3], &ids[4], &header), 0);
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
    if (!::GetEnvironmentVariableA("LUMO_PROBE_CHILD", nullptr, 0))
        GTEST_SKIP() << "runs only as the child of ResourceLibrary.MissingLibrary";
    lumotest::MessageBoxCatcher boxes;
    const int leaves = GetTreeLeave(), nodes = GetTreeNodes();
    HBITMAP hbm = Load1Bitmap(1000);
    DWORD a = 0, b = 0, c = 0, d = 0, e = 0;
    const int drop = GetDropHandle(0, &a, &b, &c, &d, &e);
    printf("probe: leaves=%d nodes=%d bitmap=%d drop=%d cwdcopy=%d boxes=%d\n", leaves, nodes, hbm != nullptr, drop,
           ::GetModuleHandleA("LumoRes.DLL") != nullptr, boxes.Count());
    for (const auto& box : boxes.Boxes())
        printf("probe: text=[%s]\n", box.text.c_str());
}

TEST(ResourceLibrary, MissingLibrary)
{
    // Lay out: <root>/app holds the test program and every DLL but the resource library;
    // <root>/cwd holds a copy of the resource library and is the child's current directory.
    const std::string root = lumotest::TempPath("reslib"), app = root + "\\app", cwd = root + "\\cwd";
    // Whatever was laid out goes at the end, also when a step fails (and a folder left by a run
    // that was killed, whose process number came back, goes first).
    struct Cleanup {
        std::string app, cwd, root;
        void Run() const {
            for (const char* name : {"probe.exe", "Lumo.dll", "LumoAfx.dll", "LumoSys.dll", "LumoBuf.dll"})
                ::DeleteFileA((app + "\\" + name).c_str());
            ::DeleteFileA((cwd + "\\LumoRes.DLL").c_str());
            for (const std::string& dir : {app, cwd, root}) ::RemoveDirectoryA(dir.c_str());
        }
        ~Cleanup() { Run(); }
    } cleanup{app, cwd, root};
    cleanup.Run();
    for (const std::string& dir : {root, app, cwd})
        ASSERT_TRUE(::CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    const std::string bin = lumotest::ModuleDir();
    char exePath[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    ASSERT_TRUE(::CopyFileA(exePath, (app + "\\probe.exe").c_str(), FALSE));
    for (const char* dll : {"Lumo.dll", "LumoAfx.dll", "LumoSys.dll", "LumoBuf.dll"})
        ASSERT_TRUE(::CopyFileA((bin + "\\" + dll).c_str(), (app + "\\" + dll).c_str(), FALSE)) << dll;
    ASSERT_TRUE(::CopyFileA((bin + "\\LumoRes.dll").c_str(), (cwd + "\\LumoRes.DLL").c_str(), FALSE));

    std::string output;
    DWORD code = 1;
    ::SetEnvironmentVariableA("LUMO_PROBE_CHILD", "1");
    const bool ended = lumotest::RunProcess("\"" + app + "\\probe.exe\" --gtest_filter=ResourceLibraryMissingChild.*",
                                            &output, &code, 60000, cwd.c_str());
    ::SetEnvironmentVariableA("LUMO_PROBE_CHILD", nullptr);
    ASSERT_TRUE(ended) << "the child hung";
    EXPECT_EQ(code, 0u) << output;
    const std::string message = "text=[Can't load LumoRes.DLL!\t]";
    const std::vector<std::string> expected = {"leaves=-1 nodes=-1 bitmap=0 drop=0 cwdcopy=0 boxes=4", message, message,
                                               message, message};
    EXPECT_EQ(lumotest::Lines(output, "probe: "), expected) << output;
}
