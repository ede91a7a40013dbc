#include "XPButtonPanel.h"

#include <stdio.h>

#include "CUtilityVisual.h"
#include "lumo.h"
#include "ScriptSupport.h"

using namespace gallery;

namespace {

const COLORREF kTitleBack = RGB(58, 110, 165);
const COLORREF kFace = RGB(236, 233, 216);
const COLORREF kText = RGB(40, 40, 40);
const int kTitleH = 20, kLabelW = 120, kCellW = 96, kRowH = 32, kButtonW = 90, kButtonH = 26;
const UINT kFirstId = 400, kGradientId = 440, kAttachedId = 450;
enum { kMenuPrint = 1, kMenuPreview, kMenuSetup };

const char* const kRowNames[CXPButtonPanel::kRows + 1] = {
    "CButtonXP push", "flat", "check box", "radio button", "gradient, attached",
};

// What each cell shows: its caption and the state it is put in.
enum Setup
{
    kPlain = 0,
    kHover = 1,
    kPress = 2,
    kFocus = 4,
    kDisable = 8,
    kCheck = 16,
    kHoverFace = 32,
    kDropMenu = 64,
    kImage = 128,
};
struct Cell
{
    const char* text;
    DWORD style;
    int setup;
};
const Cell kCells[CXPButtonPanel::kRows][CXPButtonPanel::kColumns] = {
    { { "Normal", BS_PUSHBUTTON, kPlain }, { "Hover", BS_PUSHBUTTON, kHover }, { "Pressed", BS_PUSHBUTTON, kHover | kPress },
      { "Focused", BS_PUSHBUTTON, kFocus }, { "Disabled", BS_PUSHBUTTON, kDisable }, { "Default", BS_DEFPUSHBUTTON, kPlain },
      { "Image", BS_PUSHBUTTON, kImage }, { "Image", BS_PUSHBUTTON, kImage | kDisable } },
    { { "Flat", BS_PUSHBUTTON, kPlain }, { "Hover", BS_PUSHBUTTON, kHover }, { "Pressed", BS_PUSHBUTTON, kHover | kPress },
      { "Hover face", BS_PUSHBUTTON, kHover | kHoverFace }, { "Disabled", BS_PUSHBUTTON, kDisable },
      { "Print", BS_PUSHBUTTON, kDropMenu }, { "Print", BS_PUSHBUTTON, kDropMenu | kDisable },
      { "Checked", BS_AUTOCHECKBOX, kCheck } },
    { { "Check", BS_AUTOCHECKBOX, kPlain }, { "Hover", BS_AUTOCHECKBOX, kHover }, { "Pressed", BS_AUTOCHECKBOX, kPress },
      { "Checked", BS_AUTOCHECKBOX, kCheck }, { "Hot checked", BS_AUTOCHECKBOX, kCheck | kHover },
      { "Disabled", BS_AUTOCHECKBOX, kDisable }, { "Disabled", BS_AUTOCHECKBOX, kDisable | kCheck },
      { "Text left", BS_AUTOCHECKBOX | BS_LEFTTEXT, kCheck } },
    // The first four radio buttons are one group; the others stand alone.
    { { "Option A", BS_AUTORADIOBUTTON | WS_GROUP, kPlain }, { "Hover", BS_AUTORADIOBUTTON, kHover },
      { "Pressed", BS_AUTORADIOBUTTON, kPress }, { "Checked", BS_AUTORADIOBUTTON, kCheck },
      { "Hot checked", BS_AUTORADIOBUTTON | WS_GROUP, kCheck | kHover },
      { "Disabled", BS_AUTORADIOBUTTON | WS_GROUP, kDisable }, { "Disabled", BS_AUTORADIOBUTTON | WS_GROUP, kDisable | kCheck },
      { "Text left", BS_AUTORADIOBUTTON | BS_LEFTTEXT | WS_GROUP, kCheck } },
};
const Cell kGradientCells[CXPButtonPanel::kGradients] = {
    { "Gradient", BS_PUSHBUTTON, kPlain }, { "Hover", BS_PUSHBUTTON, kHover },
    { "Pressed", BS_PUSHBUTTON, kHover | kPress }, { "Checked", BS_PUSHBUTTON, kCheck },
};
const Cell kAttachedCells[CXPButtonPanel::kAttached] = {
    { "Attached", BS_PUSHBUTTON, kPlain }, { "Attached", BS_AUTOCHECKBOX, kCheck },
    { "Attached", BS_AUTORADIOBUTTON | WS_GROUP, kPlain },
};

CRect CellRect(int row, int column)
{
    const int x = kLabelW + column * kCellW, y = kTitleH + 6 + row * kRowH;
    return CRect(x, y, x + kButtonW, y + kButtonH);
}

void Apply(CButtonXP& button, int setup)
{
    if (setup & kHover)
        button.SendMessage(WM_MOUSEHOVER);
    if (setup & kPress)
        button._OnLButtonDown();
    if (setup & kCheck)
        button.SetCheck(BST_CHECKED);
    if (setup & kDisable)
        button.EnableWindow(FALSE);
    if (setup & kFocus)
        button.SetFocus();
}

// A 16 x 16 picture on magenta: a blue page with a yellow corner.
HBITMAP MakeImage()
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!hBitmap)
        return NULL;
    DWORD* px = (DWORD*)bits;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
        {
            DWORD c = 0xFF00FF;  // 0x00RRGGBB in a 32-bit DIB
            if (x >= 2 && x < 14 && y >= 1 && y < 15)
                c = (x == 2 || x == 13 || y == 1 || y == 14) ? 0x2A4A8A : 0xD6E2F4;
            if (x >= 9 && x < 14 && y >= 1 && y < 6 && x - 9 >= y - 1)
                c = 0xF0C83C;
            if (y >= 5 && y <= 11 && (y % 2) && x >= 4 && x < 11)
                c = 0x3A6EA5;
            px[y * 16 + x] = c;
        }
    return hBitmap;
}

// The drop menu's timer step: set by the script while the menu is open.
std::function<void()> g_menuStep;

void CALLBACK MenuTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(NULL, id);
    if (g_menuStep)
        g_menuStep();
}

}  // namespace

BEGIN_MESSAGE_MAP(CXPButtonPanel, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CXPButtonPanel::CXPButtonPanel() : m_hBack(::CreateSolidBrush(kFace)), m_nMenuPicks(0)
{
    for (HWND& h : m_attached)
        h = NULL;
}

CXPButtonPanel::~CXPButtonPanel()
{
    ::DeleteObject(m_hBack);
}

BOOL CXPButtonPanel::Make(CWnd* pParent, const CRect& rect, LogFn log)
{
    m_log = log;
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "XP buttons",
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParent, 0))
        return FALSE;
    if (!m_image.Attach(MakeImage()))
        return FALSE;
    const WPARAM font = (WPARAM)::GetStockObject(DEFAULT_GUI_FONT);
    CButtonXP* pFocus = NULL;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
        {
            const Cell& cell = kCells[r][c];
            CButtonXP& b = m_buttons[r][c];
            if (!b.Create(cell.text, cell.style, CellRect(r, c), this, kFirstId + r * 10 + c))
                return FALSE;
            b.SendMessage(WM_SETFONT, font);
            if (r == 1)
                b.SetFlat(TRUE, (cell.setup & kHoverFace) != 0);
            b.SetDropMenu((cell.setup & kDropMenu) != 0);
            if (cell.setup & kImage)
                b.SetButtonBmp(m_image, ICON_LEFT, 4);
            Apply(b, cell.setup & ~kFocus);
            if (cell.setup & kFocus)
                pFocus = &b;
        }
    for (int c = 0; c < kGradients; ++c)
    {
        const Cell& cell = kGradientCells[c];
        if (!m_gradients[c].Create(cell.text, cell.style, CellRect(kRows, c), this, kGradientId + c))
            return FALSE;
        m_gradients[c].SendMessage(WM_SETFONT, font);
        Apply(m_gradients[c], cell.setup);
    }
    // Plain buttons, as a host in any language makes them, given the look with one call each.
    for (int i = 0; i < kAttached; ++i)
    {
        const Cell& cell = kAttachedCells[i];
        CRect rc = CellRect(kRows, kGradients + 1 + i);
        m_attached[i] = ::CreateWindowExA(0, "BUTTON", cell.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | cell.style,
                                          rc.left, rc.top, rc.Width(), rc.Height(), m_hWnd,
                                          (HMENU)(UINT_PTR)(kAttachedId + i), AfxGetInstanceHandle(), NULL);
        if (!m_attached[i])
            return FALSE;
        ::SendMessageA(m_attached[i], WM_SETFONT, font, FALSE);
        if (cell.setup & kCheck)
            ::SendMessageA(m_attached[i], BM_SETCHECK, BST_CHECKED, 0);
        if (!XPButton_SetBkColor(m_attached[i], kFace))
            return FALSE;
    }
    if (pFocus)
        pFocus->SetFocus();
    return TRUE;
}

BOOL CXPButtonPanel::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CRect title(rc.left, rc.top, rc.right, rc.top + kTitleH);
    CUtilityVisual::GradientRect(pDC, title, CUtilityVisual::Hilight(kTitleBack, 30), kTitleBack, 8, TRUE);
    pDC->FillSolidRect(rc.left, title.bottom, rc.Width(), rc.Height() - kTitleH, kFace);
    pDC->SetBkMode(TRANSPARENT);
    CGdiObject* pOldFont = pDC->SelectStockObject(DEFAULT_GUI_FONT);
    title.left += 8;
    pDC->SetTextColor(RGB(255, 255, 255));
    pDC->DrawText("CButtonXP, CButtonXPGradient, XPButton_Attach: every kind in every state", -1, &title,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SetTextColor(kText);
    for (int r = 0; r <= kRows; ++r)
    {
        CRect label = CellRect(r, 0);
        label.left = 8;
        label.right = kLabelW - 4;
        pDC->DrawText(kRowNames[r], -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
    return TRUE;
}

HBRUSH CXPButtonPanel::OnCtlColor(CDC* pDC, CWnd*, UINT)
{
    pDC->SetBkColor(kFace);
    pDC->SetTextColor(kText);
    return m_hBack;
}

void CXPButtonPanel::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
{
    // The attached buttons are no framework windows: their owner paints them, as a C host would.
    for (HWND h : m_attached)
        if (lpDIS->hwndItem == h)
        {
            XPButton_Attach(h, lpDIS->hDC);
            return;
        }
    CWnd::OnDrawItem(nIDCtl, lpDIS);
}

std::string CXPButtonPanel::NameOf(UINT id) const
{
    char name[64];
    HWND h = ::GetDlgItem(m_hWnd, (int)id);
    char text[32] = "";
    ::GetWindowTextA(h, text, sizeof(text));
    int row = kRows;
    if (id >= kFirstId && id < kGradientId)
        row = (int)(id - kFirstId) / 10;
    sprintf(name, "%s '%s'", id >= kAttachedId ? "attached" : id >= kGradientId ? "gradient" : kRowNames[row], text);
    return name;
}

BOOL CXPButtonPanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (lParam && code == BN_CLICKED)
    {
        char line[128];
        sprintf(line, "xp button %s (id %u): WM_COMMAND BN_CLICKED", NameOf(id).c_str(), id);
        m_log(line);
        CButtonXP& drop = m_buttons[1][5];
        if ((HWND)lParam == drop.m_hWnd && drop.IsMenuDropAble())
        {
            // The button is held down while its menu is open.
            drop._OnLButtonDown();
            drop.UpdateWindow();
            CMenu menu;
            menu.CreatePopupMenu();
            menu.AppendMenu(MF_STRING, kMenuPrint, "Print");
            menu.AppendMenu(MF_STRING, kMenuPreview, "Print preview");
            menu.AppendMenu(MF_STRING, kMenuSetup, "Page setup");
            CRect rc;
            drop.GetWindowRect(&rc);
            const UINT pick = (UINT)::TrackPopupMenu(menu.GetSafeHmenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                     rc.left, rc.bottom, 0, m_hWnd, NULL);
            drop.DismissMenu();
            if (pick)
            {
                char item[32] = "";
                menu.GetMenuString(pick, item, sizeof(item), MF_BYCOMMAND);
                sprintf(line, "xp button %s: drop menu item '%s' (id %u)", NameOf(id).c_str(), item, pick);
                m_log(line);
                ++m_nMenuPicks;
            }
        }
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

CRect CXPButtonPanel::InHost(HWND hWnd) const
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(m_hWnd), (LPPOINT)&rc, 2);
    return rc;
}

void CXPButtonPanel::Probe(const char* name, HWND hWnd, POINT origin) const
{
    const CRect rc = InHost(hWnd);
    printf("probe: %s %ld %ld %ld %ld\n", name, rc.left + origin.x, rc.top + origin.y, rc.right + origin.x,
           rc.bottom + origin.y);
    fflush(stdout);
}

void CXPButtonPanel::RunScript(const ShootFn& shoot)
{
    auto post = [](HWND h, UINT msg, WPARAM w, int x, int y) { ::PostMessageA(h, msg, w, MAKELPARAM(x, y)); };
    auto click = [&](HWND h) {
        post(h, WM_LBUTTONDOWN, MK_LBUTTON, 6, 6);
        post(h, WM_LBUTTONUP, 0, 6, 6);
    };

    // Hover: the mouse over the first push button.
    CButtonXP& normal = m_buttons[0][0];
    POINT pt = { 30, 12 };
    ::ClientToScreen(normal, &pt);
    ::SetCursorPos(pt.x, pt.y);
    post(normal, WM_MOUSEMOVE, 0, 30, 12);
    Check(PumpUntil([&] { return normal.IsHover() != 0; }, 3000), "xp: the push button under the mouse is hovered");
    POINT origin = shoot("classes-04-xp-hover.png");
    Probe("xp-hovered", normal, origin);
    Probe("xp-state-hover", m_buttons[0][1], origin);
    Probe("xp-state-pressed", m_buttons[0][2], origin);
    Probe("xp-state-checked", m_buttons[2][3], origin);

    // Press and release: held down for the screenshot, then clicked.
    post(normal, WM_LBUTTONDOWN, MK_LBUTTON, 30, 12);
    Check(PumpUntil([&] { return normal.IsPressed() != 0; }, 3000), "xp: the push button is pressed");
    shoot("classes-05-xp-pressed.png");
    Probe("xp-pressed", normal, origin);
    const size_t menuPicks = m_nMenuPicks;
    post(normal, WM_LBUTTONUP, 0, 30, 12);
    Check(PumpUntil([&] { return !normal.IsPressed(); }, 3000), "xp: released");

    // Toggles: a check box, a radio button of a group, the attached check box, the space bar.
    CButtonXP& check = m_buttons[2][0];
    CButtonXP& optionA = m_buttons[3][0];
    CButtonXP& optionChecked = m_buttons[3][3];
    click(check);
    click(optionA);
    click(m_attached[1]);
    Settle();
    CButtonXP& focused = m_buttons[0][3];
    focused.SetFocus();
    ::PostMessageA(focused, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::PostMessageA(focused, WM_KEYUP, VK_SPACE, 0xC0390001);
    Settle();
    Check(check.GetCheck() == BST_CHECKED, "xp: the check box is checked by a click");
    Check(optionA.GetCheck() == BST_CHECKED && optionChecked.GetCheck() == BST_UNCHECKED,
          "xp: the clicked radio button is checked and the one checked before in its group cleared");
    Check(::SendMessageA(m_attached[1], BM_GETCHECK, 0, 0) == BST_UNCHECKED,
          "xp: the attached check box is unchecked by a click");
    shoot("classes-06-xp-toggled.png");
    Probe("xp-check-toggled", check, origin);
    Probe("xp-attached-check", m_attached[1], origin);

    // The drop menu: opened by a click, shown held down, closed by picking its second item.
    CButtonXP& drop = m_buttons[1][5];
    bool droppedWhileOpen = false;
    g_menuStep = [&] {
        droppedWhileOpen = drop.IsMenuDropped() && drop.IsPressed();
        shoot("classes-07-xp-drop-menu.png");
        Probe("xp-drop", drop, origin);
        for (UINT vk : { VK_DOWN, VK_DOWN, VK_RETURN })
        {
            ::PostMessageA(m_hWnd, WM_KEYDOWN, vk, 0);
            ::PostMessageA(m_hWnd, WM_KEYUP, vk, 0xC0000001);
        }
    };
    ::SetTimer(NULL, 0, 150, MenuTimer);
    click(drop);
    Check(PumpUntil([&] { return (size_t)m_nMenuPicks > menuPicks; }, 5000), "xp: the drop menu opened and a pick closed it");
    g_menuStep = nullptr;
    Check(droppedWhileOpen, "xp: the drop button is held down while its menu is open");
    Check(!drop.IsMenuDropped() && !drop.IsPressed() && !drop.IsMenuDropAble(),
          "xp: dismissing the menu lets the button up and guards it for 300 ms");
    Settle();
}
