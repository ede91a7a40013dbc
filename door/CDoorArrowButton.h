// The door's toggle button: a small arrow over the bitmap points left while the door is open
// and right while it is closed.
#pragma once

#include "CButtonBMP.h"

class CDoorArrowButton : public CButtonBMP
{
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};
