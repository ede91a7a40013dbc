// Text in a mirrored device context (a right-to-left window's): it stands at the right of the
// room it is given, as the mirroring puts it, and reads right to left.
#pragma once

#include <windows.h>

// DT_RTLREADING for a mirrored device context, else 0: added to a DrawText format.
inline UINT RtlReading(HDC hDC)
{
    return (::GetLayout(hDC) & LAYOUT_RTL) ? DT_RTLREADING : 0;
}
