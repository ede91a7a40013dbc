#include "door/CDoorArrowButton.h"
#include "frame/DpiScale.h"

namespace
{
// One column of the arrow: 96-DPI offsets from the button's middle, scaled as a block.
void ArrowColumn(HDC hDC, const CDpiScale& dpi, int mx, int my, int dx, int dy0, int dy1, HBRUSH hBrush)
{
    RECT rc = { mx + dpi.Scale(dx), my + dpi.Scale(dy0), mx + dpi.Scale(dx) + dpi.Pen(1), my + dpi.Scale(dy1) };
    ::FillRect(hDC, &rc, hBrush);
}
}  // namespace

void CDoorArrowButton::DrawFace(HDC hDC, const RECT& rc)
{
    CButtonBMP::DrawFace(hDC, rc);

    const int mx = (rc.left + rc.right) / 2;
    const int my = (rc.top + rc.bottom) / 2;
    const CDpiScale& dpi = GetDpiScale();
    HBRUSH hDark = ::CreateSolidBrush(RGB(0x48, 0x64, 0xA5));
    HBRUSH hWhite = ::CreateSolidBrush(RGB(255, 255, 255));
    // Three columns, each two pixels shorter: a white arrow with a dark edge on its back.
    for (int k = 0; k < 3; ++k)
    {
        const int len = 6 - 2 * k;
        const int y = -2 + k;
        if (m_bOpened)
        {
            const int x = -1 - k;
            ArrowColumn(hDC, dpi, mx, my, x, y - 1, y, hDark);
            ArrowColumn(hDC, dpi, mx, my, x, y, y + len, hWhite);
        }
        else
        {
            const int x = -3 + k;
            ArrowColumn(hDC, dpi, mx, my, x, y, y + len, hWhite);
            ArrowColumn(hDC, dpi, mx, my, x, y + len, y + len + 1, hDark);
        }
    }
    ::DeleteObject(hDark);
    ::DeleteObject(hWhite);
}

CString CDoorArrowButton::GetAccessibleName()
{
    const CString strHost = CButtonBMP::GetAccessibleName();
    if (!strHost.IsEmpty())
        return strHost;
    return m_bOpened ? CString("Close panel") : CString("Open panel");
}
