// Both ways a host makes the controls work give the same pixels; a host may destroy a control
// from inside anything it sends; creating, painting and destroying leaves nothing behind.
#include "ControlsTest.h"

#include <memory>

using namespace lumotest;
using namespace ctltest;

namespace {

// One control of each kind, as a host would set it up after either way of making it.
struct Kind
{
    const char* cls;
    DWORD style;
    RECT rc;
    const char* text;
    std::function<CWnd*()> make;
    std::function<BOOL(CWnd*, Parent&, const RECT&)> create;
    std::function<void(CWnd*)> setUp;
};

std::vector<Kind> Kinds()
{
    return {
        { TRACKBAR_CLASSA, TBS_AUTOTICKS, { 10, 10, 210, 40 }, "",
          [] { return (CWnd*)new CMySlideCtrl; },
          [](CWnd* w, Parent& p, const RECT& rc) { return ((CMySlideCtrl*)w)->Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, rc, &p, 100); },
          [](CWnd* w) { ((CMySlideCtrl*)w)->SetPos(40); } },
        { PROGRESS_CLASSA, 0, { 10, 50, 210, 72 }, "",
          [] { return (CWnd*)new CProgressCtrlEx; },
          [](CWnd* w, Parent& p, const RECT& rc) { return ((CProgressCtrlEx*)w)->Create(WS_CHILD | WS_VISIBLE, rc, &p, 101); },
          [](CWnd* w) { ((CProgressCtrlEx*)w)->SetPos(35); } },
        { "BUTTON", BS_GROUPBOX, { 220, 10, 380, 90 }, "Customer",
          [] { return (CWnd*)new CSpecGroupBox; },
          [](CWnd* w, Parent& p, const RECT& rc) { return ((CSpecGroupBox*)w)->Create("Customer", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, rc, &p, 102); },
          [](CWnd*) {} },
        { WC_TABCONTROLA, 0, { 10, 100, 300, 190 }, "",
          [] { return (CWnd*)new CTabCtrlEx; },
          [](CWnd* w, Parent& p, const RECT& rc) { return ((CTabCtrlEx*)w)->Create(WS_CHILD | WS_VISIBLE, rc, &p, 103); },
          [](CWnd* w) {
              CTabCtrlEx* t = (CTabCtrlEx*)w;
              for (const char* name : { "General", "Orders", "Invoices" })
                  t->InsertItem(t->GetItemCount(), name);
              t->SetCurSel(1);
          } },
        { "STATIC", SS_CENTER, { 220, 100, 380, 124 }, "Open the orders",
          [] { return (CWnd*)new CHyperLinkStatic; },
          [](CWnd* w, Parent& p, const RECT& rc) { return ((CHyperLinkStatic*)w)->Create("Open the orders", WS_CHILD | WS_VISIBLE | SS_CENTER, rc, &p, 104); },
          [](CWnd*) {} },
    };
}

TEST(Lifecycle, BothCreationPathsPaintTheSamePixels)
{
    const std::vector<Kind> kinds = Kinds();
    Parent created, dialog;
    ASSERT_TRUE(created.Make(400, 200));
    std::vector<Parent::Item> items;
    for (const Kind& k : kinds)
        items.push_back({ k.cls, k.style, k.rc, k.text });
    ASSERT_TRUE(dialog.MakeDialog(items, 400, 200));
    for (size_t i = 0; i < kinds.size(); ++i)
    {
        SCOPED_TRACE(kinds[i].cls);
        std::unique_ptr<CWnd> a(kinds[i].make()), b(kinds[i].make());
        ASSERT_TRUE(kinds[i].create(a.get(), created, kinds[i].rc));
        UseGuiFont(*a);
        ASSERT_TRUE(b->SubclassDlgItem((UINT)(100 + i), &dialog));
        EXPECT_EQ(a->GetStyle() & 0xFFFF, b->GetStyle() & 0xFFFF);
        kinds[i].setUp(a.get());
        kinds[i].setUp(b.get());
        ::SetFocus(NULL);
        WindowCapture ca(*a), cb(*b);
        ASSERT_TRUE(ca.Ok() && cb.Ok());
        EXPECT_EQ(ca.Width(), cb.Width());
        int differ = 0, fx = -1, fy = -1;
        for (int y = 0; y < ca.Height(); ++y)
            for (int x = 0; x < ca.Width(); ++x)
                if (ca.At(x, y) != cb.At(x, y) && differ++ == 0)
                    fx = x, fy = y;
        EXPECT_EQ(differ, 0) << "first at " << fx << "," << fy << ": " << std::hex << ca.At(fx, fy) << " / " << cb.At(fx, fy);
        EXPECT_NE(ca.CountColor(kParentBack), ca.Width() * ca.Height()) << "something drawn";
    }
}

// What the host does from inside a message: destroy the window, or delete the object with it.
enum class Act { DestroyWindow, DeleteObject };
// When the control sends it: while being attached to a dialog item, while being created, or
// afterwards when the test triggers it.
enum class When { Subclassing, Creating, Later };

TEST(Lifecycle, HostMayDestroyAControlFromInsideWhatItSends)
{
    const std::vector<Kind> kinds = Kinds();
    struct Case
    {
        const char* what;
        size_t kind;
        When when;
        Act act;
        bool onLink;  // inside the link's message, else inside WM_CTLCOLORSTATIC
        std::function<void(CWnd*, const Kind&)> trigger;
    } cases[] = {
        { "slider asked at subclassing", 0, When::Subclassing, Act::DestroyWindow, false, nullptr },
        { "slider asked while created", 0, When::Creating, Act::DestroyWindow, false, nullptr },
        { "tabs asked before painting", 3, When::Later, Act::DeleteObject, false,
          [](CWnd* w, const Kind&) { w->RedrawWindow(); } },
        { "tabs asked before printing", 3, When::Later, Act::DeleteObject, false,
          [](CWnd* w, const Kind&) { WindowCapture cap(*w); } },
        { "link asked before painting", 4, When::Later, Act::DeleteObject, false,
          [](CWnd* w, const Kind&) { w->RedrawWindow(); } },
        { "link's message on a click", 4, When::Later, Act::DeleteObject, true,
          [](CWnd* w, const Kind& k) {
              const POINT centre = { (k.rc.right - k.rc.left) / 2, (k.rc.bottom - k.rc.top) / 2 };
              SendMouse(*w, WM_LBUTTONUP, centre);
          } },
    };
    // The first round warms the caches; the second leaves as many GDI objects as it found (the
    // system frees some of its cached ones lazily, so the count is taken over a whole round).
    for (int round = 0; round < 2; ++round)
    {
        GdiBalance gdi;
        for (const Case& c : cases)
        {
            SCOPED_TRACE(c.what);
            const int windows = AfxGetPermanentWindowCount();
            {
                Parent parent;
                const Kind& k = kinds[c.kind];
                if (c.when == When::Subclassing)
                    ASSERT_TRUE(parent.MakeDialog({ { k.cls, k.style, k.rc, k.text } }));
                else
                    ASSERT_TRUE(parent.Make(400, 200));
                CWnd* ctl = k.make();
                HWND hCtl = NULL;
                bool deleted = false;
                auto hit = [&] {
                    hCtl = ctl->GetSafeHwnd();
                    if (c.act == Act::DeleteObject)
                    {
                        deleted = true;
                        delete ctl;
                    }
                    else
                        ::DestroyWindow(hCtl);
                };
                if (c.when == When::Later)
                {
                    ASSERT_TRUE(k.create(ctl, parent, k.rc));
                    k.setUp(ctl);
                    if (c.onLink)
                    {
                        CHyperLinkStatic* link = (CHyperLinkStatic*)ctl;
                        link->m_bNotify = 1;
                        link->m_hNotifyWnd = parent;
                        link->m_nNotifyMsg = kLinkMsg;
                    }
                }
                (c.onLink ? parent.m_onLink : parent.m_onCtlColor) = [&] {
                    if (!hCtl)
                        hit();
                };
                if (c.when == When::Subclassing)
                    EXPECT_FALSE(ctl->SubclassDlgItem(100, &parent));
                else if (c.when == When::Creating)
                    EXPECT_FALSE(k.create(ctl, parent, k.rc));
                else
                    c.trigger(ctl, k);
                parent.m_onLink = parent.m_onCtlColor = nullptr;
                EXPECT_TRUE(hCtl != NULL);
                EXPECT_FALSE(::IsWindow(hCtl));
                PumpPending();
                if (!deleted)
                    delete ctl;
            }
            PumpPending();
            EXPECT_EQ(AfxGetPermanentWindowCount(), windows);
        }
        if (round == 1)
        {
            EXPECT_EQ(gdi.Delta(), 0);
        }
    }
}

TEST(Lifecycle, CreatingPaintingAndDestroyingLeavesNothingBehind)
{
    const std::vector<Kind> kinds = Kinds();
    Parent parent;
    ASSERT_TRUE(parent.Make(400, 200));
    auto cycle = [&] {
        for (const Kind& k : kinds)
        {
            std::unique_ptr<CWnd> w(k.make());
            ASSERT_TRUE(k.create(w.get(), parent, k.rc));
            k.setUp(w.get());
            WindowCapture cap(*w);
            SendMouse(*w, WM_MOUSEMOVE, POINT{ 20, 12 });
            w->RedrawWindow();
        }
        PumpPending();
    };
    cycle();
    GdiBalance gdi;
    WindowBalance windows;
    for (int i = 0; i < 40; ++i)
        cycle();
    EXPECT_EQ(gdi.Delta(), 0);
    EXPECT_EQ(windows.Delta(), 0);
}

}  // namespace
