// CCmdTarget and CWnd: handle maps, creation, subclassing, message dispatch and reflection.
#include "afximpl.h"

/////////////////////////////////////////////////////////////////////////////
// Thread state

AfxThreadState* AfxGetThreadState()
{
    static thread_local AfxThreadState* s_state = nullptr;
    if (!s_state)
        s_state = new AfxThreadState;    // lives as long as the thread; windows may outlive modules
    return s_state;
}

// Lets the application layer (message boxes) own its boxes by the main window's handle.
static HWND AFXAPI AfxSafeHwndOf(const CWnd* pWnd)
{
    return pWnd->GetSafeHwnd();
}
static const bool s_safeHwndProcSet = (AfxSetGetSafeHwndProc(AfxSafeHwndOf), true);

AFX_API int AFXAPI AfxGetPermanentWindowCount()
{
    return (int)AfxGetThreadState()->permanentWnd.size();
}

AFX_API HMENU AFXAPI AfxGetTrackingMenu()
{
    return AfxGetThreadState()->hTrackingMenu;
}

AFX_API void AFXAPI AfxSetTrackingMenu(HMENU hMenu)
{
    AfxGetThreadState()->hTrackingMenu = hMenu;
}

AFX_API void AFXAPI AfxDeleteTempMaps()
{
    AfxThreadState* pState = AfxGetThreadState();
    std::unordered_map<HWND, CWnd*> temps;
    temps.swap(pState->temporaryWnd);
    for (auto& entry : temps)
    {
        entry.second->m_hWnd = nullptr;     // a temporary never owns its window
        delete entry.second;
    }
    AfxDeleteTempGdiMaps(pState);
}

AFX_API BOOL AFXAPI AfxInitCommonControls()
{
    static BOOL s_done = FALSE;
    if (!s_done)
    {
        INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                  ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
        s_done = ::InitCommonControlsEx(&icc);
    }
    return s_done;
}

/////////////////////////////////////////////////////////////////////////////
// Window classes

AFX_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per attribute set, named after the attributes as the name is the key.
    static std::vector<CString>* s_names = new std::vector<CString>;
    char name[96];
    wsprintfA(name, "LumoAfx:%x:%p:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    for (const CString& s : *s_names)
        if (s == name)
            return s;

    WNDCLASSA wc = {};
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(hInst, name, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            return nullptr;
    }
    s_names->push_back(CString(name));
    return s_names->back();
}

LPCTSTR AfxDefaultWndClass()
{
    static LPCTSTR s_name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return s_name;
}

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
        {
            UINT entryMsg = p->nMessage;
            if (entryMsg == 0xC000)
                entryMsg = *(const UINT*)p->nSig;
            if (entryMsg == nMsg && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
                return p;
        }
    }
    return nullptr;
}

// Routes a command id (menu item, accelerator or control notification code) through the map.
BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, void*)
{
    const AFX_MSGMAP_ENTRY* p = FindMessageEntry(GetMessageMap(), WM_COMMAND, (UINT)nCode, nID);
    if (!p || p->nSig != AfxSig_cmd)
        return FALSE;
    (this->*p->pfn)();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: handle maps

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}
CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && this != &wndTop && this != &wndBottom && this != &wndTopMost && this != &wndNoTopMost)
    {
        AfxThreadState* pState = AfxGetThreadState();
        auto it = pState->permanentWnd.find(m_hWnd);
        if (it != pState->permanentWnd.end() && it->second == this)
        {
            // The object goes first: take the window down with it so no message finds a dead object.
            ::DestroyWindow(m_hWnd);
            if (m_hWnd)
                Detach();
        }
    }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    AfxThreadState* pState = AfxGetThreadState();
    auto it = pState->permanentWnd.find(hWnd);
    return it == pState->permanentWnd.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    AfxThreadState* pState = AfxGetThreadState();
    CWnd*& pTemp = pState->temporaryWnd[hWnd];
    if (!pTemp)
    {
        pTemp = new CWnd;
        pTemp->m_hWnd = hWnd;
    }
    return pTemp;
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxDeleteTempMaps();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    AfxThreadState* pState = AfxGetThreadState();
    pState->permanentWnd[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
    {
        AfxThreadState* pState = AfxGetThreadState();
        auto it = pState->permanentWnd.find(hWnd);
        if (it != pState->permanentWnd.end() && it->second == this)
            pState->permanentWnd.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (!oldProc)
    {
        Detach();
        return FALSE;
    }
    // Subclassing a window that already runs through AfxWndProc keeps the earlier default.
    if (oldProc != AfxWndProc)
        *GetSuperWndProcAddr() = oldProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
    *lplpfn = nullptr;
    return Detach();
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: creation

// While CreateEx runs, a CBT hook attaches the object to its window before the window's
// first message, so WM_NCCREATE and WM_CREATE already reach the message map.
static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->pWndInit)
    {
        HWND hWnd = (HWND)wParam;
        CWnd* pWndInit = pState->pWndInit;
        pState->pWndInit = nullptr;
        if (pWndInit->Attach(hWnd))
        {
            pWndInit->PreSubclassWindow();
            WNDPROC oldProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
            if (oldProc != AfxWndProc)
                *pWndInit->GetSuperWndProcAddr() = oldProc;
        }
    }
    return ::CallNextHookEx(pState->hHookCbt, code, wParam, lParam);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultWndClass();
    return TRUE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxThreadState* pState = AfxGetThreadState();
    CWnd* pOldInit = pState->pWndInit;
    HHOOK hOldHook = pState->hHookCbt;
    pState->pWndInit = this;
    pState->hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());

    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);

    // The hook takes the object the moment the window exists; a window that then fails its
    // WM_NCCREATE or WM_CREATE has had its WM_NCDESTROY, which already let the object go (and
    // a self-deleting object is gone, so it must not be touched again).
    const bool bHadWindow = (pState->pWndInit == nullptr);
    ::UnhookWindowsHookEx(pState->hHookCbt);
    pState->hHookCbt = hOldHook;
    pState->pWndInit = pOldInit;

    if (!hWnd)
    {
        if (!bHadWindow)
            PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: the window procedure

AFX_API LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* pState = AfxGetThreadState();
    MSG oldMsg = pState->lastSentMsg;
    pState->lastSentMsg.hwnd = hWnd;
    pState->lastSentMsg.message = nMsg;
    pState->lastSentMsg.wParam = wParam;
    pState->lastSentMsg.lParam = lParam;
    ++pState->dispatchDepth;

    LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);

    --pState->dispatchDepth;
    pState->lastSentMsg = oldMsg;
    return lResult;
}

AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    LRESULT lResult = AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->dispatchDepth == 0 && pState->pWndInit == nullptr)
        AfxDeleteTempMaps();
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper)
        return ::CallWindowProcA(pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState()->lastSentMsg;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

static CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_PMSGW pfn = (AFX_PMSGW)pEntry->pfn;
    LRESULT lResult = 0;
    UINT_PTR nSig = pEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : pEntry->nSig;
    switch (nSig)
    {
    case AfxSig_vv:
        (this->*pfn)();
        break;
    case AfxSig_bv:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_uv:
        lResult = (this->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_lwl:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_bD:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vt:
        (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vwii:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vPOS:
        (this->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vwp:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_vp:
        (this->*reinterpret_cast<void (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_bwsp:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    case AfxSig_vwww:
        if (message == WM_REFLECT_BASE + WM_HSCROLL || message == WM_REFLECT_BASE + WM_VSCROLL)
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), (short)HIWORD(wParam));
        else
            (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_vWl:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_bWww:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vbNCC:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_lp:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_bb:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_is:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_vwwS:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vOWNER:
        if (message >= WM_REFLECT_BASE)
            (this->*reinterpret_cast<void (CWnd::*)(LPARAM)>(pfn))(lParam);
        else
            (this->*reinterpret_cast<void (CWnd::*)(int, LPARAM)>(pfn))((int)wParam, lParam);
        lResult = TRUE;
        break;
    case AfxSig_hDWw:
    {
        UINT nCtlType = message == WM_CTLCOLOR ? (UINT)HIWORD(lParam) : message - WM_CTLCOLORMSGBOX;
        HWND hWndCtl = message == WM_CTLCOLOR ? (HWND)(UINT_PTR)LOWORD(lParam) : (HWND)lParam;
        lResult = (LRESULT)(this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle(hWndCtl), nCtlType);
        break;
    }
    case AfxSig_hDw:
        lResult = (LRESULT)(this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), (UINT)lParam);
        break;
    case AfxSig_vwWb:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vMMI:
        (this->*reinterpret_cast<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_vbw:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vb:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vwl:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vWp:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam), PointFromLParam(lParam));
        break;
    case AfxSig_vMwb:
        (this->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vwwh:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_vwW:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vs:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_vws:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_cmd:
        (this->*pfn)();
        break;
    case AfxSig_cmdEx:
        return (this->*reinterpret_cast<BOOL (CWnd::*)()>(pfn))();
    case AfxSig_notify:
    {
        LRESULT lNotify = 0;
        (this->*reinterpret_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(pfn))((NMHDR*)lParam, &lNotify);
        lResult = lNotify;
        break;
    }
    case AfxSig_notifyEx:
    {
        LRESULT lNotify = 0;
        BOOL bHandled = (this->*reinterpret_cast<BOOL (CWnd::*)(NMHDR*, LRESULT*)>(pfn))((NMHDR*)lParam, &lNotify);
        if (pResult)
            *pResult = lNotify;
        return bHandled;
    }
    default:
        return FALSE;
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (OnCommand(wParam, lParam))
        {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR && pNMHDR->hwndFrom && OnNotify(wParam, lParam, &lResult))
        {
            if (pResult)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }

    UINT nMsgKey = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nMsgKey = WM_CTLCOLOR;
    const AFX_MSGMAP_ENTRY* pEntry = CCmdTarget::FindMessageEntry(GetMessageMap(), nMsgKey, 0, 0);
    if (!pEntry)
        return FALSE;
    return DispatchEntry(pEntry, message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl)
    {
        // The control that sent the notification gets the first chance.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = (int)pNMHDR->code;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* p = FindMessageEntry(GetMessageMap(), WM_NOTIFY, (UINT)nCode, nID);
    if (!p)
        return FALSE;
    return DispatchEntry(p, WM_NOTIFY, 0, lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    {
        const AFX_MSGMAP_ENTRY* p = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (!p)
            return FALSE;
        LRESULT lResult = 0;
        DispatchEntry(p, WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, &lResult);
        if (!lResult)
            return FALSE;      // a null brush lets the parent decide
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        const AFX_MSGMAP_ENTRY* p = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, (UINT)nCode, 0);
        if (!p)
            return FALSE;
        if (p->nSig == AfxSig_cmdEx)
            return DispatchEntry(p, WM_REFLECT_BASE + WM_COMMAND, wParam, lParam, pResult);
        DispatchEntry(p, WM_REFLECT_BASE + WM_COMMAND, wParam, lParam, pResult);
        return TRUE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        const AFX_MSGMAP_ENTRY* p = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_NOTIFY, pNMHDR->code, 0);
        if (!p)
            return FALSE;
        LRESULT lResult = 0;
        BOOL bHandled = DispatchEntry(p, WM_REFLECT_BASE + WM_NOTIFY, wParam, lParam, &lResult);
        if (p->nSig == AfxSig_notify)
            bHandled = TRUE;
        if (bHandled && pResult)
            *pResult = lResult;
        return bHandled;
    }
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        }
        else
            ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hChild))
        {
            CWnd wnd(hChild);
            wnd.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            wnd.m_hWnd = nullptr;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: odds and ends

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, GWL_STYLE, (LONG_PTR)dwNewStyle);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, GWL_EXSTYLE, (LONG_PTR)dwNewStyle);
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    HWND hParent;
    while ((::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) && (hParent = ::GetParent(hWnd)) != nullptr)
        hWnd = hParent;
    return FromHandle(hWnd);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetParent(m_hWnd);
    RECT rcOwner, rcSelf;
    if (hOwner)
        ::GetWindowRect(hOwner, &rcOwner);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcOwner, 0);
    ::GetWindowRect(m_hWnd, &rcSelf);
    int x = (rcOwner.left + rcOwner.right - (rcSelf.right - rcSelf.left)) / 2;
    int y = (rcOwner.top + rcOwner.bottom - (rcSelf.bottom - rcSelf.top)) / 2;
    if (GetStyle() & WS_CHILD)
    {
        POINT pt = { x, y };
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: default handlers

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }

// Scroll messages from a scroll-bar control go to the control first.
void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

// Owner-drawn menus are routed to their CMenu object; controls get the message reflected.
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
        if (pMenu)
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = nullptr;
        if (HMENU hTracking = AfxGetThreadState()->hTrackingMenu)
            pMenu = AfxFindPopupMenuFromID(CMenu::FromHandle(hTracking), lpMeasureItemStruct->itemID);
        if (!pMenu && ::GetMenu(m_hWnd))
            pMenu = AfxFindPopupMenuFromID(CMenu::FromHandle(::GetMenu(m_hWnd)), lpMeasureItemStruct->itemID);
        if (pMenu)
        {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    }
    else
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, (int)lpMeasureItemStruct->CtlID);
        if (hWndChild && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

// The last message a window gets: the object lets go of the window, then may delete itself.
void CWnd::OnNcDestroy()
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    LRESULT lResult = 0;
    (void)lResult;
    const MSG& msg = AfxGetThreadState()->lastSentMsg;
    if (pfnSuper)
        ::CallWindowProcA(pfnSuper, m_hWnd, msg.message, msg.wParam, msg.lParam);
    else
        ::DefWindowProcA(m_hWnd, msg.message, msg.wParam, msg.lParam);
    HWND hWnd = m_hWnd;
    // Put the original procedure back so late messages never reach AfxWndProc for a dead object.
    if (pfnSuper && (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
    Detach();
    PostNcDestroy();
}
