// The window procedure chain: a registry from window handle to the clients that subclassed it.
#include <afxwin.h>
#include <afxtempl.h>
#include "frame/WndProcChain.h"

namespace
{

// The clients of one window, in order of installation. Entry 0 is the window's own procedure
// as it was when the first client came; the last entry is the procedure set on the window.
class ProcChain
{
public:
    ProcChain() {}
    virtual ~ProcChain() {}

    int Find(UINT nClientId) const
    {
        for (INT_PTR i = 0; i < m_clientIds.GetSize(); i++)
            if (m_clientIds[i] == nClientId)
                return (int)i;
        return -1;
    }
    // Replaces the procedure of a client already present, or appends the pair.
    void Set(UINT nClientId, WNDPROC pfnProc)
    {
        if (pfnProc == NULL)
            return;
        int i = Find(nClientId);
        if (i >= 0)
        {
            m_procs[i] = pfnProc;
            return;
        }
        m_clientIds.Add(nClientId);
        m_procs.Add(pfnProc);
    }
    void Remove(UINT nClientId)
    {
        int i = Find(nClientId);
        if (i < 0)
            return;
        m_clientIds.RemoveAt(i);
        m_procs.RemoveAt(i);
    }
    int GetCount() const { return (int)m_procs.GetSize(); }
    WNDPROC GetProc(int i) const { return (i >= 0 && i < GetCount()) ? m_procs[i] : NULL; }
    UINT GetClient(int i) const { return (i >= 0 && i < GetCount()) ? m_clientIds[i] : (UINT)-1; }

private:
    CUIntArray m_clientIds;
    CArray<WNDPROC, WNDPROC> m_procs;
};

// Keyed by window handle: 17 buckets chosen by the handle shifted right by 4, nodes in blocks
// of 10; the map frees its table and blocks whenever its last entry goes.
class ChainMap : public CMap<HWND, HWND, ProcChain*, ProcChain*>
{
public:
    ChainMap() : CMap<HWND, HWND, ProcChain*, ProcChain*>(10) {}
    // Module exit: a window whose clients never left still owns its ProcChain.
    virtual ~ChainMap()
    {
        POSITION pos = GetStartPosition();
        while (pos != NULL)
        {
            HWND hWnd;
            ProcChain* pChain;
            GetNextAssoc(pos, hWnd, pChain);
            delete pChain;
        }
        RemoveAll();
    }
    BOOL HasTable() const { return m_pHashTable != NULL; }
};

// Constructed when the module is initialised, destroyed at module exit.
ChainMap g_registry;

ChainMap& Registry()
{
    return g_registry;
}

ProcChain* Lookup(HWND hWnd)
{
    ProcChain* pChain = NULL;
    if (!Registry().Lookup(hWnd, pChain))
        return NULL;
    return pChain;
}

} // namespace

BOOL InstallWndProc(HWND hWnd, UINT nClientId, WNDPROC pfnProc)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    WNDPROC pfnCurrent = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (pfnCurrent == NULL)
        return FALSE;

    ProcChain* pChain = Lookup(hWnd);
    if (pChain != NULL && pChain->Find(nClientId) >= 0)
        return TRUE;
    if (pfnProc == NULL)
        return FALSE;

    if (::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc) == 0)
        return FALSE;

    // A procedure set by outside code between two installs is not recorded: the chain only
    // ever remembers what stood on the window when its first client came.
    if (pChain == NULL)
    {
        pChain = new ProcChain;
        pChain->Set(WNDPROC_CLIENT_OWN, pfnCurrent);
        Registry().SetAt(hWnd, pChain);
    }
    pChain->Set(nClientId, pfnProc);
    return TRUE;
}

BOOL RemoveWndProc(HWND hWnd, UINT nClientId)
{
    ProcChain* pChain = Lookup(hWnd);
    if (pChain == NULL || nClientId == WNDPROC_CLIENT_OWN || pChain->Find(nClientId) < 0)
        return FALSE;

    pChain->Remove(nClientId);
    int n = pChain->GetCount();
    // Re-set the top even when the leaving client was not on top, so clients leave in any order.
    if (n > 0 && ::IsWindow(hWnd))
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pChain->GetProc(n - 1));
    if (n != 1)
        return TRUE;

    delete pChain;
    Registry().RemoveKey(hWnd);
    return TRUE;
}

BOOL IsWndProcInstalled(HWND hWnd, UINT nClientId)
{
    ProcChain* pChain = Lookup(hWnd);
    return (pChain != NULL && pChain->Find(nClientId) >= 0) ? TRUE : FALSE;
}

LRESULT CallPrevWndProc(UINT nClientId, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProcChain* pChain = Lookup(hWnd);
    if (pChain == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    int i = pChain->Find(nClientId) - 1;
    if (i >= 0)
        return ::CallWindowProcA(pChain->GetProc(i), hWnd, message, wParam, lParam);

    // The client is gone (or is the window itself): hand the message to the top of the chain.
    int n = pChain->GetCount();
    if (n > 1)
        return ::CallWindowProcA(pChain->GetProc(n - 1), hWnd, message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CallOwnWndProc(UINT nClientId, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProcChain* pChain = Lookup(hWnd);
    if (pChain == NULL)
        return 0;
    int i = pChain->Find(nClientId);
    if (i < 0)
        return 0;
    return ::CallWindowProcA(pChain->GetProc(i), hWnd, message, wParam, lParam);
}

int WndProcChainWindowCount()
{
    return Registry().GetCount();
}

UINT WndProcChainTableSize()
{
    return Registry().HasTable() ? Registry().GetHashTableSize() : 0;
}

int WndProcChainLength(HWND hWnd)
{
    ProcChain* pChain = Lookup(hWnd);
    return pChain ? pChain->GetCount() : 0;
}

WNDPROC WndProcChainProcAt(HWND hWnd, int nIndex)
{
    ProcChain* pChain = Lookup(hWnd);
    return pChain ? pChain->GetProc(nIndex) : NULL;
}

UINT WndProcChainClientAt(HWND hWnd, int nIndex)
{
    ProcChain* pChain = Lookup(hWnd);
    return pChain ? pChain->GetClient(nIndex) : (UINT)-1;
}
