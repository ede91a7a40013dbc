// The XP buttons' pens and face colour tables, made once when the module loads.
#pragma once

#include <windows.h>

class CButtonXPPalette
{
public:
    // Pens, in the order left, top, right, bottom within each frame.
    enum Pen
    {
        PEN_OUTLINE,           // push-button outline
        PEN_OUTLINE_DISABLED,  // outline, and check and radio boxes, when disabled
        PEN_HOT_LEFT,
        PEN_HOT_TOP,
        PEN_HOT_RIGHT,
        PEN_HOT_BOTTOM,
        PEN_FOCUS_LEFT,
        PEN_FOCUS_TOP,
        PEN_FOCUS_RIGHT,
        PEN_FOCUS_BOTTOM,
        PEN_PRESSED_LEFT,
        PEN_PRESSED_TOP,
        PEN_PRESSED_RIGHT,
        PEN_PRESSED_BOTTOM,
        PEN_COUNT
    };
    // Face gradients of 64 steps, top to bottom.
    enum Table
    {
        TABLE_HOT_FOCUSED,
        TABLE_HOT,
        TABLE_FOCUSED,
        TABLE_NORMAL,
        TABLE_PRESSED,
        TABLE_COUNT
    };
    static const int kSteps = 64;

    CButtonXPPalette();
    ~CButtonXPPalette();

    HPEN GetPen(Pen nPen) const { return m_pens[nPen]; }
    const COLORREF* GetTable(Table nTable) const { return m_tables[nTable]; }

    // The module's palette.
    static const CButtonXPPalette& Get();

private:
    HPEN m_pens[PEN_COUNT];
    COLORREF m_tables[TABLE_COUNT][kSteps];

    CButtonXPPalette(const CButtonXPPalette&);
    CButtonXPPalette& operator=(const CButtonXPPalette&);
};
