// The hyperlink as a screen reader meets it: a link named by its text whose value is its target
// and whose default action activates it as a click does.
#include "AccClient.h"
#include "CHyperLinkStatic.h"

using namespace lumotest;
using namespace acctest;

TEST(AccHyperLink, ReadsAsALinkAndItsActionActivatesIt) {
    HostWindow host(300, 100);
    CWnd parent;
    parent.SubclassWindow(host);
    CHyperLinkStatic notify, target;
    ASSERT_TRUE(notify.Create("Open the &orders", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 1));
    ASSERT_TRUE(target.Create("R&&D site", WS_CHILD | WS_VISIBLE, CRect(10, 40, 200, 60), &parent, 2));
    notify.m_bNotify = 1;
    notify.m_hNotifyWnd = host;
    notify.m_nNotifyMsg = WM_APP + 3;
    target.m_strTarget = "https://example.invalid/rd";
    MessageRecorder toHost(host, std::vector<UINT>{WM_APP + 3});

    AccInfo link, site;
    HRESULT hr = E_FAIL;
    ASSERT_TRUE(OnClientThread([&] {
        if (IAccessible* acc = ObjectOf(notify)) {
            link = Read(acc);
            hr = acc->accDoDefaultAction(Child(CHILDID_SELF));
            acc->Release();
        }
        if (IAccessible* acc = ObjectOf(target)) {
            site = Read(acc);
            acc->Release();
        }
    }));
    PumpPending();
    EXPECT_EQ(link.name, "Open the orders");
    EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
    EXPECT_TRUE(link.state & STATE_SYSTEM_LINKED);
    EXPECT_TRUE(link.state & STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(link.action, "Jump");
    EXPECT_EQ(link.value, "");
    EXPECT_TRUE(SameRect(link.location, ScreenRect(notify)));
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(SequenceIs(toHost.Messages(), {RecordedMsg(WM_APP + 3, (HWND)notify, 0)}));
    EXPECT_EQ(site.name, "R&D site");
    EXPECT_EQ(site.value, "https://example.invalid/rd");

    // A new text is announced as a new name.
    {
        EventLog events({notify});
        notify.SetWindowText("Open the invoices");
        const AccEvent named = {EVENT_OBJECT_NAMECHANGE, notify, OBJID_CLIENT, CHILDID_SELF};
        const std::vector<AccEvent>& got = events.Events();
        EXPECT_NE(std::find(got.begin(), got.end(), named), got.end());
        EXPECT_EQ(ReadOnClient(notify).name, "Open the invoices");
    }

    // Disabled, the link is unavailable and its action does nothing.
    notify.EnableWindow(FALSE);
    toHost.Clear();
    ASSERT_TRUE(OnClientThread([&] {
        if (IAccessible* acc = ObjectOf(notify)) {
            link = Read(acc);
            hr = acc->accDoDefaultAction(Child(CHILDID_SELF));
            acc->Release();
        }
    }));
    PumpPending();
    EXPECT_TRUE(link.state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_EQ(toHost.Count(), 0);
    notify.DestroyWindow();
    target.DestroyWindow();
    parent.UnsubclassWindow();
}
