// The look of the library's drop shadows: a band along the right and bottom edges, darkest
// next to what casts it and fading outwards, with corners that fade both ways. At 96 DPI the
// band is 4 pixels wide; at other DPIs it widens and each pixel takes the step of the 96-DPI
// ramp it falls in, so the shadow keeps its look.
#pragma once

#include <windows.h>

namespace ShadowRamp
{
// The band's width for a DPI.
int Width(int nDpi);
// The darkening factor (255: none) of the band's pixel k (0 next to the body) of nWidth.
int Band(int k, int nWidth);
// The factor of a corner pixel i across and j down from the corner's inner edge.
int Corner(int i, int j, int nWidth);
// A pixel darkened by a factor.
COLORREF Darken(COLORREF cr, int nFactor);
// Darkens the strips nWidth wide inside the right and bottom edges of rc in hDC, from the
// pixels already there; the body of rc is left alone.
void DarkenStrips(HDC hDC, const RECT& rc, int nWidth);
}  // namespace ShadowRamp
