// Both ways a host makes the controls work give the same pixels; a host may destroy a control
// from inside anything it sends; creating, painting and destroying leaves nothing behind.
#include "ControlsTest.h"

#include <memory>

using namespace lumotest;
using namespace ctltest;

namespace {

// One control of each kind, with the state a host gives it after making it either way.
struct Kind
{
    const char* cls;
    DWORD style;
    RECT rc;
    const char* text;
    std::function<CWnd*()> make;
    std::function<BOOL(CWnd*, Parent&, DWORD, const RECT&, const char*)> create;
    std::function<void(CWnd*)> setUp;
};

template <class T>
CWnd* New()
{
    return new T;
}

std::vector<Kind> Kinds()
{
    auto none = [](CWnd*) {};
    return {
        { TRACKBAR_CLASSA, TBS_AUTOTICKS, { 10, 10, 210, 40 }, "", New<CMySlideCtrl>,
          [](CWnd* w, Parent& p, DWORD s, const RECT& rc, const char*) { return ((CSliderCtrl*)w)->Create(s, rc, &p, 100); },
          [](CWnd* w) { ((CMySlideCtrl*)w)->SetPos(40); } },
        { PROGRESS_CLASSA, 0, { 10, 50, 210, 72 }, "", New<CProgressCtrlEx>,
          [](CWnd* w, Parent& p, DWORD s, const RECT& rc, const char*) { return ((CProgressCtrl*)w)->Create(s, rc, &p, 101); },
          [](CWnd* w) { ((CProgressCtrl*)w)->SetPos(35); } },
        { "BUTTON", BS_GROUPBOX, { 220, 10, 380, 90 }, "Customer", New<CSpecGroupBox>,
          [](CWnd* w, Parent& p, DWORD s, const RECT& rc, const char* t) { return ((CButton*)w)->Create(t, s, rc, &p, 102); },
          none },
        { WC_TABCONTROLA, 0, { 10, 100, 300, 190 }, "", New<CTabCtrlEx>,
          [](CWnd* w, Parent& p, DWORD s, const RECT& rc, const char*) { return ((CTabCtrl*)w)->Create(s, rc, &p, 103); },
          [](CWnd* w) {
              for (const char* name : { "General", "Orders", "Invoices" })
                  ((CTabCtrl*)w)->InsertItem(((CTabCtrl*)w)->GetItemCount(), name);
              ((CTabCtrl*)w)->SetCurSel(1);
          } },
        { "STATIC", SS_CENTER, { 220, 100, 380, 124 }, "Open the orders", New<CHyperLinkStatic>,
          [](CWnd* w, Parent& p, DWORD s, const RECT& rc, const char* t) { return ((CStatic*)w)->Create(t, s, rc, &p, 104); },
          none },
    };
}

BOOL Create(const Kind& k, CWnd* w, Parent& parent)
{
    if (!k.create(w, parent, WS_CHILD | WS_VISIBLE | k.style, k.rc, k.text))
        return FALSE;
    GuiFont(*w);
    return TRUE;
}

TEST(Lifecycle, BothCreationPathsPaintTheSamePixels)
{
    const std::vector<Kind> kinds = Kinds();
    Parent created, dialog;
    ASSERT_TRUE(created.Make());
    std::vector<Parent::Item> items;
    for (const Kind& k : kinds)
        items.push_back({ k.cls, k.style, k.rc, k.text });
    ASSERT_TRUE(dialog.MakeDialog(items));
    for (size_t i = 0; i < kinds.size(); ++i)
    {
        SCOPED_TRACE(kinds[i].cls);
        std::unique_ptr<CWnd> a(kinds[i].make()), b(kinds[i].make());
        ASSERT_TRUE(Create(kinds[i], a.get(), created));
        ASSERT_TRUE(b->SubclassDlgItem((UINT)(100 + i), &dialog));
        EXPECT_EQ(a->GetStyle() & 0xFFFF, b->GetStyle() & 0xFFFF);
        kinds[i].setUp(a.get());
        kinds[i].setUp(b.get());
        ::SetFocus(NULL);
        WindowCapture ca(*a), cb(*b);
        ASSERT_TRUE(ca.Ok() && cb.Ok());
        EXPECT_TRUE(ca.Pixels() == cb.Pixels());
        EXPECT_LT(ca.CountColor(kParentBack), ca.Width() * ca.Height()) << "something drawn";
    }
}

TEST(Lifecycle, HostMayDestroyAControlFromInsideWhatItSends)
{
    const std::vector<Kind> kinds = Kinds();
    // When the control asks: while attached to a dialog item, while created, or when triggered.
    enum When { kSubclassing, kCreating, kLater };
    auto redraw = [](CWnd* w) { w->RedrawWindow(); };
    struct Case
    {
        const char* what;
        size_t kind;
        When when;
        bool deleteObject;  // else only the window goes
        bool onLink;        // inside the link's message, else inside WM_CTLCOLORSTATIC
        std::function<void(CWnd*)> trigger;
    } cases[] = {
        { "slider asked at subclassing", 0, kSubclassing, false, false, nullptr },
        { "slider asked while created", 0, kCreating, false, false, nullptr },
        { "tabs asked before painting", 3, kLater, true, false, redraw },
        { "link asked before painting", 4, kLater, true, false, redraw },
        { "link's message on a click", 4, kLater, true, true, [](CWnd* w) { SendMouse(*w, WM_LBUTTONUP, POINT{ 80, 12 }); } },
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
                ASSERT_TRUE(c.when == kSubclassing ? parent.MakeDialog({ { k.cls, k.style, k.rc, k.text } }) : parent.Make());
                CWnd* ctl = k.make();
                HWND hCtl = NULL;
                if (c.when == kLater)
                {
                    ASSERT_TRUE(Create(k, ctl, parent));
                    k.setUp(ctl);
                    CHyperLinkStatic* link = c.onLink ? (CHyperLinkStatic*)ctl : nullptr;
                    if (link)
                    {
                        link->m_bNotify = 1;
                        link->m_hNotifyWnd = parent;
                        link->m_nNotifyMsg = kLinkMsg;
                    }
                }
                (c.onLink ? parent.m_onLink : parent.m_onCtlColor) = [&] {
                    if (hCtl)
                        return;
                    hCtl = ctl->GetSafeHwnd();
                    if (c.deleteObject)
                        delete ctl;
                    else
                        ::DestroyWindow(hCtl);
                };
                if (c.when == kSubclassing)
                    EXPECT_FALSE(ctl->SubclassDlgItem(100, &parent));
                else if (c.when == kCreating)
                    EXPECT_FALSE(Create(k, ctl, parent));
                else
                    c.trigger(ctl);
                parent.m_onLink = parent.m_onCtlColor = nullptr;
                EXPECT_TRUE(hCtl && !::IsWindow(hCtl));
                PumpPending();
                if (!c.deleteObject)
                    delete ctl;
            }
            PumpPending();
            EXPECT_EQ(AfxGetPermanentWindowCount(), windows);
        }
        EXPECT_TRUE(round == 0 || gdi.Delta() == 0) << gdi.Delta();
    }
}

TEST(Lifecycle, CreatingPaintingAndDestroyingLeavesNothingBehind)
{
    const std::vector<Kind> kinds = Kinds();
    Parent parent;
    ASSERT_TRUE(parent.Make());
    auto cycle = [&] {
        for (const Kind& k : kinds)
        {
            std::unique_ptr<CWnd> w(k.make());
            ASSERT_TRUE(Create(k, w.get(), parent));
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
