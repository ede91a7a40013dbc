#include "CButtonXP.h"
#include "draw/LumoPalette.h"
#include "buttons/CButtonXPMap.h"
#include "buttons/CButtonXPPalette.h"
#include "buttons/CXPItemBuffer.h"
#include "CUtilityVisual.h"
#include "frame/HostNotify.h"
#include "frame/LumoRes.h"
#include "frame/CAccessible.h"
#include "CDRAW.h"
#include "CPub.h"
#include "draw/CBackBuffer.h"
#include "frame/DpiScale.h"
#include "draw/RtlText.h"

#include <new>
#include <vector>

namespace {

// A drop menu may open again this long after it was dismissed.
const DWORD kMenuGuardMs = 300;
const COLORREF kTransparent = RGB(255, 0, 255);
const COLORREF kDisabledBoxFill = RGB(0xAA, 0xAA, 0xAA);
// The drawn check box and radio button of the system colours, as big as the pictures.
const int kSysBoxSize = 13;

// The button's own sizes, in 96-DPI pixels.
const int kBoxTextGap = 6;          // between a check or radio box and its text
const int kTextLeftInset = 2;       // text left of the box starts here
const int kRadioDotInset = 4;       // a disabled radio button's dot inside its ring
const int kDropArrowRoom = 10;      // a drop-menu button's caption leaves this for the arrow
const int kDropSeparatorRight = 13; // the arrow's separator from the right edge

// Check-box and radio-button pictures of the resource library, by state:
// [pressed][checked][hover] for radio buttons, then for check boxes.
const int kRadioIds[2][2][2] = { { { 5015, 5018 }, { 5016, 5014 } }, { { 5013, 5013 }, { 5017, 5017 } } };
const int kCheckIds[2][2][2] = { { { 5021, 5024 }, { 5022, 5020 } }, { { 5019, 5019 }, { 5023, 5023 } } };

BOOL StillBound(HWND hSelf, const void* pObject)
{
    return CButtonXP_::FromHandle(hSelf) == pObject;
}

HFONT ButtonFont(HWND hWnd)
{
    return (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
}

}  // namespace

// The mask of a greyed text: a one-bit picture of the letters, black on white, kept for the next
// paint with what it was drawn for.
struct CGreyTextMask
{
    HDC hDC = NULL;
    HBITMAP hBits = NULL;
    HGDIOBJ hOldBits = NULL;
    CSize size = CSize(0, 0);
    CString strText;
    HFONT hFont = NULL;
    DWORD dwLayout = 0;
    UINT nFormat = 0;

    ~CGreyTextMask()
    {
        if (hDC)
        {
            ::SelectObject(hDC, hOldBits);
            ::DeleteDC(hDC);
        }
        if (hBits)
            ::DeleteObject(hBits);
    }
    // The mask of the text in the target's font, layout and format; null when it cannot be made.
    HDC Get(HDC hTarget, CSize sizeText, const CString& str, UINT nTextFormat)
    {
        const HFONT hTargetFont = (HFONT)::GetCurrentObject(hTarget, OBJ_FONT);
        const DWORD dwTargetLayout = ::GetLayout(hTarget) & LAYOUT_RTL;
        if (hDC && size == sizeText && strText == str && hFont == hTargetFont && dwLayout == dwTargetLayout &&
            nFormat == nTextFormat)
            return hDC;
        if (!hDC && !(hDC = ::CreateCompatibleDC(hTarget)))
            return NULL;
        if (size != sizeText || !hBits)
        {
            HBITMAP hNew = ::CreateBitmap(sizeText.cx, sizeText.cy, 1, 1, NULL);
            if (!hNew)
                return NULL;
            HGDIOBJ hOld = ::SelectObject(hDC, hNew);
            if (hBits)
                ::DeleteObject(hBits);
            else
                hOldBits = hOld;
            hBits = hNew;
            size = sizeText;
        }
        // The mask is drawn in the target's layout, so the copies keep its orientation.
        ::SetLayout(hDC, dwTargetLayout);
        CRect rcMask(0, 0, size.cx, size.cy);
        ::FillRect(hDC, &rcMask, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        ::SetBkColor(hDC, RGB(255, 255, 255));
        ::SetTextColor(hDC, RGB(0, 0, 0));
        HGDIOBJ hOldFont = ::SelectObject(hDC, hTargetFont);
        ::DrawTextA(hDC, str, str.GetLength(), &rcMask, nTextFormat);
        ::SelectObject(hDC, hOldFont);
        strText = str;
        hFont = hTargetFont;
        dwLayout = dwTargetLayout;
        nFormat = nTextFormat;
        return hDC;
    }
};

// A check box's or radio button's picture, loaded for a DPI and selected into a memory context.
struct CXPBoxPicture
{
    int nId = 0;
    int nDpi = 0;
    HBITMAP hBitmap = NULL;
    HDC hDC = NULL;
    HGDIOBJ hOld = NULL;
    CSize size = CSize(0, 0);

    ~CXPBoxPicture() { Free(); }
    void Free()
    {
        if (hDC)
        {
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
        }
        if (hBitmap)
            ::DeleteObject(hBitmap);
        hDC = NULL;
        hBitmap = NULL;
        hOld = NULL;
        size = CSize(0, 0);
        nId = 0;
    }
    BOOL Load(int nNewId, int nNewDpi)
    {
        if (hDC && nId == nNewId && nDpi == nNewDpi)
            return TRUE;
        Free();
        hBitmap = ::Load1BitmapForDpi(nNewId, nNewDpi);
        hDC = hBitmap ? ::CreateCompatibleDC(NULL) : NULL;
        if (!hDC)
        {
            Free();
            return FALSE;
        }
        hOld = ::SelectObject(hDC, hBitmap);
        size = CDRAW::GetBmpSize(hBitmap);
        nId = nNewId;
        nDpi = nNewDpi;
        return TRUE;
    }
};

// A flat button's hover face: three rounded rings, one pixel apart, kept for a rectangle.
struct CXPHoverRings
{
    CRect rc = CRect(0, 0, 0, 0);
    HRGN hRings[3] = { NULL, NULL, NULL };

    ~CXPHoverRings() { Free(); }
    void Free()
    {
        for (HRGN& h : hRings)
        {
            if (h)
                ::DeleteObject(h);
            h = NULL;
        }
    }
    // FALSE when a region cannot be made.
    BOOL For(const CRect& rect)
    {
        if (hRings[2] && rc == rect)
            return TRUE;
        Free();
        for (int i = 0; i < 3; ++i)
            if (!(hRings[i] = ::CreateRoundRectRgn(rect.left + i, rect.top + i, rect.right - i, rect.bottom - i, 3, 3)))
                return FALSE;
        rc = rect;
        return TRUE;
    }
};

namespace
{

// A button's text in the box at pt, cx x cy, as DrawState draws it (ampersands underline the
// next letter), but reading right to left in a mirrored context, which DrawState cannot do.
// Embossed, it is the greyed look: the letters' mask (kept in pMask) in the 3-D highlight one
// pixel down and right, then in the 3-D shadow in place.
void DrawButtonText(HDC hDC, CPoint pt, CSize size, const CString& strText, CGreyTextMask* pMask)
{
    const UINT nFormat = DT_NOCLIP | RtlReading(hDC);
    CRect rc(pt, size);
    if (!pMask)
    {
        ::DrawTextA(hDC, strText, strText.GetLength(), &rc, nFormat);
        return;
    }
    HDC hMask = pMask->Get(hDC, size, strText, nFormat);
    if (!hMask)
        return;
    // Where the mask is black the brush paints; elsewhere the target stays.
    const DWORD kMaskedBrush = 0x00B8074A;
    const struct { int nColor, nOffset; } passes[2] = { { COLOR_3DHILIGHT, 1 }, { COLOR_3DSHADOW, 0 } };
    for (const auto& pass : passes)
    {
        HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetSysColorBrush(pass.nColor));
        ::BitBlt(hDC, pt.x + pass.nOffset, pt.y + pass.nOffset, size.cx, size.cy, hMask, 0, 0, kMaskedBrush);
        ::SelectObject(hDC, hOldBrush);
    }
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// construction

CButtonXP_::CButtonXP_()
    : m_hButton(NULL), m_pDpi(new CDpiScale), m_nButtonType(XPBUTTON_PUSH), m_pToolTip(NULL), m_bFlat(0), m_bPressed(0),
      m_bHover(0), m_bFocused(0), m_bDisabled(0), m_bChecked(0), m_bTextLeft(0), m_bHoverFace(0),
      m_pImage(new (std::nothrow) CButtonXPImage), m_nIconPos(ICON_LEFT), m_nGap(0), m_bDropMenu(0), m_bMenuDropped(0),
      m_dwDismissTime(0), m_bUseBkColor(0), m_crBk(::GetSysColor(COLOR_BTNFACE)), m_bDefault(0),
      m_bHideFocus(0), m_bArrowFocus(0), m_lArrowTime(0), m_pFace(NULL), m_nFaceTable(-1), m_pGrey(NULL),
      m_pBox(NULL), m_pRings(NULL)
{
}

CButtonXP_::~CButtonXP_()
{
    delete m_pImage;
    delete m_pFace;
    delete m_pGrey;
    delete m_pBox;
    delete m_pRings;
    delete m_pDpi;
}

void CButtonXP_::FreePaintCache()
{
    delete m_pFace;
    m_pFace = NULL;
    m_nFaceTable = -1;
    delete m_pGrey;
    m_pGrey = NULL;
    delete m_pBox;
    m_pBox = NULL;
    delete m_pRings;
    m_pRings = NULL;
}

CGreyTextMask* CButtonXP_::GreyMask()
{
    if (!m_pGrey)
        m_pGrey = new (std::nothrow) CGreyTextMask;
    return m_pGrey;
}

CXPBoxPicture* CButtonXP_::BoxPicture(int nId)
{
    if (!m_pBox)
        m_pBox = new (std::nothrow) CXPBoxPicture;
    return m_pBox && m_pBox->Load(nId, m_pDpi->GetDpi()) ? m_pBox : NULL;
}

void CButtonXP_::InvalidatePaintCache()
{
    m_nFaceTable = -1;
    InvalidateButton();
}

CButtonXP_* CButtonXP_::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return NULL;
    if (CButtonXP_* pAttached = CButtonXPMap::Lookup(hWnd))
        return pAttached;
    return DYNAMIC_DOWNCAST(CButtonXP, CWnd::FromHandlePermanent(hWnd));
}

UINT CButtonXP_::TypeFromStyle(DWORD dwStyle)
{
    switch (dwStyle & BS_TYPEMASK)
    {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    // A three-state box is a check box whose third state shows as unchecked.
    case BS_3STATE:
    case BS_AUTO3STATE:
        return XPBUTTON_CHECK;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return XPBUTTON_RADIO;
    default:
        return XPBUTTON_PUSH;
    }
}

DWORD CButtonXP_::OwnerDrawStyle(DWORD dwStyle)
{
    return (dwStyle & ~(DWORD)BS_TYPEMASK) | BS_OWNERDRAW;
}

/////////////////////////////////////////////////////////////////////////////
// configuration

void CButtonXP_::Init(HWND hWnd, UINT nType)
{
    m_hButton = hWnd;
    m_nButtonType = (int)nType;
    m_pDpi->Attach(hWnd);
    if (!hWnd)
        return;
    if (nType == XPBUTTON_CHECK || nType == XPBUTTON_RADIO)
        m_bChecked = ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    m_bDefault = nType == XPBUTTON_PUSH &&
                 ((DWORD)::GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    m_bHideFocus = (::SendMessageA(hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

void CButtonXP_::SetFlat(int bFlat, int bHoverFace)
{
    m_bFlat = bFlat;
    m_bHoverFace = bHoverFace;
}

void CButtonXP_::SetBkColor(COLORREF crBk, int bUse)
{
    m_crBk = crBk;
    m_bUseBkColor = bUse;
}

void CButtonXP_::SetToolTip(CToolTipCtrl* pToolTip, LPCTSTR lpszText)
{
    if (!m_hButton)
        return;
    m_pToolTip = pToolTip;
    if (pToolTip && pToolTip->GetSafeHwnd())
        pToolTip->AddTool(CWnd::FromHandle(m_hButton), lpszText, NULL, 0);
}

int CButtonXP_::GetButtonType()
{
    return m_nButtonType;
}

void CButtonXP_::SetButtonBmp(CBitmap& bitmap, enum_iconpos nPos, int nGap)
{
    if (m_pImage)
        m_pImage->SetBitmap((HBITMAP)bitmap.GetSafeHandle());
    m_nIconPos = nPos;
    m_nGap = nGap;
}

void CButtonXP_::SetButtonBmp(UINT nBitmapId, enum_iconpos nPos, int nGap)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nBitmapId), (LPCTSTR)RT_BITMAP);
    HBITMAP hBitmap = ::LoadBitmapA(hInst, MAKEINTRESOURCEA(nBitmapId));
    if (m_pImage)
        m_pImage->SetBitmap(hBitmap);
    if (hBitmap)
        ::DeleteObject(hBitmap);
    m_nIconPos = nPos;
    m_nGap = nGap;
}

void CButtonXP_::SetButtonIcon(HICON hIcon, HICON hDisabledIcon, int nSize, enum_iconpos nPos, int nGap)
{
    if (m_pImage)
        m_pImage->SetIcons(hIcon, hDisabledIcon, nSize);
    m_nIconPos = nPos;
    m_nGap = nGap;
}

void CButtonXP_::SetButtonIcon(UINT nIconId, UINT nDisabledIconId, int nSize, enum_iconpos nPos, int nGap)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIconId));
    HICON hDisabled = nDisabledIconId ? ::LoadIconA(hInst, MAKEINTRESOURCEA(nDisabledIconId)) : NULL;
    SetButtonIcon(hIcon, hDisabled, nSize, nPos, nGap);
}

void CButtonXP_::SetButtonIcon(HICON hIcon, int nSize, enum_iconpos nPos, int nGap)
{
    if (m_pImage)
        m_pImage->SetIcon(hIcon, nSize);
    m_nIconPos = nPos;
    m_nGap = nGap;
}

void CButtonXP_::SetButtonIcon(UINT nIconId, int nSize, enum_iconpos nPos, int nGap)
{
    SetButtonIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIconId)), nSize, nPos, nGap);
}

void CButtonXP_::SetDropMenu(int bDropMenu)
{
    m_bDropMenu = bDropMenu;
}

void CButtonXP_::DismissMenu()
{
    if (!m_hButton)
        return;
    m_bMenuDropped = 0;
    m_bPressed = 0;
    InvalidateButton();
    m_dwDismissTime = ::GetTickCount();
}

int CButtonXP_::IsMenuDropAble()
{
    // An unsigned difference stays right across the tick counter's wrap and after 24.8 days.
    return (DWORD)(::GetTickCount() - m_dwDismissTime) > kMenuGuardMs;
}

/////////////////////////////////////////////////////////////////////////////
// message handlers

void CButtonXP_::_OnSetCheck(WPARAM wParam, LPARAM)
{
    const int bChecked = wParam == BST_CHECKED;
    const BOOL bChanged = bChecked != m_bChecked;
    m_bChecked = bChecked;
    InvalidateButton();
    if (bChanged && m_nButtonType != XPBUTTON_PUSH)
        CAccessible::Notify(EVENT_OBJECT_STATECHANGE, m_hButton);
}

LRESULT CButtonXP_::_OnGetCheck(WPARAM, LPARAM)
{
    return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

void CButtonXP_::_OnMouseMove(UINT, CPoint)
{
    if (!m_hButton)
        return;
    if (!m_bHover)
    {
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_HOVER | TME_LEAVE, m_hButton, 0 };
        ::_TrackMouseEvent(&tme);
        m_bHover = 1;
        InvalidateButton();
    }
    HWND hTip = m_pToolTip ? m_pToolTip->GetSafeHwnd() : NULL;
    if (hTip && ::IsWindow(hTip))
    {
        MSG msg = {};
        msg.hwnd = m_hButton;
        msg.message = WM_MOUSEMOVE;
        SendToHost(hTip, TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
}

LRESULT CButtonXP_::_OnMouseHover(WPARAM, LPARAM)
{
    if (!m_bHover)
    {
        m_bHover = 1;
        InvalidateButton();
    }
    return 1;
}

void CButtonXP_::_OnMouseLeave()
{
    m_bHover = 0;
    InvalidateButton();
}

void CButtonXP_::_OnLButtonDown()
{
    m_bPressed = 1;
}

void CButtonXP_::_OnLButtonUp(UINT, CPoint point)
{
    if (!m_hButton || !m_bPressed)
        return;
    m_bPressed = 0;
    if (m_nButtonType == XPBUTTON_PUSH)
    {
        InvalidateButton();
        return;
    }
    if (m_nButtonType == XPBUTTON_RADIO && m_bChecked)
        return;
    // Released outside the button: the press is abandoned.
    POINT pt = point;
    ::ClientToScreen(m_hButton, &pt);
    RECT rc;
    ::GetWindowRect(m_hButton, &rc);
    if (::PtInRect(&rc, pt) && ToggleCheck())
        InvalidateButton();
}

void CButtonXP_::_OnKeyDown(UINT nKey, LPARAM)
{
    if (!m_hButton || nKey != VK_SPACE)
        return;
    m_bPressed = 1;
    InvalidateButton();
}

void CButtonXP_::_OnKeyUp(UINT nKey, LPARAM)
{
    if (!m_hButton || nKey != VK_SPACE)
        return;
    m_bPressed = 0;
    if (m_nButtonType == XPBUTTON_RADIO && m_bChecked)
        return;
    if (ToggleCheck())
        InvalidateButton();
}

LRESULT CButtonXP_::_OnGetDlgCode(LRESULT lPlatformCode, const MSG* pMsg)
{
    // The dialog asks the control it is to move to about the key, and sets the focus at once.
    m_bArrowFocus = 0;
    if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->hwnd != m_hButton && m_nButtonType == XPBUTTON_RADIO &&
        (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN))
    {
        m_bArrowFocus = 1;
        m_lArrowTime = pMsg->time;
    }
    LRESULT code = (lPlatformCode & ~(LRESULT)(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)) |
                   DLGC_BUTTON;
    if (m_nButtonType == XPBUTTON_PUSH)
        code |= m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    else if (m_nButtonType == XPBUTTON_RADIO)
        code |= DLGC_RADIOBUTTON;
    return code;
}

void CButtonXP_::_OnSetFocus()
{
    // Only while the key that moved the focus is still the message being handled.
    const BOOL bArrow = m_bArrowFocus && ::GetMessageTime() == m_lArrowTime;
    m_bArrowFocus = 0;
    if (bArrow && m_hButton && m_nButtonType == XPBUTTON_RADIO && !m_bChecked)
        SendToHost(m_hButton, BM_CLICK, 0, 0);
}

WPARAM CButtonXP_::_OnSetStyle(WPARAM wStyle)
{
    // A dialog moves its default between push buttons with BS_DEFPUSHBUTTON / BS_PUSHBUTTON.
    if ((wStyle & BS_TYPEMASK) != BS_OWNERDRAW)
    {
        m_nButtonType = (int)TypeFromStyle((DWORD)wStyle);
        m_bDefault = (wStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    InvalidateButton();
    return OwnerDrawStyle((DWORD)wStyle);
}

void CButtonXP_::_OnUpdateUIState(WPARAM wParam)
{
    // Kept here as well as by the platform, which may not answer WM_QUERYUISTATE.
    if (HIWORD(wParam) & UISF_HIDEFOCUS)
    {
        if (LOWORD(wParam) == UIS_SET)
            m_bHideFocus = 1;
        else if (LOWORD(wParam) == UIS_CLEAR)
            m_bHideFocus = 0;
        else if (LOWORD(wParam) == UIS_INITIALIZE && m_hButton)
            m_bHideFocus = (::SendMessageA(m_hButton, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    }
    InvalidateButton();
}

/////////////////////////////////////////////////////////////////////////////
// implementation

BOOL CButtonXP_::SendToHost(HWND hTo, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return HostNotify::Send(m_hButton, this, StillBound, hTo, msg, wParam, lParam, pResult);
}

BOOL CButtonXP_::ToggleCheck()
{
    const BOOL bCheck = !m_bChecked;
    const HWND hSelf = m_hButton;
    const BOOL bRadio = m_nButtonType == XPBUTTON_RADIO;
    if (!SendToHost(hSelf, BM_SETCHECK, bCheck ? BST_CHECKED : BST_UNCHECKED, 0))
        return FALSE;
    if (!bCheck || !bRadio)
        return TRUE;

    // A checked radio button clears the others of its group, from the nearest WS_GROUP window
    // at or before it to the next one.
    HWND hFirst = hSelf;
    while (!(::GetWindowLongPtrA(hFirst, GWL_STYLE) & WS_GROUP))
    {
        HWND hPrev = ::GetWindow(hFirst, GW_HWNDPREV);
        if (!hPrev)
            break;
        hFirst = hPrev;
    }
    std::vector<HWND> group;
    for (HWND h = hFirst; h; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (h != hFirst && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (h != hSelf)
            group.push_back(h);
    }
    for (HWND h : group)
    {
        LRESULT code = 0;
        if (!::IsWindow(h))
            continue;
        if (!SendToHost(h, WM_GETDLGCODE, 0, 0, &code))
            return FALSE;
        if ((code & DLGC_RADIOBUTTON) && !SendToHost(h, BM_SETCHECK, BST_UNCHECKED, 0))
            return FALSE;
    }
    return TRUE;
}

void CButtonXP_::InvalidateButton()
{
    if (m_hButton)
        ::InvalidateRect(m_hButton, NULL, TRUE);
}

BOOL CButtonXP_::PaintBackground(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rect)
{
    if (m_bUseBkColor)
    {
        pDC->FillSolidRect(&rect, m_crBk);
        return TRUE;
    }
    LRESULT lBrush = 0;
    if (!SendToHost(::GetParent(m_hButton), WM_CTLCOLORBTN, (WPARAM)lpDIS->hDC, (LPARAM)m_hButton, &lBrush))
        return FALSE;
    HBRUSH hBrush = lBrush ? (HBRUSH)lBrush : ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(pDC->GetSafeHdc(), &rect, hBrush);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// painting

void CButtonXP_::_DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || !lpDIS->hDC || !m_hButton || !::IsWindow(m_hButton) || !::IsWindowVisible(m_hButton))
        return;
    CRect rect(lpDIS->rcItem);
    if (rect.IsRectEmpty() && lpDIS->itemState == 0)
        ::GetClientRect(m_hButton, &rect);
    char buffer[256] = "";
    ::GetWindowTextA(m_hButton, buffer, sizeof(buffer));
    CString strText(buffer);

    m_bFocused = ::GetFocus() == m_hButton;
    m_bDisabled = !::IsWindowEnabled(m_hButton);
    m_bTextLeft = (::GetWindowLongPtrA(m_hButton, GWL_STYLE) & BS_LEFTTEXT) != 0;

    if (LumoPalette::Flat())
    {
        if (m_nButtonType == XPBUTTON_PUSH && m_bDisabled)
            m_bPressed = 0;
        _DrawItem_SystemColors(lpDIS, strText, rect);
    }
    else if (m_bFlat)
    {
        if (m_nButtonType == XPBUTTON_PUSH && m_bDropMenu)
        {
            // The menu opens with the press and holds the button down until it is dismissed.
            if (m_bPressed && IsMenuDropAble())
                m_bMenuDropped = 1;
            if (m_bMenuDropped)
                m_bPressed = 1;
        }
        if (m_nButtonType == XPBUTTON_PUSH && m_bDisabled)
            m_bPressed = 0;
        _DrawItem_PushButton_Flat(lpDIS, strText, rect);
    }
    else if (m_nButtonType == XPBUTTON_CHECK)
        _DrawItem_CheckBox(lpDIS, strText, rect);
    else if (m_nButtonType == XPBUTTON_RADIO)
        _DrawItem_RadioButton(lpDIS, strText, rect);
    else
        _DrawItem_PushButton(lpDIS, strText, rect);
}

void CButtonXP_::_DrawItem_PushButton(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect)
{
    CXPItemBuffer buffer(lpDIS->hDC);
    if (!PaintBackground(&buffer, lpDIS, rect))
        return;
    const CButtonXPPalette& palette = CButtonXPPalette::Get();

    CRect face = rect;
    face.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    GradientFill(&buffer, face);
    if (m_bPressed || m_bFocused || m_bHover || m_bDefault)
        DrawBorder(&buffer, face);

    CRect rcText = rect;
    if (m_bPressed)
        rcText.OffsetRect(1, 1);
    _DrawItem_IconText(&buffer, strText, rcText);

    if ((m_bPressed || m_bFocused) && !m_bHideFocus)
    {
        CRect rcFocus = face;
        rcFocus.DeflateRect(1, 1);
        buffer.DrawFocusRect(&rcFocus);
    }

    HGDIOBJ hOldPen = buffer.SelectObject(
        palette.GetPen(m_bDisabled ? CButtonXPPalette::PEN_OUTLINE_DISABLED : CButtonXPPalette::PEN_OUTLINE));
    HGDIOBJ hOldBrush = buffer.SelectObject(::GetStockObject(NULL_BRUSH));
    buffer.RoundRect(rect.left, rect.top, rect.right, rect.bottom, 6, 6);
    buffer.SelectObject(hOldBrush);
    buffer.SelectObject(hOldPen);
}

void CButtonXP_::GradientFill(CDC* pDC, CRect rect)
{
    typedef CButtonXPPalette P;
    P::Table nTable;
    if (m_bPressed)
        nTable = P::TABLE_PRESSED;
    else if (m_bHover)
        nTable = m_bFocused ? P::TABLE_HOT_FOCUSED : P::TABLE_HOT;
    else
        nTable = m_bFocused ? P::TABLE_FOCUSED : P::TABLE_NORMAL;
    const COLORREF* table = P::Get().GetTable(nTable);

    // The rows cover [top, n) and the columns [left, right]; the last row is one pixel shorter
    // at each end.
    const int n = rect.bottom - rect.top + 3;
    const int cx = rect.right + 1 - rect.left, cy = n - rect.top;
    if (cx <= 0 || cy <= 0)
        return;
    if (!m_pFace)
        m_pFace = new (std::nothrow) CBackBuffer;
    HDC hFace = m_pFace ? m_pFace->Get(cx, cy) : NULL;
    if (!hFace)
    {
        DrawGradientRows(pDC, rect, table);
        return;
    }
    if (m_nFaceTable != (int)nTable || m_rcFace != rect)
    {
        CDC dc;
        dc.Attach(hFace);
        const CPoint ptOld = dc.SetViewportOrg(-rect.left, -rect.top);
        DrawGradientRows(&dc, rect, table);
        dc.SetViewportOrg(ptOld);
        dc.Detach();
        m_nFaceTable = (int)nTable;
        m_rcFace = rect;
    }
    HDC hDC = pDC->GetSafeHdc();
    if (cy > 1)
        ::BitBlt(hDC, rect.left, rect.top, cx, cy - 1, hFace, 0, 0, SRCCOPY);
    if (cx > 2)
        ::BitBlt(hDC, rect.left + 1, n - 1, cx - 2, 1, hFace, 1, cy - 1, SRCCOPY);
}

void CButtonXP_::DrawGradientRows(CDC* pDC, const CRect& rect, const COLORREF* table)
{
    typedef CButtonXPPalette P;
    // Rows are counted from the face's top, so a face two pixels down ends on its own bottom.
    const int n = rect.bottom - rect.top + 3;
    for (int y = rect.top; y < n; ++y)
    {
        CRect row(rect.left, y, rect.right + 1, y + 1);
        if (y == rect.bottom - rect.top + 2)
            row.SetRect(rect.left + 1, y, rect.right, y + 1);
        pDC->FillSolidRect(&row, table[(P::kSteps - 1) * y / n]);
    }
}

void CButtonXP_::DrawDisabledText(CDC* pDC, CPoint pt, const CString& strText)
{
    const COLORREF crOld = pDC->GetTextColor();
    // As wide as the text, so that a mirrored context puts it where the mirroring does.
    CRect rc(pt, CSize(0, 0));
    const UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_LEFT | DT_TOP | RtlReading(pDC->GetSafeHdc());
    pDC->DrawText(strText, &rc, nFormat | DT_CALCRECT);
    pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
    rc.OffsetRect(1, 1);
    pDC->DrawText(strText, &rc, nFormat);
    pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
    rc.OffsetRect(-1, -1);
    pDC->DrawText(strText, &rc, nFormat);
    pDC->SetTextColor(crOld);
}

void CButtonXP_::DrawBorder(CDC* pDC, CRect rect)
{
    typedef CButtonXPPalette P;
    const P& palette = P::Get();
    const int first = m_bPressed ? P::PEN_PRESSED_LEFT : m_bHover ? P::PEN_HOT_LEFT : P::PEN_FOCUS_LEFT;
    HDC hDC = pDC->GetSafeHdc();
    POINT old;
    ::GetCurrentPositionEx(hDC, &old);
    HGDIOBJ hOldPen = ::SelectObject(hDC, palette.GetPen((P::Pen)(first + 0)));
    ::MoveToEx(hDC, rect.left, rect.bottom - 1, NULL);
    ::LineTo(hDC, rect.left, rect.top);
    ::SelectObject(hDC, palette.GetPen((P::Pen)(first + 2)));
    ::MoveToEx(hDC, rect.right, rect.bottom - 1, NULL);
    ::LineTo(hDC, rect.right, rect.top);
    ::SelectObject(hDC, palette.GetPen((P::Pen)(first + 1)));
    ::MoveToEx(hDC, rect.left, rect.top, NULL);
    ::LineTo(hDC, rect.right - 2, rect.top);
    ::SelectObject(hDC, palette.GetPen((P::Pen)(first + 3)));
    ::MoveToEx(hDC, rect.left, rect.bottom, NULL);
    ::LineTo(hDC, rect.right - 1, rect.bottom);
    ::SelectObject(hDC, hOldPen);
    ::MoveToEx(hDC, old.x, old.y, NULL);
}

void CButtonXP_::_DrawItem_IconText(CDC* pDC, CString& strText, CRect& rect)
{
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    HFONT hFont = ButtonFont(m_hButton);
    HGDIOBJ hOldFont = hFont ? pDC->SelectObject(hFont) : NULL;

    const CSize image = m_pImage ? m_pImage->GetSize() : CSize(0, 0);
    CSize text(0, 0);
    ::GetTextExtentPoint32A(pDC->m_hAttribDC, strText, strText.GetLength(), &text);
    const int iw = image.cx, ih = image.cy, tw = text.cx, th = text.cy;
    // The gap only separates an image from a text.
    const int g = (iw && tw) ? m_nGap : 0;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int cx = (l + r) / 2, cy = (t + b) / 2;
    CPoint ptImage, ptText;
    switch (m_nIconPos)
    {
    case ICON_LEFT:
    {
        const int x0 = l + (r - l - tw - g - iw) / 2;
        ptImage = CPoint(x0, cy - ih / 2);
        ptText = CPoint(x0 + iw + g, cy - th / 2);
        break;
    }
    case ICON_RIGHT:
    {
        const int x0 = l + (r - l - tw - g - iw) / 2;
        ptText = CPoint(x0, cy - th / 2);
        ptImage = CPoint(x0 + tw + g, cy - ih / 2);
        break;
    }
    case ICON_TOP:
    {
        const int y0 = t + (b - t - th - ih - g) / 2;
        ptImage = CPoint(cx - iw / 2, y0);
        ptText = CPoint(cx - tw / 2, y0 + ih + g);
        break;
    }
    default:
    {
        const int y0 = t + (b - t - th - ih - g) / 2;
        ptText = CPoint(cx - tw / 2, y0);
        ptImage = CPoint(cx - iw / 2, y0 + th + g);
        break;
    }
    }

    if (m_pImage && !m_pImage->IsEmpty())
        m_pImage->Draw(pDC, ptImage.x, ptImage.y, !m_bDisabled);
    if (!strText.IsEmpty())
    {
        // In system colours a disabled text is drawn plainly in the disabled text colour.
        if (m_bDisabled && !LumoPalette::Flat())
            DrawDisabledText(pDC, ptText, strText);
        else
            DrawButtonText(pDC->GetSafeHdc(), ptText, CSize(tw, th), strText, NULL);
    }

    if (hOldFont)
        pDC->SelectObject(hOldFont);
    pDC->SetBkMode(nOldMode);
}

void CButtonXP_::_DrawItem_PushButton_Flat(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect)
{
    CXPItemBuffer buffer(lpDIS->hDC);

    int bDown = (m_nButtonType == XPBUTTON_CHECK || m_nButtonType == XPBUTTON_RADIO) ? m_bChecked : 0;
    if (m_bPressed)
        bDown = 1;
    const COLORREF crBase = m_bUseBkColor ? m_crBk : ::GetBkColor(lpDIS->hDC);
    const COLORREF crLight = CUtilityVisual::Hilight(crBase, 21);
    const COLORREF crDark = CUtilityVisual::Hilight(crLight, -100);
    const COLORREF crLighter = CUtilityVisual::Hilight(crLight, 50);

    if (m_bHoverFace && m_bHover && !bDown)
    {
        buffer.FillSolidRect(&rect, crBase);
        const COLORREF faces[3] = { crDark, crBase, crLight };
        if (!m_pRings)
            m_pRings = new (std::nothrow) CXPHoverRings;
        if (m_pRings && m_pRings->For(rect))
        {
            HBRUSH hBrush = (HBRUSH)::GetStockObject(DC_BRUSH);
            const COLORREF crOld = ::GetDCBrushColor(buffer.GetSafeHdc());
            for (int i = 0; i < 3; ++i)
            {
                ::SetDCBrushColor(buffer.GetSafeHdc(), faces[i]);
                ::FillRgn(buffer.GetSafeHdc(), m_pRings->hRings[i], hBrush);
            }
            ::SetDCBrushColor(buffer.GetSafeHdc(), crOld);
        }
    }
    else
        buffer.FillSolidRect(&rect, m_bPressed ? crLight : crBase);

    const int nOldMode = buffer.SetBkMode(TRANSPARENT);
    HFONT hFont = ButtonFont(m_hButton);
    HGDIOBJ hOldFont = hFont ? buffer.SelectObject(hFont) : NULL;

    _DrawItem_PushButton_FlatText(&buffer, strText, rect, bDown, crDark, crLighter);

    if (bDown)
        buffer.Draw3dRect(&rect, crDark, crLighter);
    else if (m_bHover && !m_bHoverFace)
        buffer.Draw3dRect(&rect, crLighter, crDark);
    else if (m_bDefault && m_nButtonType == XPBUTTON_PUSH)
        CPub::DrawRect(&buffer, rect, crDark);

    if (hOldFont)
        buffer.SelectObject(hOldFont);
    buffer.SetBkMode(nOldMode);
}

void CButtonXP_::_DrawItem_PushButton_FlatText(CDC* pDC, CString& strText, CRect& rect, int bDown, COLORREF crDark,
                                               COLORREF crLight)
{
    CRect r = rect;
    if (bDown)
        r.OffsetRect(1, 1);
    CRect rcCaption = r;
    if (m_bDropMenu)
        rcCaption.right -= m_pDpi->Scale(kDropArrowRoom);
    _DrawItem_IconText(pDC, strText, rcCaption);
    if (!m_bDropMenu)
        return;

    int x = r.right - m_pDpi->Scale(kDropSeparatorRight);
    if (bDown)
        x += m_pDpi->Scale(2);
    if (m_bHover || m_bPressed)
    {
        CPub::DrawLine(pDC, x - 1, r.top + 1, x - 1, r.bottom - 1, crDark);
        CPub::DrawLine(pDC, x, r.top + 1, x, r.bottom - 1, crLight);
    }
    // A small triangle pointing down.
    const int ax = x + (r.right - x) / 2;
    const int ay = r.top + (r.bottom - r.top) / 2 - m_pDpi->Scale(2);
    const COLORREF crArrow = (m_bDisabled || LumoPalette::Flat()) ? crDark : RGB(0, 0, 0);
    // Three rows at 96 DPI, each one pixel narrower at both ends; more rows at a higher DPI.
    const int nRows = m_pDpi->Scale(3);
    for (int k = 0; k < nRows; ++k)
    {
        const int half = m_pDpi->Scale(3) - k;
        CPub::DrawLine(pDC, ax - half, ay + k, ax + half, ay + k, crArrow);
    }
}

void CButtonXP_::_DrawItem_CheckBox(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect)
{
    CXPItemBuffer buffer(lpDIS->hDC);
    if (!PaintBackground(&buffer, lpDIS, rect))
        return;

    CXPBoxPicture* pBox = BoxPicture(kCheckIds[m_bPressed ? 1 : 0][m_bChecked ? 1 : 0][m_bHover ? 1 : 0]);
    CSize box = pBox ? pBox->size : CSize(0, 0);
    CPoint pt(m_bTextLeft ? rect.right - box.cx : 0, rect.top + (rect.Height() - box.cy) / 2);
    if (!m_bDisabled)
    {
        if (pBox)
            ::BitBlt(buffer.GetSafeHdc(), pt.x, pt.y, box.cx, box.cy, pBox->hDC, 0, 0, SRCCOPY);
    }
    else
    {
        HGDIOBJ hOldPen = buffer.SelectObject(CButtonXPPalette::Get().GetPen(CButtonXPPalette::PEN_OUTLINE_DISABLED));
        buffer.Rectangle(pt.x, pt.y, pt.x + box.cx, pt.y + box.cy);
        if (m_bChecked)
        {
            buffer.MoveTo(pt.x + m_pDpi->Scale(3), pt.y + m_pDpi->Scale(6));
            buffer.LineTo(pt.x + m_pDpi->Scale(5), pt.y + m_pDpi->Scale(8));
            buffer.LineTo(pt.x + m_pDpi->Scale(10), pt.y + m_pDpi->Scale(3));
        }
        buffer.SelectObject(hOldPen);
    }
    if (!strText.IsEmpty())
        _DrawItem_Text_RadioCheck(&buffer, strText, pt, box);
}

void CButtonXP_::_DrawItem_RadioButton(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect)
{
    CXPItemBuffer buffer(lpDIS->hDC);
    if (!PaintBackground(&buffer, lpDIS, rect))
        return;

    CXPBoxPicture* pBox = BoxPicture(kRadioIds[m_bPressed ? 1 : 0][m_bChecked ? 1 : 0][m_bHover ? 1 : 0]);
    if (!pBox)
        AfxMessageBox("Can't load BMP resource!\t", MB_OK, 0);
    CSize box = pBox ? pBox->size : CSize(0, 0);
    CPoint pt(m_bTextLeft ? rect.right - box.cy : 0, rect.top + (rect.Height() - box.cy) / 2);
    if (!m_bDisabled)
    {
        if (pBox)
            CDRAW::TransparentBlt2(buffer.GetSafeHdc(), pt.x, pt.y, box.cx, box.cy, pBox->hDC, 0, 0, kTransparent);
    }
    else
    {
        HGDIOBJ hOldPen = buffer.SelectObject(CButtonXPPalette::Get().GetPen(CButtonXPPalette::PEN_OUTLINE_DISABLED));
        buffer.Ellipse(pt.x, pt.y, pt.x + box.cx, pt.y + box.cy);
        if (m_bChecked)
        {
            HGDIOBJ hOldBrush = buffer.SelectObject(::GetStockObject(DC_BRUSH));
            const COLORREF crOldBrush = ::SetDCBrushColor(buffer.GetSafeHdc(), kDisabledBoxFill);
            const int inset = m_pDpi->Scale(kRadioDotInset);
            buffer.Ellipse(pt.x + inset, pt.y + inset, pt.x + box.cx - inset, pt.y + box.cy - inset);
            ::SetDCBrushColor(buffer.GetSafeHdc(), crOldBrush);
            buffer.SelectObject(hOldBrush);
        }
        buffer.SelectObject(hOldPen);
    }
    if (!strText.IsEmpty())
        _DrawItem_Text_RadioCheck(&buffer, strText, pt, box);
}

void CButtonXP_::_DrawItem_Text_RadioCheck(CDC* pDC, CString& strText, CPoint& box, CSize& boxSize)
{
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    HFONT hFont = ButtonFont(m_hButton);
    HGDIOBJ hOldFont = hFont ? pDC->SelectObject(hFont) : NULL;
    CSize text(0, 0);
    ::GetTextExtentPoint32A(pDC->m_hAttribDC, strText, strText.GetLength(), &text);

    box.x = m_bTextLeft ? m_pDpi->Scale(kTextLeftInset) : boxSize.cx + m_pDpi->Scale(kBoxTextGap);
    box.y += boxSize.cy / 2 - text.cy / 2;
    const BOOL bEmbossed = m_bDisabled && !LumoPalette::Flat();
    const CSize drawn = bEmbossed ? CSize(text.cx + 2, text.cy + 2) : text;
    DrawButtonText(pDC->GetSafeHdc(), box, drawn, strText, bEmbossed ? GreyMask() : NULL);

    if (hOldFont)
        pDC->SelectObject(hOldFont);
    pDC->SetBkMode(nOldMode);
    if ((m_bPressed || m_bFocused) && !m_bHideFocus)
    {
        CRect rcFocus(box.x - 1, box.y - 1, box.x + drawn.cx + 1, box.y + drawn.cy + 2);
        pDC->DrawFocusRect(&rcFocus);
    }
}

// Every kind of button in the system colours of its role: the face COLOR_BTNFACE, its edge
// COLOR_WINDOWFRAME (COLOR_HOTLIGHT under the mouse or pressed), the text COLOR_BTNTEXT
// (COLOR_GRAYTEXT disabled); a toggle that is down COLOR_HIGHLIGHT; check boxes and radio buttons
// drawn boxes on COLOR_WINDOW instead of pictures.
void CButtonXP_::_DrawItem_SystemColors(LPDRAWITEMSTRUCT lpDIS, CString& strText, CRect& rect)
{
    typedef LumoPalette L;
    auto sys = [](L::Role role) { return ::GetSysColor(L::SysIndex(role)); };
    CXPItemBuffer buffer(lpDIS->hDC);
    const BOOL bToggle = m_nButtonType == XPBUTTON_CHECK || m_nButtonType == XPBUTTON_RADIO;
    const BOOL bDown = m_bPressed || (m_bFlat && bToggle && m_bChecked);
    const COLORREF crEdge = sys(m_bDisabled ? L::DISABLED_TEXT : (m_bHover || m_bPressed) ? L::HOT : L::FRAME);
    COLORREF crText = sys(m_bDisabled ? L::DISABLED_TEXT : L::HEADER_TEXT);
    buffer.FillSolidRect(&rect, sys(L::HEADER));
    CPen pen(PS_SOLID, 1, crEdge);
    HGDIOBJ hOldPen = buffer.SelectObject(&pen);
    HGDIOBJ hOldBrush = buffer.SelectObject(::GetStockObject(NULL_BRUSH));
    if (bToggle && !m_bFlat)
    {
        CSize box(kSysBoxSize, kSysBoxSize);
        CPoint pt(m_bTextLeft ? rect.right - box.cx : 0, rect.top + (rect.Height() - box.cy) / 2);
        CBrush fill(sys(L::PANE));
        buffer.SelectObject(&fill);
        if (m_nButtonType == XPBUTTON_CHECK)
            buffer.Rectangle(pt.x, pt.y, pt.x + box.cx, pt.y + box.cy);
        else
            buffer.Ellipse(pt.x, pt.y, pt.x + box.cx, pt.y + box.cy);
        if (m_bChecked)
        {
            const COLORREF crMark = sys(m_bDisabled ? L::DISABLED_TEXT : L::PANE_TEXT);
            CPen markPen(PS_SOLID, 1, crMark);
            CBrush markBrush(crMark);
            buffer.SelectObject(&markPen);
            buffer.SelectObject(&markBrush);
            if (m_nButtonType == XPBUTTON_CHECK)
            {
                for (int k = 0; k < 2; ++k)
                {
                    buffer.MoveTo(pt.x + 3, pt.y + 6 + k);
                    buffer.LineTo(pt.x + 5, pt.y + 8 + k);
                    buffer.LineTo(pt.x + 10, pt.y + 3 + k);
                }
            }
            else
                buffer.Ellipse(pt.x + 4, pt.y + 4, pt.x + box.cx - 4, pt.y + box.cy - 4);
            buffer.SelectObject(&pen);
        }
        buffer.SelectObject(::GetStockObject(NULL_BRUSH));
        const COLORREF crOldText = buffer.SetTextColor(crText);
        if (!strText.IsEmpty())
            _DrawItem_Text_RadioCheck(&buffer, strText, pt, box);
        buffer.SetTextColor(crOldText);
    }
    else
    {
        if (bDown && bToggle)
        {
            buffer.FillSolidRect(&rect, sys(L::SELECTION));
            crText = sys(m_bDisabled ? L::DISABLED_TEXT : L::SELECTION_TEXT);
        }
        if (m_bFlat)
            buffer.Rectangle(&rect);
        else
            buffer.RoundRect(rect.left, rect.top, rect.right, rect.bottom, 6, 6);
        if (m_bDefault && !m_bFlat)
        {
            CRect inner = rect;
            inner.DeflateRect(1, 1);
            buffer.RoundRect(inner.left, inner.top, inner.right, inner.bottom, 6, 6);
        }
        const COLORREF crOldText = buffer.SetTextColor(crText);
        CRect rcText = rect;
        if (m_bPressed)
            rcText.OffsetRect(1, 1);
        if (m_bFlat)
            _DrawItem_PushButton_FlatText(&buffer, strText, rect, bDown, crText, sys(L::HEADER));
        else
            _DrawItem_IconText(&buffer, strText, rcText);
        buffer.SetTextColor(crOldText);
        if ((m_bPressed || m_bFocused) && !m_bHideFocus)
        {
            CRect rcFocus = rect;
            rcFocus.DeflateRect(3, 3);
            buffer.DrawFocusRect(&rcFocus);
        }
    }
    buffer.SelectObject(hOldBrush);
    buffer.SelectObject(hOldPen);
}
