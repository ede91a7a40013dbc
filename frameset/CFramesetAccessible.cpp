#include "frameset/CFramesetAccessible.h"
#include "frameset/CFrameset.h"

namespace {

BOOL ToScreen(HWND hWnd, CRect rc, RECT* pRect)
{
    if (rc.IsRectEmpty())
        return FALSE;
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&rc, 2);
    *pRect = rc;
    return TRUE;
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// the frame set

CAccessible* CFramesetAccessible::Make(HWND hFrameset)
{
    return new CFramesetAccessible(hFrameset);
}

CFrameset* CFramesetAccessible::Frameset() const
{
    return dynamic_cast<CFrameset*>(CWnd::FromHandlePermanent(Wnd()));
}

int CFramesetAccessible::ChildIdOf(const CFrameset* pSet, const CFrame* pFrame)
{
    int nId = 0;
    for (int i = 0; pSet && i < pSet->GetFrameCount(); ++i)
    {
        const CFrame* p = pSet->GetFrame(i);
        if (p->m_hWnd)
            ++nId;
        if (p == pFrame)
            return p->m_hWnd ? nId : 0;
    }
    return 0;
}

int CFramesetAccessible::FrameIndexOf(const CFrameset* pSet, long nChild)
{
    long nId = 0;
    for (int i = 0; pSet && i < pSet->GetFrameCount(); ++i)
        if (pSet->GetFrame(i)->m_hWnd && ++nId == nChild)
            return i;
    return -1;
}

long CFramesetAccessible::ChildCount()
{
    CFrameset* pSet = Frameset();
    long n = 0;
    for (int i = 0; pSet && i < pSet->GetFrameCount(); ++i)
        n += pSet->GetFrame(i)->m_hWnd != NULL;
    return n;
}

IDispatch* CFramesetAccessible::ChildObject(long nChild)
{
    const int nIndex = FrameIndexOf(Frameset(), nChild);
    return nIndex < 0 ? NULL : new CFramePaneAccessible(this, nIndex);
}

std::wstring CFramesetAccessible::Name(long)
{
    // The window's text is the frame set's inner name, nothing to read to a user.
    return std::wstring();
}

long CFramesetAccessible::Role(long)
{
    return ROLE_SYSTEM_CLIENT;
}

BOOL CFramesetAccessible::Location(long nChild, RECT* pRect)
{
    if (nChild == CHILDID_SELF)
        return CAccessible::Location(nChild, pRect);
    const int nIndex = FrameIndexOf(Frameset(), nChild);
    return nIndex >= 0 && ToScreen(Wnd(), Frameset()->GetFrame(nIndex)->m_rect, pRect);
}

/////////////////////////////////////////////////////////////////////////////
// a frame's pane

CFramePaneAccessible::CFramePaneAccessible(CFramesetAccessible* pParent, int nFrameIndex)
    : CAccessible(NULL, OBJID_CLIENT, pParent), m_pSet(pParent), m_nFrameIndex(nFrameIndex)
{
}

const CFrame* CFramePaneAccessible::Frame() const
{
    CFrameset* pSet = m_pSet->Frameset();
    return pSet ? pSet->GetFrame(m_nFrameIndex) : NULL;
}

long CFramePaneAccessible::ChildCount()
{
    const CFrame* pFrame = Frame();
    CFrameset* pSet = m_pSet->Frameset();
    return pFrame && !pSet->GetIconRect(pFrame).IsRectEmpty() ? 1 : 0;
}

std::wstring CFramePaneAccessible::Name(long)
{
    // The icon is read with its frame's title too: it stands for the frame.
    const CFrame* pFrame = Frame();
    return pFrame ? Widen(pFrame->m_strTitle) : std::wstring();
}

long CFramePaneAccessible::Role(long nChild)
{
    return nChild == CHILDID_SELF ? ROLE_SYSTEM_PANE : ROLE_SYSTEM_PUSHBUTTON;
}

long CFramePaneAccessible::State(long)
{
    return ::IsWindowVisible(Wnd()) ? 0 : STATE_SYSTEM_INVISIBLE;
}

std::wstring CFramePaneAccessible::DefaultAction(long nChild)
{
    return nChild == 1 ? L"Press" : std::wstring();
}

HRESULT CFramePaneAccessible::DoDefaultAction(long nChild)
{
    if (nChild != 1)
        return DISP_E_MEMBERNOTFOUND;
    return ::PostMessageA(Wnd(), m_msgDefaultAction, 0, m_nFrameIndex + 1) ? S_OK : E_FAIL;
}

BOOL CFramePaneAccessible::Location(long nChild, RECT* pRect)
{
    const CFrame* pFrame = Frame();
    if (!pFrame)
        return FALSE;
    const CRect rc = nChild == CHILDID_SELF ? pFrame->m_rect : m_pSet->Frameset()->GetIconRect(pFrame);
    return ToScreen(Wnd(), rc, pRect);
}
