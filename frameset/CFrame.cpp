#include "frameset/CFrame.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

CFrame::CFrame(LPCSTR lpszName, LPCSTR lpszParent, int nDirection, HWND hWnd, int nShare,
               int nFixed)
    : m_nDirection(nDirection), m_strName(lpszName), m_strParent(lpszParent ? lpszParent : ""),
      m_hWnd(hWnd), m_nShare(nShare), m_nFixed(nFixed), m_rect(0, 0, 0, 0),
      m_nIconMsg(FRAME_NOICON), m_crTitle(0xCCB383)
{
}

CFrame::~CFrame()
{
}

namespace {

// The number at the front of the text as atoi reads it, held within the int range so that a
// long run of digits cannot overflow.
int LeadingNumber(const char* psz)
{
    long n = strtol(psz, NULL, 10);
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return (int)n;
}

}  // namespace

BOOL CFrame::ParseSize(LPCSTR lpszSize, int* pnShare, int* pnFixed)
{
    if (!lpszSize || !*lpszSize)
        return FALSE;
    const size_t nLen = strlen(lpszSize);
    int nShare = 0, nFixed = 0;
    if (lpszSize[nLen - 1] == '%')
    {
        CString strNumber(lpszSize, (int)nLen - 1);
        const int nPercent = LeadingNumber(strNumber);
        // A share above the int range is as good as all of the free space many times over.
        nShare = nPercent <= 0 ? 0 : (nPercent > INT_MAX / 100 ? INT_MAX : nPercent * 100);
    }
    else
    {
        const int nPixels = LeadingNumber(lpszSize);
        nFixed = nPixels < 0 ? 0 : nPixels;
    }
    if (nShare <= 0 && nFixed <= 0)
        return FALSE;
    *pnShare = nShare;
    *pnFixed = nFixed;
    return TRUE;
}
