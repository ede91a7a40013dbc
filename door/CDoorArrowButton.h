// The door's toggle button: a small arrow over the bitmap points left while the door is open
// and right while it is closed. It is a tab stop; screen readers read it as "Close panel" while
// the door is open and "Open panel" while it is closed, unless the host gave it a text.
#pragma once

#include "CButtonBMP.h"

class CDoorArrowButton : public CButtonBMP
{
public:
    virtual void DrawFace(HDC hDC, const RECT& rc);
    virtual CString GetAccessibleName();
};
