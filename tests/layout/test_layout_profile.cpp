// Placement and number persistence through a real initialisation-file profile.
#include "CMyWin.h"

#include <afxapp.h>

#include <climits>

#include "LayoutTestUtil.h"

using namespace layouttest;
using lumotest::HostWindow;

namespace {

CWinApp theApp("LayoutTests");

std::string& IniPath()
{
    static std::string path;
    return path;
}

// Points the application's profile at a fresh initialisation file for the whole run.
class ProfileEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        IniPath() = lumotest::TempPath("layout.ini");
        free(const_cast<LPTSTR>(theApp.m_pszProfileName));
        theApp.m_pszProfileName = _strdup(IniPath().c_str());
    }
    void TearDown() override { DeleteFileA(IniPath().c_str()); }
};

::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new ProfileEnvironment);

std::string ReadEntry(const char* name)
{
    char buf[512] = "";
    GetPrivateProfileStringA("Settings", name, "", buf, sizeof(buf), IniPath().c_str());
    return buf;
}

void WriteEntry(const char* name, const char* text)
{
    WritePrivateProfileStringA("Settings", name, text, IniPath().c_str());
}

WINDOWPLACEMENT PlacementOf(HWND hwnd)
{
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(hwnd, &wp);
    return wp;
}

}  // namespace

TEST(LayoutProfile, WindowPosRoundTripsTenNumbersUnlessMaximisedOrMinimised)
{
    HostWindow host(400, 300);
    AttachedWnd wnd(host);
    SetWindowPos(host, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT saved = PlacementOf(host);

    CMyWin::SaveWindowPlacement(wnd.Get());
    const RECT& rc = saved.rcNormalPosition;
    char expected[200];
    snprintf(expected, sizeof(expected), "%i,%i,%i,%i,%i,%i,%i,%i,%i,%i", (int)saved.flags,
             (int)saved.showCmd, (int)saved.ptMinPosition.x, (int)saved.ptMinPosition.y,
             (int)saved.ptMaxPosition.x, (int)saved.ptMaxPosition.y, (int)rc.left, (int)rc.top,
             (int)rc.right, (int)rc.bottom);
    EXPECT_EQ(ReadEntry("WindowPos"), expected);

    SetWindowPos(host, nullptr, 300, 250, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    WINDOWPLACEMENT back = PlacementOf(host);
    EXPECT_EQ(CRect(rc), back.rcNormalPosition);
    EXPECT_EQ(back.showCmd, saved.showCmd);

    // Any placement on the screen is applied exactly as stored.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,100,110,500,410");
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    EXPECT_EQ(CRect(100, 110, 500, 410), PlacementOf(host).rcNormalPosition);
    // Half off the screen is still on it: not pulled back.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,1100,-100,1500,200");
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    EXPECT_EQ(CRect(1100, -100, 1500, 200), PlacementOf(host).rcNormalPosition);

    // Nothing is written while maximised or minimised.
    WriteEntry("WindowPos", "1,2,3,4,5,6,7,8,9,10");
    ShowWindow(host, SW_MAXIMIZE);
    ASSERT_TRUE(lumotest::PumpUntil([&] { return IsZoomed(host) != FALSE; }));
    CMyWin::SaveWindowPlacement(wnd.Get());
    EXPECT_EQ(ReadEntry("WindowPos"), "1,2,3,4,5,6,7,8,9,10");

    ShowWindow(host, SW_MINIMIZE);
    ASSERT_TRUE(lumotest::PumpUntil([&] { return IsIconic(host) != FALSE; }));
    CMyWin::SaveWindowPlacement(wnd.Get());
    EXPECT_EQ(ReadEntry("WindowPos"), "1,2,3,4,5,6,7,8,9,10");
}

TEST(LayoutProfile, MalformedPlacementLeavesTheWindowAlone)
{
    HostWindow host(400, 300);
    AttachedWnd wnd(host);
    RECT before;
    GetWindowRect(host, &before);

    // missing, nine numbers, a word for the tenth, no numbers at all
    for (const char* text : {(const char*)nullptr, "0,1,-1,-1,-1,10,20,300,400",
                             "0,1,-1,-1,-1,-1,10,20,300,x", "garbage"}) {
        WriteEntry("WindowPos", text);
        EXPECT_FALSE(CMyWin::LoadWindowPlacement(wnd.Get())) << (text ? text : "(none)");
    }
    RECT after;
    GetWindowRect(host, &after);
    EXPECT_EQ(CRect(before), after);

    // No window at all: nothing read, nothing written.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,100,110,500,410");
    EXPECT_FALSE(CMyWin::LoadWindowPlacement(nullptr));
    CMyWin::SaveWindowPlacement(nullptr);
    CWnd detached;
    EXPECT_FALSE(CMyWin::LoadWindowPlacement(&detached));
    CMyWin::SaveWindowPlacement(&detached);
    EXPECT_EQ(ReadEntry("WindowPos"), "0,1,-1,-1,-1,-1,100,110,500,410");
}

TEST(LayoutProfile, PlacementFromAWiderScreenComesBackOnScreen)
{
    HostWindow host(400, 300);
    AttachedWnd wnd(host);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoA(MonitorFromWindow(host, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT work = mi.rcWork;
    auto onScreen = [&](const RECT& rc) {
        return rc.left >= work.left && rc.top >= work.top && rc.right <= work.right &&
               rc.bottom <= work.bottom;
    };

    // Saved at x 3000 on a screen far wider than this one.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,3000,100,3400,400");
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    RECT rc;
    GetWindowRect(host, &rc);
    EXPECT_TRUE(onScreen(rc)) << rc << " work area " << work;
    EXPECT_EQ(rc.right - rc.left, 400);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_EQ(rc.right, work.right);

    // Far above and to the left: lands in the top-left corner of the work area.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,-5000,-4000,-4700,-3800");
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    GetWindowRect(host, &rc);
    EXPECT_EQ(CRect(work.left, work.top, work.left + 300, work.top + 200), rc);

    // Larger than the whole work area: shrunk to it.
    WriteEntry("WindowPos", "0,1,-1,-1,-1,-1,4000,0,9000,5000");
    EXPECT_TRUE(CMyWin::LoadWindowPlacement(wnd.Get()));
    GetWindowRect(host, &rc);
    EXPECT_TRUE(onScreen(rc)) << rc << " work area " << work;
    EXPECT_EQ(rc.right - rc.left, work.right - work.left);
}

TEST(LayoutProfile, NumbersReadLikeCNumbers)
{
    CMyWin::SaveAppNumeric("Minus", -5);
    EXPECT_EQ(ReadEntry("Minus"), "-5");
    EXPECT_EQ(CMyWin::LoadAppNumeric("Minus", 1), -5);
    CMyWin::SaveAppNumeric("Big", INT_MAX);
    EXPECT_EQ(CMyWin::LoadAppNumeric("Big", 1), INT_MAX);
    CMyWin::SaveAppNumeric("Small", INT_MIN);
    EXPECT_EQ(ReadEntry("Small"), "-2147483648");
    EXPECT_EQ(CMyWin::LoadAppNumeric("Small", 1), INT_MIN);

    EXPECT_EQ(CMyWin::LoadAppNumeric("Missing", 77), 77);
    const struct { const char* text; int value; } read[] = {
        {"abc", 200}, {"-", 200}, {"0x10", 16}, {"010", 8}, {"+12", 12}, {"7px", 7}};
    for (const auto& r : read) {
        WriteEntry("Number", r.text);
        EXPECT_EQ(CMyWin::LoadAppNumeric("Number", 77), r.value) << r.text;
    }

    EXPECT_EQ(CMyWin::LoadAppNumeric(nullptr, 77), 77);
    CMyWin::SaveAppNumeric(nullptr, 3);
}
