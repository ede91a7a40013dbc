// Both ways a host makes the controls work give the same pixels, and a host may end a control
// from inside anything it, or the platform control under it, sends.
#include "ControlsTest.h"
#include "DestroyInNotify.h"

#include <functional>

using namespace ctltest;

namespace {

// One control of each kind: an object that goes with its window, and the state a host gives it
// after making it either way.
struct Kind {
    const char* cls;
    DWORD style;
    RECT rc;
    const char* text;
    std::function<CWnd*()> make;
    std::function<void(CWnd*)> setUp;
};

template <class T>
CWnd* New() {
    return new SelfDeleting<T>;
}

const Kind kSlider = {TRACKBAR_CLASSA, TBS_AUTOTICKS, {10, 10, 210, 40}, "", New<CMySlideCtrl>,
                      [](CWnd* w) { ((CMySlideCtrl*)w)->SetPos(40); }};
const Kind kProgress = {PROGRESS_CLASSA, 0, {10, 50, 210, 72}, "", New<CProgressCtrlEx>,
                        [](CWnd* w) { ((CProgressCtrl*)w)->SetPos(35); }};
const Kind kGroup = {"BUTTON", BS_GROUPBOX, {220, 10, 380, 90}, "Customer", New<CSpecGroupBox>, [](CWnd*) {}};
const Kind kTabs = {WC_TABCONTROLA, 0, {10, 100, 300, 190}, "", New<CTabCtrlEx>, [](CWnd* w) {
                        for (const char* name : {"General", "Orders", "Invoices"})
                            ((CTabCtrl*)w)->InsertItem(((CTabCtrl*)w)->GetItemCount(), name);
                        ((CTabCtrl*)w)->SetCurSel(1);
                    }};
const Kind kLink = {"STATIC", SS_LEFT, {220, 100, 380, 124}, "Open the orders", New<CHyperLinkStatic>, [](CWnd* w) {
                        auto* link = (CHyperLinkStatic*)w;
                        link->m_bNotify = 1;
                        link->m_hNotifyWnd = ::GetParent(*w);
                        link->m_nNotifyMsg = kLinkMsg;
                    }};

// The control on the Create path (through CWnd::Create, which the wrappers' Create call), set up.
CWnd* Create(const Kind& k, HWND parent, UINT id = 100) {
    CWnd* w = k.make();
    if (!w->CWnd::Create(k.cls, k.text, WS_VISIBLE | k.style, k.rc, CWnd::FromHandle(parent), id)) return nullptr;
    GuiFont(*w);
    k.setUp(w);
    return w;
}

TEST(Lifecycle, BothCreationPathsPaintTheSamePixels) {
    Parent created, attached;
    ASSERT_TRUE(created.Make());
    ASSERT_TRUE(attached.Make());
    for (const Kind* k : {&kSlider, &kProgress, &kGroup, &kTabs, &kLink}) {
        SCOPED_TRACE(k->cls);
        CWnd *a = Create(*k, created), *b = k->make();
        ASSERT_TRUE(a && attached.MakeItem(k->cls, k->style, k->rc, k->text, 100));
        ASSERT_TRUE(b->SubclassDlgItem(100, &attached));
        EXPECT_EQ(a->GetStyle() & 0xFFFF, b->GetStyle() & 0xFFFF);
        k->setUp(b);
        ::SetFocus(NULL);
        WindowCapture ca(*a), cb(*b);
        ASSERT_TRUE(ca.Ok() && cb.Ok());
        EXPECT_TRUE(ca.Pixels() == cb.Pixels());
        EXPECT_LT(ca.CountColor(kParentBack), ca.Width() * ca.Height()) << "something drawn";
        a->DestroyWindow();
        b->DestroyWindow();
    }
}

// The slider asks for the parent's background as it is made, on either path, and passes on what
// the track bar reports; the tabs and the link ask before they paint; the link notifies, and the
// static under it reports presses and enabling and asks for its own background; the host is
// told when the link takes the focus from it. (The progress bar sends nothing; the group box's
// button asks nothing here, where it is themed.)
TEST(Lifecycle, HostMayEndAControlFromInsideEachNotification) {
    auto make = [](const Kind& k) { return [&k](HWND host) { return Create(k, host)->GetSafeHwnd(); }; };
    auto is = [](UINT msg, int code = -1) {
        return [msg, code](HWND c, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_NOTIFY) return msg == m && ((NMHDR*)l)->hwndFrom == c && (int)((NMHDR*)l)->code == code;
            const bool from = (HWND)l == c || ((m == WM_KILLFOCUS || m == kLinkMsg) && (HWND)w == c);
            return m == msg && from && (code < 0 || (m == WM_COMMAND ? HIWORD(w) : LOWORD(w)) == code);
        };
    };
    auto asked = is(WM_CTLCOLORSTATIC);
    auto mouse = [](POINT pt, std::vector<UINT> msgs) {
        return [pt, msgs](HWND c) {
            for (UINT m : msgs) ::PostMessageA(c, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        };
    };
    auto onThumb = [&](std::vector<UINT> msgs) {
        return [&, msgs](HWND c) {
            RECT rc;
            ::SendMessageA(c, TBM_GETTHUMBRECT, 0, (LPARAM)&rc);
            mouse({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, msgs)(c);
        };
    };
    auto key = [](UINT vk) { return [vk](HWND c) { PostKey(c, vk); }; };
    auto repaint = [](HWND c) { ::RedrawWindow(c, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); };
    auto print = [](HWND c) {
        MemoryCanvas canvas(300, 100);
        ::SendMessageA(c, WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    };
    auto disable = [](HWND c) { ::EnableWindow(c, FALSE); };
    // A track bar of the host's, for the slider to be attached to, or beside which one is made.
    auto trackBar = [](HWND host) {
        const RECT& rc = kSlider.rc;
        return ::CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                                 rc.bottom - rc.top, host, NULL, NULL, NULL);
    };
    const POINT onText = {5, 12};
    const std::vector<NotifyCase> cases = {
        {"slider asked while attached", trackBar, [](HWND c) {
             auto* s = new SelfDeleting<CMySlideCtrl>;
             if (!s->SubclassWindow(c)) delete s;
         }, asked},
        // Made on the Create path, the slider is asked while it is made: the host ends its sliders.
        {"slider asked while created", trackBar, [](HWND c) { Create(kSlider, ::GetParent(c), 101); },
         [](HWND, UINT m, WPARAM, LPARAM) { return m == WM_CTLCOLORSTATIC; }, [](HWND c) {
             while (HWND s = ::FindWindowExA(::GetParent(c), NULL, TRACKBAR_CLASSA, NULL)) ::DestroyWindow(s);
         }},
        {"slider key", make(kSlider), key(VK_RIGHT), is(WM_HSCROLL, TB_LINEDOWN)},
        {"slider page click", make(kSlider), mouse({190, 15}, {WM_LBUTTONDOWN}), is(WM_HSCROLL, TB_PAGEDOWN)},
        {"slider drag", make(kSlider), [&](HWND c) {
             onThumb({WM_LBUTTONDOWN})(c);
             mouse({150, 15}, {WM_MOUSEMOVE})(c);
         }, is(WM_HSCROLL, TB_THUMBTRACK)},
        {"slider drag ends", make(kSlider), onThumb({WM_LBUTTONDOWN, WM_LBUTTONUP}), is(WM_HSCROLL, TB_ENDTRACK)},
        {"slider capture released", make(kSlider), onThumb({WM_LBUTTONDOWN, WM_LBUTTONUP}),
         is(WM_NOTIFY, NM_RELEASEDCAPTURE)},
        {"slider capture taken", make(kSlider), [&](HWND c) {
             onThumb({WM_LBUTTONDOWN})(c);
             PumpPending();
             ::SetCapture(::GetParent(c));
         }, is(WM_HSCROLL, TB_ENDTRACK)},
        {"tabs painted", make(kTabs), repaint, asked},
        {"tabs printed", make(kTabs), print, asked},
        {"link painted", make(kLink), repaint, asked},
        {"link printed", make(kLink), print, asked},
        {"link clicked", make(kLink), mouse(onText, {WM_LBUTTONDOWN, WM_LBUTTONUP}), is(kLinkMsg)},
        {"link Enter", make(kLink), key(VK_RETURN), is(kLinkMsg)},
        {"link Space", make(kLink), key(VK_SPACE), is(kLinkMsg)},
        {"link pressed", make(kLink), mouse(onText, {WM_LBUTTONDOWN}), is(WM_COMMAND, STN_CLICKED)},
        {"link takes the focus", [&](HWND host) {
             ::SetFocus(host);
             return make(kLink)(host);
         }, mouse(onText, {WM_LBUTTONDOWN}), is(WM_KILLFOCUS)},
        {"link disabled", make(kLink), disable, is(WM_COMMAND, STN_DISABLE)},
        {"link disabled, repainting", make(kLink), disable, asked},
    };
    ParkCursor();
    ExpectDestroyInNotifyIsSafe(cases);
}

}  // namespace
