#include "frame/CAccessible.h"

#include <vector>

namespace {

// The accessibility library is loaded the first time a program asks a control for its object,
// from the system folder only: a host that never meets a screen reader does not load it (nor
// what it needs) at start-up, and Lumo.dll still loads where it is missing.
struct OleaccEntries
{
    LRESULT(WINAPI* pfnLresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    HRESULT(WINAPI* pfnAccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**);
};

const OleaccEntries* Oleacc()
{
    static OleaccEntries s_entries;
    static LONG s_nState = 0;  // 0 not tried, 1 loaded, -1 missing
    if (s_nState == 0)
    {
        WCHAR szPath[MAX_PATH + 16];
        const UINT n = ::GetSystemDirectoryW(szPath, MAX_PATH);
        HMODULE hModule = NULL;
        if (n > 0 && n < MAX_PATH)
        {
            lstrcatW(szPath, L"\\oleacc.dll");
            hModule = ::LoadLibraryExW(szPath, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
        }
        if (hModule)
        {
            s_entries.pfnLresultFromObject = (LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN))(
                void*)::GetProcAddress(hModule, "LresultFromObject");
            s_entries.pfnAccessibleObjectFromWindow =
                (HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**))(void*)::GetProcAddress(
                    hModule, "AccessibleObjectFromWindow");
        }
        s_nState = s_entries.pfnLresultFromObject && s_entries.pfnAccessibleObjectFromWindow ? 1 : -1;
    }
    return s_nState == 1 ? &s_entries : NULL;
}


BSTR MakeBstr(const std::wstring& s)
{
    return ::SysAllocStringLen(s.c_str(), (UINT)s.size());
}

// A string result: S_FALSE (and a null string) when there is nothing to say.
HRESULT StringResult(const std::wstring& s, BSTR* pbstr)
{
    if (s.empty())
        return S_FALSE;
    *pbstr = MakeBstr(s);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

UINT g_msgAccDefaultAction = ::RegisterWindowMessageA("Lumo_AccessibleDefaultAction");
const UINT& CAccessible::m_msgDefaultAction = g_msgAccDefaultAction;

/////////////////////////////////////////////////////////////////////////////
// The objects made for windows, each with the one reference the registry holds. Objects are
// made and cut off on the windows' threads; the lock keeps two user-interface threads apart.

class CAccessibleRegistry
{
public:
    static CAccessible* Find(HWND hWnd, LONG idObject)
    {
        ::AcquireSRWLockShared(&s_lock);
        CAccessible* pFound = NULL;
        for (CAccessible* p : Objects())
            if (p->m_hWnd == hWnd && p->m_idObject == idObject)
                pFound = p;
        ::ReleaseSRWLockShared(&s_lock);
        return pFound;
    }

    static void Add(CAccessible* p)
    {
        ::AcquireSRWLockExclusive(&s_lock);
        Objects().push_back(p);
        ::ReleaseSRWLockExclusive(&s_lock);
    }

    // Takes the window's objects out, cut off; the caller releases them.
    static std::vector<CAccessible*> TakeAll(HWND hWnd)
    {
        std::vector<CAccessible*> taken;
        ::AcquireSRWLockExclusive(&s_lock);
        std::vector<CAccessible*>& all = Objects();
        for (size_t i = 0; i < all.size();)
        {
            if (all[i]->m_hWnd == hWnd)
            {
                all[i]->m_bConnected = FALSE;
                taken.push_back(all[i]);
                all.erase(all.begin() + i);
            }
            else
                ++i;
        }
        ::ReleaseSRWLockExclusive(&s_lock);
        return taken;
    }

private:
    static std::vector<CAccessible*>& Objects()
    {
        // Never destroyed: a program may still hold objects while the runtime tears down statics.
        static std::vector<CAccessible*>* s_pObjects = new std::vector<CAccessible*>;
        return *s_pObjects;
    }

    static SRWLOCK s_lock;
};

SRWLOCK CAccessibleRegistry::s_lock = SRWLOCK_INIT;

/////////////////////////////////////////////////////////////////////////////
// construction

CAccessible::CAccessible(HWND hWnd, LONG idObject, CAccessible* pParent)
    : m_nRef(1), m_hWnd(pParent ? pParent->m_hWnd : hWnd), m_idObject(idObject), m_dwThread(::GetCurrentThreadId()),
      m_pParent(pParent), m_bConnected(TRUE)
{
    if (m_pParent)
        m_pParent->AddRef();
}

CAccessible::~CAccessible()
{
    if (m_pParent)
        m_pParent->Release();
}

LRESULT CAccessible::Answer(HWND hWnd, WPARAM wParam, LPARAM lParam, LONG idObject,
                            PFN_MAKE pfnMake)
{
    // The object id comes as a 32-bit value, sign-extended or not.
    if ((LONG)(DWORD)lParam != idObject || !::IsWindow(hWnd))
        return 0;
    const OleaccEntries* pApi = Oleacc();
    if (!pApi)
        return 0;
    CAccessible* p = CAccessibleRegistry::Find(hWnd, idObject);
    if (!p)
    {
        p = pfnMake(hWnd);
        if (!p)
            return 0;
        CAccessibleRegistry::Add(p);
    }
    LRESULT lr = pApi->pfnLresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(p));
    if (lr == (LRESULT)CO_E_NOTINITIALIZED)
    {
        // Handing the object to another thread or program takes COM on this thread. A host
        // that never started it gets it here, in the single-threaded form a thread with windows
        // has; it stays for the thread's life.
        if (SUCCEEDED(::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
            lr = pApi->pfnLresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(p));
    }
    return lr;
}

void CAccessible::Disconnect(HWND hWnd)
{
    if (!hWnd)
        return;
    for (CAccessible* p : CAccessibleRegistry::TakeAll(hWnd))
        p->Release();
}

void CAccessible::Notify(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (hWnd)
        ::NotifyWinEvent(dwEvent, hWnd, idObject, idChild);
}

std::wstring CAccessible::Widen(LPCSTR lpsz)
{
    if (!lpsz || !*lpsz)
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring s(n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, &s[0], n);
    s.resize(n - 1);
    return s;
}

std::wstring CAccessible::TextWithoutMnemonic(HWND hWnd)
{
    const int n = ::GetWindowTextLengthW(hWnd);
    if (n <= 0)
        return std::wstring();
    std::wstring text(n + 1, L'\0');
    text.resize(::GetWindowTextW(hWnd, &text[0], n + 1));
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;  // the marked letter, or the second '&' of "&&"
        out += text[i];
    }
    return out;
}

/////////////////////////////////////////////////////////////////////////////
// implementation

BOOL CAccessible::IsConnected() const
{
    return m_bConnected && ::IsWindow(m_hWnd) && (!m_pParent || m_pParent->IsConnected());
}

HRESULT CAccessible::Usable() const
{
    // Calls come through the window's thread (the apartment of the window's COM); anything
    // else must not read the control.
    if (::GetCurrentThreadId() != m_dwThread)
        return RPC_E_WRONG_THREAD;
    return IsConnected() ? S_OK : CO_E_OBJNOTCONNECTED;
}

HRESULT CAccessible::ElementOf(const VARIANT& varChild, long* pnChild)
{
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    if (varChild.vt != VT_I4)
        return E_INVALIDARG;
    const long n = varChild.lVal;
    if (n == CHILDID_SELF || (n > 0 && n <= ChildCount() && IsElement(n)))
    {
        *pnChild = n;
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CAccessible::TextOf(const VARIANT& varChild, BSTR* pbstr, PFN_TEXT pfnText)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = NULL;
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    if (FAILED(hr))
        return hr;
    return pfnText ? StringResult((this->*pfnText)(n), pbstr) : S_FALSE;
}

HRESULT CAccessible::NumberOf(const VARIANT& varChild, VARIANT* pvar, PFN_NUMBER pfnNumber)
{
    if (!pvar)
        return E_POINTER;
    ::VariantInit(pvar);
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    if (FAILED(hr))
        return hr;
    pvar->vt = VT_I4;
    pvar->lVal = (this->*pfnNumber)(n);
    return S_OK;
}

HRESULT CAccessible::ChildVariant(long nChild, VARIANT* pvar)
{
    ::VariantInit(pvar);
    if (nChild == CHILDID_SELF || IsElement(nChild))
    {
        pvar->vt = VT_I4;
        pvar->lVal = nChild;
        return S_OK;
    }
    IDispatch* pDisp = ChildObject(nChild);
    if (!pDisp)
        return S_FALSE;
    pvar->vt = VT_DISPATCH;
    pvar->pdispVal = pDisp;
    return S_OK;
}

HRESULT CAccessible::PostDefaultAction(long nChild)
{
    return ::PostMessageA(m_hWnd, g_msgAccDefaultAction, 0, nChild) ? S_OK : E_FAIL;
}

long CAccessible::WindowState(BOOL bFocusable) const
{
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    long state = 0;
    if (style & WS_DISABLED)
        state |= STATE_SYSTEM_UNAVAILABLE;
    else if (bFocusable)
        state |= STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == m_hWnd)
        state |= STATE_SYSTEM_FOCUSED;
    if (!::IsWindowVisible(m_hWnd))
        state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

/////////////////////////////////////////////////////////////////////////////
// what derived objects answer unless they say otherwise

long CAccessible::ChildCount()
{
    long n = 0;
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        ++n;
    return n;
}

BOOL CAccessible::IsElement(long)
{
    return FALSE;
}

IDispatch* CAccessible::ChildObject(long nChild)
{
    HWND h = ::GetWindow(m_hWnd, GW_CHILD);
    for (long i = 1; h && i < nChild; ++i)
        h = ::GetWindow(h, GW_HWNDNEXT);
    const OleaccEntries* pApi = Oleacc();
    IDispatch* pDisp = NULL;
    if (h && pApi && FAILED(pApi->pfnAccessibleObjectFromWindow(h, (DWORD)OBJID_WINDOW, IID_IDispatch,
                                                                (void**)&pDisp)))
        pDisp = NULL;
    return pDisp;
}

std::wstring CAccessible::Name(long nChild)
{
    return nChild == CHILDID_SELF ? TextWithoutMnemonic(m_hWnd) : std::wstring();
}

std::wstring CAccessible::Value(long)
{
    return std::wstring();
}

long CAccessible::State(long nChild)
{
    return nChild == CHILDID_SELF ? WindowState() : 0;
}

std::wstring CAccessible::DefaultAction(long)
{
    return std::wstring();
}

HRESULT CAccessible::DoDefaultAction(long)
{
    return DISP_E_MEMBERNOTFOUND;
}

BOOL CAccessible::Location(long nChild, RECT* pRect)
{
    if (nChild != CHILDID_SELF || !::GetClientRect(m_hWnd, pRect))
        return FALSE;
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)pRect, 2);
    return TRUE;
}

long CAccessible::FocusedChild()
{
    return ::GetFocus() == m_hWnd ? CHILDID_SELF : -1;
}

IDispatch* CAccessible::Parent()
{
    if (m_pParent)
    {
        m_pParent->AddRef();
        return m_pParent;
    }
    const OleaccEntries* pApi = Oleacc();
    IDispatch* pDisp = NULL;
    if (!pApi || FAILED(pApi->pfnAccessibleObjectFromWindow(m_hWnd, (DWORD)OBJID_WINDOW, IID_IDispatch,
                                                            (void**)&pDisp)))
        pDisp = NULL;
    return pDisp;
}

/////////////////////////////////////////////////////////////////////////////
// IUnknown and IDispatch

STDMETHODIMP CAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible))
    {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CAccessible::AddRef()
{
    return (ULONG)::InterlockedIncrement(&m_nRef);
}

STDMETHODIMP_(ULONG) CAccessible::Release()
{
    const LONG n = ::InterlockedDecrement(&m_nRef);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

STDMETHODIMP CAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP CAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*)
{
    return E_NOTIMPL;
}

/////////////////////////////////////////////////////////////////////////////
// IAccessible

STDMETHODIMP CAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = NULL;
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    *ppdispParent = Parent();
    return *ppdispParent ? S_OK : S_FALSE;
}

STDMETHODIMP CAccessible::get_accChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = 0;
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    *pcountChildren = ChildCount();
    return S_OK;
}

STDMETHODIMP CAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = NULL;
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    if (varChild.vt != VT_I4 || varChild.lVal < 1 || varChild.lVal > ChildCount())
        return E_INVALIDARG;
    if (IsElement(varChild.lVal))
        return S_FALSE;  // an element is reached through this object
    *ppdispChild = ChildObject(varChild.lVal);
    return *ppdispChild ? S_OK : S_FALSE;
}

STDMETHODIMP CAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return TextOf(varChild, pszName, &CAccessible::Name);
}

STDMETHODIMP CAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return TextOf(varChild, pszValue, &CAccessible::Value);
}

STDMETHODIMP CAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return TextOf(varChild, pszDescription, NULL);
}

STDMETHODIMP CAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return NumberOf(varChild, pvarRole, &CAccessible::Role);
}

STDMETHODIMP CAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return NumberOf(varChild, pvarState, &CAccessible::State);
}

STDMETHODIMP CAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return TextOf(varChild, pszHelp, NULL);
}

STDMETHODIMP CAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    if (pszHelpFile)
        *pszHelpFile = NULL;
    if (pidTopic)
        *pidTopic = 0;
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return TextOf(varChild, pszKeyboardShortcut, NULL);
}

STDMETHODIMP CAccessible::get_accFocus(VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    ::VariantInit(pvarChild);
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    const long nFocused = FocusedChild();
    if (nFocused < 0)
        return S_FALSE;
    return ChildVariant(nFocused, pvarChild);
}

STDMETHODIMP CAccessible::get_accSelection(VARIANT* pvarChildren)
{
    if (!pvarChildren)
        return E_POINTER;
    ::VariantInit(pvarChildren);
    const HRESULT hr = Usable();
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return TextOf(varChild, pszDefaultAction, &CAccessible::DefaultAction);
}

STDMETHODIMP CAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    if (FAILED(hr))
        return hr;
    // Only the focus can be given, and only to the window itself.
    if (flagsSelect != SELFLAG_TAKEFOCUS || n != CHILDID_SELF)
        return DISP_E_MEMBERNOTFOUND;
    ::SetFocus(m_hWnd);
    return ::GetFocus() == m_hWnd ? S_OK : S_FALSE;
}

STDMETHODIMP CAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                      VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    if (FAILED(hr))
        return hr;
    RECT rc;
    if (!Location(n, &rc))
        return S_FALSE;
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.right - rc.left;
    *pcyHeight = rc.bottom - rc.top;
    return S_OK;
}

STDMETHODIMP CAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    if (!pvarEndUpAt)
        return E_POINTER;
    ::VariantInit(pvarEndUpAt);
    long n;
    const HRESULT hr = ElementOf(varStart, &n);
    if (FAILED(hr))
        return hr;
    const long nCount = ChildCount();
    long nTo = 0;
    switch (navDir)
    {
    case NAVDIR_FIRSTCHILD:
        nTo = n == CHILDID_SELF && nCount > 0 ? 1 : 0;
        break;
    case NAVDIR_LASTCHILD:
        nTo = n == CHILDID_SELF ? nCount : 0;
        break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
    case NAVDIR_RIGHT:
        nTo = n != CHILDID_SELF && n < nCount ? n + 1 : 0;
        break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
    case NAVDIR_LEFT:
        nTo = n > 1 ? n - 1 : 0;
        break;
    default:
        return E_INVALIDARG;
    }
    if (nTo == 0)
        return S_FALSE;  // no such neighbour among this object's children
    return ChildVariant(nTo, pvarEndUpAt);
}

STDMETHODIMP CAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    ::VariantInit(pvarChild);
    const HRESULT hr = Usable();
    if (FAILED(hr))
        return hr;
    const POINT pt = { xLeft, yTop };
    const long nCount = ChildCount();
    for (long i = 1; i <= nCount; ++i)
    {
        RECT rc;
        if (Location(i, &rc) && ::PtInRect(&rc, pt))
            return ChildVariant(i, pvarChild);
    }
    RECT rcSelf;
    if (!Location(CHILDID_SELF, &rcSelf) || !::PtInRect(&rcSelf, pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

STDMETHODIMP CAccessible::accDoDefaultAction(VARIANT varChild)
{
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    return FAILED(hr) ? hr : DoDefaultAction(n);
}

STDMETHODIMP CAccessible::put_accName(VARIANT varChild, BSTR)
{
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CAccessible::put_accValue(VARIANT varChild, BSTR)
{
    long n;
    const HRESULT hr = ElementOf(varChild, &n);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}
