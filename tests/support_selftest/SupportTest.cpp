// The test support's own checks: a counter or comparison that always agreed would let every
// leak and every wrong message sequence through.
#include "LumoTest.h"
#include "PixelTable.h"

using namespace lumotest;

TEST(Support, CountsSeeEveryObjectAndWindow) {
    ASSERT_GT(CountGdiObjects(), 10);  // the stock objects at least: the table was read
    GdiBalance gdi;
    const HGDIOBJ made[] = {CreatePen(PS_SOLID, 2, RGB(1, 0, 0)), CreateSolidBrush(RGB(1, 2, 3)),
                            CreateBitmap(4, 4, 1, 32, nullptr)};
    EXPECT_EQ(3, gdi.Delta());
    for (HGDIOBJ o : made) DeleteObject(o);
    EXPECT_EQ(0, gdi.Delta());

    { HostWindow warm; }
    WindowBalance windows;
    {
        HostWindow host;
        CreateHostWindow(20, 20, true, CreateHostWindow(50, 50, true, host));
        HWND msgOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        EXPECT_EQ(4, windows.Delta());
        DestroyWindow(msgOnly);
    }
    EXPECT_EQ(0, windows.Delta());
    EXPECT_EQ(1, LeaksOf([] { static int runs = 0; if (runs++) CreatePen(PS_SOLID, 1, 0); }).gdi);
}

TEST(Support, SequencesAreRecordedAndTheFirstDifferenceNamed) {
    HostWindow host;
    MessageRecorder rec(host);
    PostMessageA(host, WM_USER + 3, 7, 9);
    ASSERT_TRUE(PumpUntil([&] { return rec.Count() > 0; }));
    NMHDR nm = {host, 42, static_cast<UINT>(NM_CLICK)};
    SendMessageA(host, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    SendMessageA(host, WM_SIZE, 0, 0);  // not kept by the default filter
    EXPECT_TRUE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3, 7, 9, host), Notify(NM_CLICK, 42)}));

    ::testing::AssertionResult r = SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3, 7, 8), Notify(NM_CLICK)});
    ASSERT_FALSE(r);
    EXPECT_NE(std::string::npos, std::string(r.message()).find("message 0 differs")) << r.message();
    EXPECT_FALSE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3), Notify(NM_DBLCLK)}));
    EXPECT_FALSE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3)}));
    EXPECT_FALSE(SequenceIs(rec.Messages(), {RecordedMsg(WM_USER + 3), Notify(NM_CLICK, 41)}));

    // A window of another class is subclassed while watched and handed back afterwards.
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, host, nullptr, nullptr, nullptr);
    LONG_PTR proc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        MessageRecorder watch(edit, std::vector<UINT>{WM_SETTEXT});
        {
            MessageRecorder inner(edit, std::vector<UINT>{WM_SETTEXT});
            SetWindowTextA(edit, "abc");
            EXPECT_EQ(1, inner.Count(WM_SETTEXT));
        }
        SetWindowTextA(edit, "abcd");  // still watched after the other recorder went
        EXPECT_EQ(2, watch.Count(WM_SETTEXT));
    }
    EXPECT_EQ(proc, GetWindowLongPtrA(edit, GWLP_WNDPROC));
}

TEST(Support, PrintedCaptureComposesChildren) {
    HostWindow host(200, 100);
    HWND child = CreateHostWindow(50, 40, true, host);
    SetWindowPos(child, nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetHostHandler(child, [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT* r) {
        if (msg != WM_PRINTCLIENT) return false;
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        *r = 0;
        return true;
    });
    WindowCapture cap(host);
    ASSERT_TRUE(cap.Ok());
    EXPECT_TRUE(PixelsAre(cap, {{29, 20, RGB(255, 255, 255)}, {30, 20, 0}, {79, 59, 0}, {80, 60, RGB(255, 255, 255)}}));
    EXPECT_EQ(50 * 40, cap.CountColor(0));
    EXPECT_FALSE(WindowCapture(reinterpret_cast<HWND>(0xBAD0)).Ok());
}

// The crashing half of the test below: runs only in the process it starts.
TEST(SupportCrashChild, Crashes) {
    if (!GetEnvironmentVariableA("LUMO_CRASH_CHILD", nullptr, 0))
        GTEST_SKIP() << "runs only as the child of Support.ACrashEndsTheProgramWithinSeconds";
    *(volatile int*)nullptr = 1;
}

// A crash must fail its test, not hold it: the test bed keeps the platform's debugger from
// starting, which would keep the crashed program open for minutes.
TEST(Support, ACrashEndsTheProgramWithinSeconds) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string output;
    DWORD code = 0;
    SetEnvironmentVariableA("LUMO_CRASH_CHILD", "1");
    const bool ended = RunProcess(std::string("\"") + exe + "\" --gtest_filter=SupportCrashChild.* "
                                  "--gtest_catch_exceptions=0", &output, &code, 30000);
    SetEnvironmentVariableA("LUMO_CRASH_CHILD", nullptr);
    EXPECT_TRUE(ended) << output;
    EXPECT_EQ(code, (DWORD)EXCEPTION_ACCESS_VIOLATION) << output;
}
