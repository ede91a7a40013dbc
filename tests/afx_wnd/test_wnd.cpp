// Framework windows: message maps, reflection, subclassing, self-deleting objects, leaks.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include <algorithm>
#include <string>
#include <vector>
#include "LumoTest.h"

namespace {

UINT g_msgPing = ::RegisterWindowMessageA("LumoTest_Ping");

// Records what reached its handlers; deletes itself when its window goes. A window named
// "refuse" fails its own creation.
class CProbeWnd : public CWnd
{
public:
    static int s_live;
    std::vector<std::string>* m_log;
    explicit CProbeWnd(std::vector<std::string>* log) : m_log(log) { ++s_live; }
    ~CProbeWnd() override { --s_live; m_log->push_back("deleted"); }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        const std::string name = cs->lpszName ? cs->lpszName : "";
        m_log->push_back("create:" + name);
        return name == "refuse" ? -1 : CWnd::OnCreate(cs);
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 20, 20, RGB(10, 200, 30));
        m_log->push_back("paint");
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnTimer(UINT_PTR id)
    {
        m_log->push_back("timer:" + std::to_string(id));
        KillTimer(id);
    }
    afx_msg LRESULT OnPing(WPARAM w, LPARAM l)
    {
        m_log->push_back("ping:" + std::to_string(w) + "," + std::to_string(l));
        return 42;
    }
    afx_msg LRESULT OnUser5(WPARAM w, LPARAM)
    {
        m_log->push_back("user5:" + std::to_string(w));
        return 7;
    }
    afx_msg void OnDestroy()
    {
        m_log->push_back("destroy");
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};
int CProbeWnd::s_live = 0;

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(g_msgPing, OnPing)
    ON_MESSAGE(WM_USER + 5, OnUser5)
END_MESSAGE_MAP()

// A child that handles its own notifications (reflection).
class CReflectingButton : public CButton
{
public:
    std::vector<std::string> m_log;
    int m_drawn = 0;

protected:
    afx_msg void OnClicked() { m_log.push_back("clicked"); }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++m_drawn;
        ::FillRect(dis->hDC, &dis->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// A parent whose own map sees what the child does not take.
class CParentWnd : public CWnd
{
public:
    std::vector<std::string> m_log;

protected:
    afx_msg void OnChildClicked() { m_log.push_back("parent-clicked"); }
    afx_msg void OnTreeSelChanged(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("parent-selchanged");
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(101, OnChildClicked)
    ON_NOTIFY(TVN_SELCHANGED, 102, OnTreeSelChanged)
END_MESSAGE_MAP()

// A tree that takes its selection notifications itself.
class CReflectingTree : public CTreeCtrl
{
public:
    int m_selChanged = 0;

protected:
    afx_msg void OnSelChanged(NMHDR*, LRESULT* pResult)
    {
        ++m_selChanged;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

}  // namespace

TEST(FrameworkWindow, MessageMapHandlersAndSelfDeletion)
{
    std::vector<std::string> log;
    CProbeWnd* pWnd = new CProbeWnd(&log);
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200,
                               150, nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), pWnd);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "create:probe");

    // Paint through the map, once: the paint DC ends the paint. The pixels show it.
    ::InvalidateRect(hWnd, nullptr, TRUE);
    ::UpdateWindow(hWnd);
    lumotest::PumpPending();
    EXPECT_EQ(std::count(log.begin(), log.end(), "paint"), 1);
    EXPECT_FALSE(::GetUpdateRect(hWnd, nullptr, FALSE));
    HDC dc = ::GetDC(hWnd);
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(10, 200, 30));
    ::ReleaseDC(hWnd, dc);

    // A timer, a registered message and an ON_MESSAGE entry, each with its result.
    pWnd->SetTimer(7, 10);
    ASSERT_TRUE(lumotest::PumpUntil(
        [&] { return std::find(log.begin(), log.end(), "timer:7") != log.end(); }));
    EXPECT_EQ(::SendMessageA(hWnd, g_msgPing, 3, 4), 42);
    EXPECT_EQ(::SendMessageA(hWnd, WM_USER + 5, 9, 0), 7);
    EXPECT_EQ(log[log.size() - 2], "ping:3,4");
    EXPECT_EQ(log.back(), "user5:9");

    // A message without an entry reaches the default procedure.
    EXPECT_EQ(::SendMessageA(hWnd, WM_SETTEXT, 0, (LPARAM) "renamed"), TRUE);
    char text[32] = "";
    ::GetWindowTextA(hWnd, text, sizeof(text));
    EXPECT_STREQ(text, "renamed");

    ::DestroyWindow(hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "destroy");
    EXPECT_EQ(log.back(), "deleted");
    EXPECT_EQ(CProbeWnd::s_live, 0);
}

TEST(FrameworkWindow, ReflectionReachesTheChildFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                                300, 250, nullptr, nullptr));

    // Owner-drawn button: WM_DRAWITEM reaches the button's DrawItem; BN_CLICKED its own handler.
    CReflectingButton button;
    ASSERT_TRUE(button.Create("ok", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 40),
                              &parent, 101));
    button.Invalidate();
    button.UpdateWindow();
    lumotest::PumpPending();
    EXPECT_GE(button.m_drawn, 1);
    EXPECT_EQ(lumotest::WindowCapture(button, lumotest::CaptureMode::ScreenClient).At(30, 15),
              RGB(0, 0, 0));
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(button.m_log, std::vector<std::string>{ "clicked" });
    EXPECT_TRUE(parent.m_log.empty()) << "a reflected command must not reach the parent's map";

    // A plain button (no reflection entry): the parent's ON_BN_CLICKED runs.
    CButton plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE, CRect(90, 10, 160, 40), &parent,
                             101));
    ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)plain.m_hWnd);
    EXPECT_EQ(parent.m_log, std::vector<std::string>{ "parent-clicked" });

    // WM_NOTIFY: a tree with ON_NOTIFY_REFLECT keeps its notification; a plain one lets it go up.
    CReflectingTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 150, 200), &parent, 102));
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM b = tree.InsertItem("b");
    tree.SelectItem(a);
    tree.SelectItem(b);
    EXPECT_EQ(tree.m_selChanged, 2);
    EXPECT_EQ(parent.m_log.size(), 1u);

    CTreeCtrl plainTree;
    ASSERT_TRUE(plainTree.Create(WS_CHILD | WS_VISIBLE, CRect(160, 50, 290, 200), &parent, 102));
    HTREEITEM c = plainTree.InsertItem("c");
    plainTree.SelectItem(c);
    EXPECT_EQ(parent.m_log.back(), "parent-selchanged");
    parent.DestroyWindow();
}

TEST(FrameworkWindow, SubclassingAnExistingControl)
{
    lumotest::HostWindow host;
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "abc", WS_CHILD | WS_VISIBLE, 5, 5, 100, 24,
                                   host.Hwnd(), (HMENU)5, nullptr, nullptr);
    ASSERT_NE(hEdit, nullptr);
    const LONG_PTR original = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);

    std::vector<std::string> log;
    struct CSpy : public CWnd
    {
        std::vector<std::string>* log = nullptr;
        LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
        {
            if (msg == WM_SETTEXT)
                log->push_back("settext");
            return CWnd::WindowProc(msg, w, l);
        }
    } spy;
    spy.log = &log;
    ASSERT_TRUE(spy.SubclassWindow(hEdit));
    EXPECT_FALSE(CWnd().SubclassWindow(hEdit)) << "an attached window cannot be subclassed again";
    ::SetWindowTextA(hEdit, "hello");
    char text[16] = "";
    ::GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ(text, "hello") << "the control keeps working";
    EXPECT_EQ(log, std::vector<std::string>{ "settext" });

    EXPECT_EQ(spy.UnsubclassWindow(), hEdit);
    EXPECT_EQ(::GetWindowLongPtrA(hEdit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    ::SetWindowTextA(hEdit, "again");
    EXPECT_EQ(log.size(), 1u);

    // A foreign window gets a temporary wrapper that never owns it.
    CWnd* pTemp = CWnd::FromHandle(hEdit);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hEdit);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hEdit));
}

TEST(FrameworkWindow, RepeatedWindowsLeaveNothingBehind)
{
    lumotest::PumpPending();
    lumotest::GdiBalance gdi;
    lumotest::WindowBalance windows;
    const int permanent = AfxGetPermanentWindowCount();
    std::vector<std::string> log;
    for (int i = 0, n = lumotest::SoakCycles(100, 1000); i < n; ++i)
    {
        CProbeWnd* p = new CProbeWnd(&log);
        ASSERT_TRUE(p->CreateEx(0, nullptr, "w", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr,
                                nullptr));
        ::UpdateWindow(p->m_hWnd);
        p->DestroyWindow();
        log.clear();
    }
    lumotest::PumpPending();
    EXPECT_EQ(CProbeWnd::s_live, 0);
    EXPECT_EQ(AfxGetPermanentWindowCount(), permanent);
    EXPECT_EQ(windows.Delta(), 0);
    EXPECT_EQ(gdi.Delta(), 0);
}

// A failed creation ends a self-deleting object exactly once, whether the window existed for a
// moment (its WM_CREATE refused) or never (no such class).
TEST(FrameworkWindow, FailedCreationDeletesTheObjectOnce)
{
    lumotest::WindowBalance windows;
    const int permanent = AfxGetPermanentWindowCount();
    std::vector<std::string> log;
    CProbeWnd* pRefused = new CProbeWnd(&log);
    EXPECT_FALSE(pRefused->CreateEx(0, nullptr, "refuse", WS_POPUP, 0, 0, 30, 30, nullptr,
                                    nullptr));
    CProbeWnd* pNoClass = new CProbeWnd(&log);
    EXPECT_FALSE(pNoClass->CreateEx(0, "LumoTest_NoSuchClass", "none", WS_POPUP, 0, 0, 30, 30,
                                    nullptr, nullptr));
    EXPECT_EQ(std::count(log.begin(), log.end(), "deleted"), 2);
    EXPECT_EQ(CProbeWnd::s_live, 0);
    EXPECT_EQ(AfxGetPermanentWindowCount(), permanent);
    EXPECT_EQ(windows.Delta(), 0);
}
