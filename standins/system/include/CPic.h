// A picture file held as a bitmap, for backgrounds.
#pragma once

#include "SysDefs.h"

class LUMOSYS_API CPic
{
public:
    CPic();
    virtual ~CPic();

    // Loads a bitmap file, replacing what was held. FALSE (and nothing held) when the file
    // cannot be read as a picture.
    BOOL LoadPicture(LPCTSTR lpszPath);
    BOOL IsEmpty() const { return m_hBitmap == NULL; }
    void Empty();
    // The held bitmap, owned by the picture; null when empty.
    HBITMAP GetBitmap() const { return m_hBitmap; }

private:
    HBITMAP m_hBitmap;

    CPic(const CPic&);
    CPic& operator=(const CPic&);
};
