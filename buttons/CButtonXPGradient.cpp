#include "CButtonXP.h"
#include "CUtilityVisual.h"
#include "buttons/CXPItemBuffer.h"
#include "CPub.h"
#include "draw/RtlText.h"

namespace {

const COLORREF kUpperTop = 0xDEF6FC, kUpperBottom = 0x93E7F6;
const COLORREF kLowerTop = 0x39D7F3, kLowerBottom = 0xAAF1FB;
const COLORREF kFrame = 0x3BBCF0;

}  // namespace

void CButtonXPGradient::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || !lpDIS->hDC || !m_hButton || !::IsWindowVisible(m_hButton))
        return;
    CRect rect(lpDIS->rcItem);
    if (rect.IsRectEmpty() && lpDIS->itemState == 0)
        ::GetClientRect(m_hButton, &rect);
    rect.right -= 1;
    rect.bottom -= 1;
    const int h = rect.Height();

    CXPItemBuffer buffer(lpDIS->hDC);
    LRESULT lBrush = 0;
    if (!SendToHost(::GetParent(m_hButton), WM_CTLCOLORBTN, (WPARAM)lpDIS->hDC, (LPARAM)m_hButton, &lBrush))
        return;
    ::FillRect(buffer.GetSafeHdc(), &rect, lBrush ? (HBRUSH)lBrush : ::GetSysColorBrush(COLOR_BTNFACE));

    if (m_bHover)
    {
        // The lower band starts higher while the button is held down.
        const int split = m_bPressed ? h / 3 : h / 2;
        CRect upper(rect.left, rect.top, rect.right, split);
        CRect lower(rect.left, split, rect.right, rect.bottom);
        CUtilityVisual::GradientRect(&buffer, upper, kUpperTop, kUpperBottom, 10, TRUE);
        CUtilityVisual::GradientRect(&buffer, lower, kLowerTop, kLowerBottom, 10, TRUE);
        CPub::DrawRect(&buffer, rect, kFrame);
    }

    CString strText;
    GetWindowText(strText);
    buffer.SetBkMode(TRANSPARENT);
    buffer.SelectStockObject(DEFAULT_GUI_FONT);
    buffer.DrawText(strText, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | RtlReading(buffer.GetSafeHdc()));

    if (m_bChecked)
        CUtilityVisual::DrawCheck(&buffer, rect, 12, TRUE, kFrame, RGB(0, 0, 0));
}
