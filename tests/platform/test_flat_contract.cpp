// What lumo.h promises of every flat family: returned texts live until the same function is
// called again for the same object or the object goes, and handles and windows are known only
// to the thread that made them.
#include <memory>
#include <thread>
#include "LumoTest.h"
#include "lumo.h"
#include "ClassicLook.h"
#include "frame/ReturnText.h"

using namespace lumotest;

namespace {

// The skin is refused under visual themes whatever the window: the library is to see them off.
const bool g_classicLook = gallery::UseClassicLook();

// A door with a drop holding a tree with one item, and a collection with a time stamp.
struct Objects {
    HostWindow host{400, 300};
    HWND door = DoorWin_new(host);
    HWND drop = DropWin_new(door, "Drop title", 4, 4, 4, 150);
    HWND tree = Tree_new(host, 0, 0, 100, 100, 0);
    HLMENU menu = LMENU_new();
    HFRAMESET frameset = Frameset_new(host);
    HPOPMENU popup = PopMenu_New(host);
    Objects()
    {
        Tree_AddItem(tree, "7", "Seven", "");
        Tree_Build(tree);
        std::string file = TempPath("contract.dat");
        LMENU_AddMenuItem(menu, "1", "One", "", "", "", 0);
        LMENU_SaveToFile(menu, file.c_str(), "stamp 1");
        LMENU_LoadFromFile(menu, file.c_str());
        ::DeleteFileA(file.c_str());
    }
    ~Objects() { LMENU_delete(menu); }
};

}  // namespace

TEST(FlatContract, ReturnedTextsLiveUntilTheSameCallOnTheSameObject)
{
    const int before = ReturnText::Count();
    {
        Objects o, other;
        ASSERT_NE(Tree_GetItem(o.tree, "7"), nullptr);
        // Tree_GetItemID, Tree_GetItemText, DropWin_GetTitle and LMENU_GetTimeStamp.
        auto texts = [](Objects& x) {
            HTREEITEM_LUMO item = Tree_GetItem(x.tree, "7");
            return std::vector<LPSTR>{Tree_GetItemID(x.tree, item), Tree_GetItemText(x.tree, item),
                                      DropWin_GetTitle(x.drop), LMENU_GetTimeStamp(x.menu)};
        };
        const std::vector<LPSTR> kept = texts(o);
        // Far more calls than any ring of texts would hold, on other objects and functions.
        for (int i = 0; i < 100; ++i)
            texts(other);
        const char* const expected[] = {"7", "Seven", "Drop title", "stamp 1"};
        for (size_t i = 0; i < 4; ++i) {
            ASSERT_NE(kept[i], nullptr) << expected[i];
            EXPECT_STREQ(kept[i], expected[i]);
        }
        EXPECT_EQ(ReturnText::Count(), before + 8);
    }
    // Each object's texts go with it.
    EXPECT_EQ(ReturnText::Count(), before);
}

TEST(FlatContract, HandlesAreUnknownOnOtherThreads)
{
    Objects o;
    // Tree_GetItemID, DropWin_GetTitle, LMENU_GetTimeStamp, DoorWin_GetViewStyle, ShadowWin_Register,
    // Frameset_SetReserveBorder and PopMenu_Pop, asked from another thread.
    std::vector<LONG_PTR> answers;
    std::thread([&] {
        answers = {(LONG_PTR)Tree_GetItemID(o.tree, Tree_GetItem(o.tree, "7")), (LONG_PTR)DropWin_GetTitle(o.drop),
                   (LONG_PTR)LMENU_GetTimeStamp(o.menu), DoorWin_GetViewStyle(o.door), ShadowWin_Register(o.host),
                   Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1), PopMenu_Pop(o.popup)};
    }).join();
    EXPECT_EQ(answers, (std::vector<LONG_PTR>{0, 0, 0, -1, 0, 0, -1}));
    EXPECT_EQ(Frameset_SetReserveBorder(o.frameset, 1, 1, 1, 1), 1);
    EXPECT_STREQ(DropWin_GetTitle(o.drop), "Drop title");
}

namespace {

// A second user-interface thread that runs the functions given to Run, one at a time, pumping
// its messages in between. While it runs one, the calling thread pumps its own, so that a call
// sending a message to a window of the other thread cannot deadlock.
class SecondUiThread : NoCopy {
public:
    SecondUiThread()
    {
        done_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Main, this, 0, &id_);
        WaitFor(done_);  // its message queue exists
    }
    ~SecondUiThread()
    {
        PostThreadMessageA(id_, WM_QUIT, 0, 0);
        WaitFor(thread_);
        CloseHandle(thread_);
        CloseHandle(done_);
    }
    void Run(std::function<void()> fn)
    {
        job_ = std::move(fn);
        PostThreadMessageA(id_, kRun, 0, 0);
        WaitFor(done_);
    }

private:
    static const UINT kRun = WM_APP + 77;
    static DWORD WINAPI Main(void* p)
    {
        SecondUiThread* self = static_cast<SecondUiThread*>(p);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        SetEvent(self->done_);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == kRun) {
                self->job_();
                SetEvent(self->done_);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return 0;
    }
    static void WaitFor(HANDLE h)
    {
        while (MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) PumpPending();
    }
    HANDLE done_ = nullptr, thread_ = nullptr;
    DWORD id_ = 0;
    std::function<void()> job_;
};

HWND PlainWindow(DWORD style, HWND parent, const char* cls = "STATIC")
{
    return CreateWindowExA(0, cls, "", style, 0, 0, 300, 200, parent, nullptr, nullptr, nullptr);
}

// Windows one thread hands to another: a top-level window with a button in it, and a top-level
// window with a skin and a shadow and a button with the XP look, each given them by its own
// thread.
struct ThreadWindows : NoCopy {
    HWND top = PlainWindow(WS_OVERLAPPEDWINDOW, nullptr);
    HWND button = PlainWindow(WS_CHILD | WS_VISIBLE, top, "BUTTON");
    HWND skinned = PlainWindow(WS_OVERLAPPEDWINDOW, nullptr);
    HWND attached = PlainWindow(WS_CHILD | WS_VISIBLE, skinned, "BUTTON");
    ThreadWindows()
    {
        EXPECT_EQ(Skin_Register(skinned, 0), 1);
        EXPECT_EQ(ShadowWin_Register(skinned), 1);
        EXPECT_EQ(XPButton_SetBkColor(attached, RGB(1, 2, 3)), 1);
    }
    ~ThreadWindows()
    {
        DestroyWindow(top);
        DestroyWindow(skinned);
    }
};

// Whether each function that takes a window of the host's accepts w's windows, called on this
// thread with objects of this thread where it needs one: LMENU_ChangeMenu, Tree_new,
// DoorWin_new, DoorWin_AddObj (and its two variants, and DropWin_AddObj), Frameset_new,
// Frame_add, Skin_Register, Skin_ChangeSkin, Skin_Unregister, ShadowWin_Unregister,
// XPButton_Attach and XPButton_SetBkColor (each on a plain and on an attached button),
// PopMenu_New.
std::vector<int> Accepted(const ThreadWindows& w)
{
    HLMENU menu = LMENU_new();
    LMENU_AddMenuItem(menu, "1", "One", "", "", "", 0);
    HWND host = PlainWindow(WS_OVERLAPPEDWINDOW, nullptr);
    HWND door = DoorWin_new(host);
    HWND drop = DropWin_new(door, "Drop", 4, 4, 4, 100);
    HFRAMESET frameset = Frameset_new(host);
    HDC dc = CreateCompatibleDC(nullptr);
    std::vector<int> accepted = {
        LMENU_ChangeMenu(menu, w.top, ""),
        Tree_new(w.top, 0, 0, 50, 50, 0) != nullptr,
        DoorWin_new(w.top) != nullptr,
        DoorWin_AddObj(door, w.button, 2, 3),
        DoorWin_AddObj_AutoMove(door, w.button, 2, 3, 0, 0),
        DoorWin_AddObj_AutoSize(door, w.button, 2, 3, 4, 5),
        DropWin_AddObj(drop, w.button),
        Frameset_new(w.top) != nullptr,
        Frame_add(frameset, "frame", "", 1, w.button, "50%"),
        Skin_Register(w.top, 1),
        Skin_ChangeSkin(w.skinned, 2),
        Skin_Unregister(w.skinned),
        ShadowWin_Unregister(w.skinned),
        XPButton_Attach(w.button, dc),
        XPButton_SetBkColor(w.button, RGB(4, 5, 6)),
        XPButton_Attach(w.attached, dc),
        XPButton_SetBkColor(w.attached, RGB(4, 5, 6)),
        PopMenu_New(w.top) != nullptr,
    };
    DeleteDC(dc);
    DestroyWindow(host);
    LMENU_delete(menu);
    return accepted;
}

// What the calls above left on w's windows: a menu bar, child windows beside the button,
// the XP look on the plain button, a skin on the plain window; and whether the skinned window
// still has its skin and shadow and the attached button its look. Read on w's own thread.
std::vector<int> Traces(const ThreadWindows& w)
{
    int children = 0;
    for (HWND h = GetWindow(w.top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ++children;
    HDC dc = CreateCompatibleDC(nullptr);
    std::vector<int> traces = {GetMenu(w.top) != nullptr, children - 1,
                               GetPropA(w.button, "Proc_CButtonXPBP") != nullptr, Skin_Unregister(w.top),
                               Skin_ChangeSkin(w.skinned, 1), ShadowWin_Unregister(w.skinned),
                               XPButton_Attach(w.attached, dc)};
    DeleteDC(dc);
    return traces;
}

}  // namespace

// A window of another thread counts as an unknown handle, whichever thread made it: the
// functions refuse it and change nothing on it, as they refuse this thread's windows when
// called from another thread. This thread's own windows are accepted.
TEST(FlatContract, WindowsOfAnotherThreadAreRefused)
{
    ASSERT_TRUE(g_classicLook);
    const std::vector<int> none(18, 0);
    SecondUiThread other;

    // Windows of the other thread, given here.
    std::unique_ptr<ThreadWindows> theirs;
    other.Run([&] { theirs.reset(new ThreadWindows); });
    EXPECT_EQ(Accepted(*theirs), none);
    std::vector<int> traces;
    other.Run([&] {
        traces = Traces(*theirs);
        theirs.reset();
    });
    EXPECT_EQ(traces, (std::vector<int>{0, 0, 0, 0, 1, 1, 1}));

    // Windows of this thread, given there.
    ThreadWindows ours;
    std::vector<int> accepted;
    other.Run([&] { accepted = Accepted(ours); });
    EXPECT_EQ(accepted, none);
    EXPECT_EQ(Traces(ours), (std::vector<int>{0, 0, 0, 0, 1, 1, 1}));

    // And here, every one of them is taken.
    ThreadWindows own;
    EXPECT_EQ(Accepted(own), std::vector<int>(18, 1));
    EXPECT_EQ(PopMenu_New(nullptr), nullptr);

    // The desktop window is no thread's of a host: it gets no menu bar.
    HLMENU menu = LMENU_new();
    LMENU_AddMenuItem(menu, "1", "One", "", "", "", 0);
    EXPECT_EQ(LMENU_ChangeMenu(menu, GetDesktopWindow(), ""), 0);
    EXPECT_EQ(GetMenu(GetDesktopWindow()), nullptr);
    LMENU_delete(menu);
}
