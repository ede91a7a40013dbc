// Owner-drawn menus as a screen reader reads them: every item's data begins with MSAAMENUINFO,
// holding the item's text (and its shortcut after a tab) in UTF-16, read while the menu is open.
#include "AccClient.h"
#include "MenuTestUtil.h"

using namespace lumotest;
using namespace menutest;

namespace {

struct ItemSeen {
    UINT id = 0;
    bool separator = false, submenu = false;
    DWORD signature = 0, chars = 0;
    std::wstring text;
};

// What GetMenuItemInfo gives of every item of the menu shown in a menu window.
std::vector<ItemSeen> ReadLevel(HWND menuWindow) {
    std::vector<ItemSeen> seen;
    HMENU menu = (HMENU)SendMessageA(menuWindow, MN_GETHMENU, 0, 0);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW mii = {sizeof(mii), MIIM_DATA | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU};
        ItemSeen s;
        if (GetMenuItemInfoW(menu, i, TRUE, &mii) && mii.dwItemData) {
            const MSAAMENUINFO* info = reinterpret_cast<const MSAAMENUINFO*>(mii.dwItemData);
            s.signature = info->dwMSAASignature;
            s.chars = info->cchWText;
            if (info->pszWText)
                s.text.assign(info->pszWText, info->cchWText);
        }
        s.id = mii.wID;
        s.separator = mii.dwItemData && s.text.empty();
        s.submenu = mii.hSubMenu != nullptr;
        seen.push_back(s);
    }
    return seen;
}

}  // namespace

TEST(AccMenu, EveryOwnerDrawnItemCarriesItsTextForScreenReaders) {
    HostWindow owner;
    TestMenu menu(owner, 2);
    menu.SetItem(1, "&Open", 0);
    menu.SetItem(0, "-", 0);
    menu.SetItem(3, "&Send \xE0 (to)", 0);  // a character outside ASCII, in the ANSI code page
    menu.SetItem(31, "Printer", 3);
    menu.SetItem(32, "Mail", 3);
    menu.SetItem(4, "Delete", 0);
    menu.SetShortcut(4, "Del");
    menu.SetEnable(4, 0);
    menu.SetItem(5, "Bold\tCtrl+B", 0);
    menu.SetCheck(5, 1);
    std::vector<ItemSeen> top, sub;
    MenuSteps steps({MenuShown,
                     [&] {
                         top = ReadLevel(OpenMenus().front());
                         return true;
                     },
                     Keys(owner, {VK_UP, VK_UP, VK_UP, VK_RIGHT}), Levels(2),
                     [&] {
                         sub = ReadLevel(OpenMenus().front());
                         return true;
                     },
                     Keys(owner, {VK_ESCAPE, VK_ESCAPE})});
    EXPECT_EQ(menu.Popup(60, 60), 0);
    EXPECT_TRUE(steps.Done());

    WCHAR sendTo[32];
    MultiByteToWideChar(CP_ACP, 0, "&Send \xE0 (to)", -1, sendTo, 32);
    const std::vector<std::wstring> topTexts = {L"&Open", L"", sendTo, L"Delete\tDel", L"Bold\tCtrl+B"};
    ASSERT_EQ(top.size(), topTexts.size());
    for (size_t i = 0; i < top.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(top[i].signature, (DWORD)MSAA_MENU_SIG);
        EXPECT_EQ(top[i].text, topTexts[i]);
        EXPECT_EQ(top[i].chars, topTexts[i].size());
    }
    EXPECT_TRUE(top[1].separator);
    EXPECT_TRUE(top[2].submenu);  // the submenu item keeps its data once it opens a submenu
    ASSERT_EQ(sub.size(), 2u);
    EXPECT_EQ(sub[0].signature, (DWORD)MSAA_MENU_SIG);
    EXPECT_EQ(sub[0].text, L"Printer");
    EXPECT_EQ(sub[1].text, L"Mail");
    EXPECT_EQ(sub[1].id, 32u);
}
