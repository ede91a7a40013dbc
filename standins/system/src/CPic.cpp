// Picture files held as bitmaps.
#include "CPic.h"

CPic::CPic() : m_hBitmap(NULL)
{
}

CPic::~CPic()
{
    Empty();
}

void CPic::Empty()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
}

BOOL CPic::LoadPicture(LPCTSTR lpszPath)
{
    Empty();
    if (lpszPath == NULL || *lpszPath == '\0')
        return FALSE;
    m_hBitmap = (HBITMAP)::LoadImageA(NULL, lpszPath, IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return m_hBitmap != NULL;
}
