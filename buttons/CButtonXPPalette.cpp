#include "buttons/CButtonXPPalette.h"

namespace {

// Colours below are written blue first, as the tables are designed.
COLORREF Bgr(int blue, int green, int red)
{
    return (COLORREF)((blue << 16) | (green << 8) | red);
}

const COLORREF kPenColours[CButtonXPPalette::PEN_COUNT] = {
    0x000000, 0x828282,                      // outlines
    0x58C4FA, 0x79D2FC, 0x6ACAFB, 0x0097E5,  // hover frame
    0xFCC699, 0xFFC9A2, 0xFCBDA2, 0xFFC9A2,  // focus frame
    0xC6C6C6, 0xB9B9B9, 0xC6C6C6, 0xD2D2D2,  // pressed frame
};

// Built with the module, so every paint finds it ready.
const CButtonXPPalette g_palette;

}  // namespace

CButtonXPPalette::CButtonXPPalette()
{
    for (int i = 0; i < PEN_COUNT; ++i)
        m_pens[i] = ::CreatePen(PS_INSIDEFRAME, i < PEN_HOT_LEFT ? 1 : 2, kPenColours[i]);

    // Three bands: a light top, the body, and a darker foot from step 53 on.
    for (int i = 0; i < kSteps; ++i)
    {
        if (i < 8)
        {
            const int a = 255 - i / 4, b = 255 - i / 5, c = 255 - i / 6;
            m_tables[TABLE_HOT_FOCUSED][i] = Bgr(a, b, b);
            m_tables[TABLE_HOT][i] = Bgr(c, b, b);
            m_tables[TABLE_FOCUSED][i] = Bgr(b, a, a);
            m_tables[TABLE_NORMAL][i] = Bgr(c, a, a);
        }
        else if (i <= 52)
        {
            const int d = 255 - i / 3, a = 255 - i / 4, e = 255 - i / 5;
            m_tables[TABLE_HOT_FOCUSED][i] = Bgr(d, a, a);
            m_tables[TABLE_HOT][i] = Bgr(e, a, a);
            m_tables[TABLE_FOCUSED][i] = Bgr(a, d, d);
            m_tables[TABLE_NORMAL][i] = Bgr(e, d, d);
        }
        else
        {
            const int f = 257 - i / 2, g = 257 - i / 3, h = 257 - i / 4;
            m_tables[TABLE_HOT_FOCUSED][i] = Bgr(f, g, g);
            m_tables[TABLE_HOT][i] = Bgr(h, g, g);
            m_tables[TABLE_FOCUSED][i] = Bgr(g, f, f);
            m_tables[TABLE_NORMAL][i] = Bgr(h, f, f);
        }
        m_tables[TABLE_PRESSED][i] = Bgr(236 - i / 4, 236 - i / 3, 236 - i / 3);
    }
}

CButtonXPPalette::~CButtonXPPalette()
{
    for (int i = 0; i < PEN_COUNT; ++i)
        if (m_pens[i])
            ::DeleteObject(m_pens[i]);
}

const CButtonXPPalette& CButtonXPPalette::Get()
{
    return g_palette;
}
