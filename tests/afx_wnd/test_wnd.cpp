// Framework windows: message maps, reflection, temporary wrappers, self-deleting objects, leaks.
#include <gtest/gtest.h>
#include <afxwin.h>
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
    afx_msg LRESULT OnDigits(WPARAM w, LPARAM l) { return w * 10 + l; }
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
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(g_msgPing, OnDigits)
    ON_MESSAGE(WM_USER + 5, OnDigits)
END_MESSAGE_MAP()

// An owner-drawn button that takes its own click and NM_CLICK notifications (reflection).
class CReflectingButton : public CButton
{
public:
    std::vector<std::string> m_log;
    int m_drawn = 0;

protected:
    afx_msg void OnClicked() { m_log.push_back("clicked"); }
    afx_msg void OnNmClick(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("nm-click");
        *pResult = 5;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_drawn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNmClick)
END_MESSAGE_MAP()

// A parent whose own map sees what the child does not take.
class CParentWnd : public CWnd
{
public:
    std::vector<std::string> m_log;

protected:
    afx_msg void OnChildClicked() { m_log.push_back("parent-clicked"); }
    afx_msg void OnChildNmClick(NMHDR*, LRESULT*) { m_log.push_back("parent-nm-click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(101, OnChildClicked)
    ON_NOTIFY(NM_CLICK, 101, OnChildNmClick)
END_MESSAGE_MAP()

}  // namespace

TEST(FrameworkWindow, MessageMapHandlersSelfDeletionAndTemporaryWrappers)
{
    std::vector<std::string> log;
    CProbeWnd* pWnd = new CProbeWnd(&log);
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "probe", WS_OVERLAPPEDWINDOW, 60, 60, 200, 150,
                               nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), pWnd);
    EXPECT_FALSE(CWnd().SubclassWindow(hWnd)) << "an attached window cannot be subclassed again";
    EXPECT_EQ(::SendMessageA(hWnd, g_msgPing, 3, 4), 34);
    EXPECT_EQ(::SendMessageA(hWnd, WM_USER + 5, 9, 1), 91);
    log.clear();
    ::DestroyWindow(hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"destroy", "deleted"}));
    EXPECT_EQ(CProbeWnd::s_live, 0);

    // A foreign window gets a temporary wrapper that never owns it.
    lumotest::HostWindow host;
    EXPECT_EQ(CWnd::FromHandle(host)->GetSafeHwnd(), host.Hwnd());
    EXPECT_EQ(CWnd::FromHandlePermanent(host), nullptr);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(host));
}

// The control that sent a command or notification gets it first; what it takes never reaches
// the parent's map, what it does not take does. WM_DRAWITEM goes to the button's DrawItem.
TEST(FrameworkWindow, ReflectionReachesTheChildFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                                300, 250, nullptr, nullptr));
    CReflectingButton button;
    ASSERT_TRUE(button.Create("ok", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 40),
                              &parent, 101));
    lumotest::PumpPending();
    EXPECT_GE(button.m_drawn, 1);

    CButton plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE, CRect(90, 10, 160, 40), &parent,
                             101));
    const struct { CButton* from; LRESULT notifyResult; } rows[] = {{&button, 5}, {&plain, 0}};
    for (const auto& r : rows) {
        ::SendMessageA(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                       (LPARAM)r.from->m_hWnd);
        NMHDR nm = {r.from->m_hWnd, 101, (UINT)NM_CLICK};
        EXPECT_EQ(::SendMessageA(parent.m_hWnd, WM_NOTIFY, 101, (LPARAM)&nm), r.notifyResult);
    }
    EXPECT_EQ(button.m_log, (std::vector<std::string>{"clicked", "nm-click"}));
    EXPECT_EQ(parent.m_log, (std::vector<std::string>{"parent-clicked", "parent-nm-click"}));
    parent.DestroyWindow();
}

// Windows made and destroyed many times leave nothing behind, and a failed creation ends a
// self-deleting object exactly once, whether the window existed for a moment (its WM_CREATE
// refused) or never (no such class).
TEST(FrameworkWindow, CreationsAndFailedCreationsLeaveNothingBehind)
{
    lumotest::PumpPending();
    lumotest::GdiBalance gdi;
    lumotest::WindowBalance windows;
    const int permanent = AfxGetPermanentWindowCount();
    std::vector<std::string> log;
    for (int i = 0, n = lumotest::SoakCycles(100, 1000); i < n; ++i) {
        CProbeWnd* p = new CProbeWnd(&log);
        ASSERT_TRUE(p->CreateEx(0, nullptr, "w", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr,
                                nullptr));
        p->DestroyWindow();
    }
    log.clear();
    CProbeWnd* pRefused = new CProbeWnd(&log);
    EXPECT_FALSE(pRefused->CreateEx(0, nullptr, "refuse", WS_POPUP, 0, 0, 30, 30, nullptr,
                                    nullptr));
    CProbeWnd* pNoClass = new CProbeWnd(&log);
    EXPECT_FALSE(pNoClass->CreateEx(0, "LumoTest_NoSuchClass", "none", WS_POPUP, 0, 0, 30, 30,
                                    nullptr, nullptr));
    EXPECT_EQ(std::count(log.begin(), log.end(), "deleted"), 2);
    lumotest::PumpPending();
    EXPECT_EQ(CProbeWnd::s_live, 0);
    EXPECT_EQ(AfxGetPermanentWindowCount(), permanent);
    EXPECT_EQ(windows.Delta(), 0);
    EXPECT_EQ(gdi.Delta(), 0);
}
