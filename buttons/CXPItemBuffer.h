// The off-screen buffer of one XP button paint: it starts with the item context's font and text
// colour (so a host colouring its buttons through WM_CTLCOLORBTN, or the font the platform
// selected, still applies) and undoes every selection and setting before it is copied back.
#pragma once

#include "CMemDC.h"

class CXPItemBuffer : public CMemDC
{
public:
    explicit CXPItemBuffer(HDC hItem) : CMemDC(hItem, NULL, FALSE), m_nSaved(SaveDC())
    {
        if (GetSafeHdc() == hItem)
            return;
        HGDIOBJ hFont = ::GetCurrentObject(hItem, OBJ_FONT);
        if (hFont)
            ::SelectObject(GetSafeHdc(), hFont);
        ::SetTextColor(GetSafeHdc(), ::GetTextColor(hItem));
    }
    ~CXPItemBuffer() { RestoreDC(m_nSaved); }

private:
    int m_nSaved;
};
