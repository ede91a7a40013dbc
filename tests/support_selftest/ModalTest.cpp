#include "LumoTest.h"

using namespace lumotest;

TEST(Modal, MessageBoxTextIsCaughtAndTheBoxClosed) {
    HostWindow host;
    MessageBoxCatcher catcher;
    EXPECT_EQ(IDOK, MessageBoxA(host, "The file could not be read.", "Lumo check", MB_OK));
    ASSERT_EQ(1, catcher.Count());
    EXPECT_EQ("The file could not be read.", catcher.Texts()[0]);
    EXPECT_EQ("Lumo check", catcher.Boxes()[0].caption);

    // The default button of a yes/no box, then a chosen one; boxes without an owner too.
    EXPECT_EQ(IDYES, MessageBoxA(host, "Save?", "Lumo", MB_YESNO));
    catcher.Answer(IDNO);
    EXPECT_EQ(IDNO, MessageBoxA(nullptr, "Save now?", "Lumo", MB_YESNO | MB_DEFBUTTON1));
    EXPECT_EQ(3, catcher.Count());
    EXPECT_EQ("Save now?", catcher.Texts()[2]);
    EXPECT_EQ(IDNO, catcher.Boxes()[2].pressed);

    {
        // An inner catcher takes over and hands back on destruction.
        MessageBoxCatcher inner;
        MessageBoxA(host, "inner", "Lumo", MB_OK);
        EXPECT_EQ(1, inner.Count());
    }
    MessageBoxA(host, "outer again", "Lumo", MB_OK);
    EXPECT_EQ(3, catcher.Count() - 1);
    EXPECT_EQ("outer again", catcher.Texts().back());
}

TEST(Modal, TrackedMenuEndsWhenTheDriverSaysSo) {
    HostWindow host;
    SetForegroundWindow(host);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "First");
    AppendMenuA(menu, MF_STRING, 102, "Second");

    {
        ModalDriver driver;
        driver.CloseMenuAfter(30);
        BOOL cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, 0, host, nullptr);
        EXPECT_EQ(0, cmd);
        EXPECT_EQ(1, driver.Fired());
    }
    {
        // Keys reach the menu loop: down to the first item, Enter picks it.
        ModalDriver driver;
        driver.PostKeys(host, {VK_DOWN, VK_RETURN});
        driver.CloseMenuAfter(3000);  // a safety net should the keys go astray
        BOOL cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 100, 100, 0, host, nullptr);
        EXPECT_EQ(101, cmd);
    }
    DestroyMenu(menu);

    // A driver destroyed before its time cancels its callbacks.
    int runs = 0;
    {
        ModalDriver driver;
        driver.After(10, [&] { ++runs; });
    }
    PumpFor(50);
    EXPECT_EQ(0, runs);
}

TEST(Files, TempPathsAreUniqueAndTheModuleDirExists) {
    std::string a = TempPath("x.png"), b = TempPath("x.png");
    EXPECT_NE(a, b);
    EXPECT_EQ(".png", a.substr(a.size() - 4));
    DWORD attr = GetFileAttributesA(ModuleDir().c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attr);
    EXPECT_TRUE(attr & FILE_ATTRIBUTE_DIRECTORY);
}
