// What screen readers and other assistive programs read of the library's controls: the shared
// base of the small accessible objects that stand beside each kind of control.
//
// A control answers WM_GETOBJECT through Answer, which makes its object on first demand, keeps it
// for the window's life and hands it to the asking program. The object reads the control through
// the getters a host uses, on the control's own thread. When the window goes, the control calls
// Disconnect: its objects stay alive for programs still holding them, but every call on them
// fails with CO_E_OBJNOTCONNECTED from then on, and no call reaches the control again.
//
// Derived objects answer for themselves (child 0) and for their children: either elements
// without an object of their own (numbered 1..ChildCount(), IsElement true), or objects. By
// default the children are the window's child windows, as the system's own client object has
// them.
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <string>

class CAccessible : public IAccessible
{
public:
    typedef CAccessible* (*PFN_MAKE)(HWND hWnd);

    // The answer to WM_GETOBJECT: when lParam asks for idObject, the object pfnMake makes for
    // hWnd (once; later requests get the same object), marshalled for the caller. 0 for other
    // object ids, or when the accessibility library cannot be had: the window then passes the
    // message on to its default handling.
    static LRESULT Answer(HWND hWnd, WPARAM wParam, LPARAM lParam, LONG idObject, PFN_MAKE pfnMake);
    // The window is going: every object made for it is cut off from it.
    static void Disconnect(HWND hWnd);
    // Tells listening programs that something of the window's object changed (EVENT_OBJECT_*).
    static void Notify(DWORD dwEvent, HWND hWnd, LONG idObject = OBJID_CLIENT,
                       LONG idChild = CHILDID_SELF);
    // Posted to a control by its object to run the default action on the control's thread,
    // after the asking program's call has returned (the action may open a dialog of the host's).
    // lParam names the child the action is for. Registered when the library loads.
    static const UINT& m_msgDefaultAction;

    // The window's text without the '&' that marks its mnemonic ("&&" gives one '&').
    static std::wstring TextWithoutMnemonic(HWND hWnd);
    static std::wstring Widen(LPCSTR lpsz);

    // -- IUnknown --------------------------------------------------------------------------
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // -- IDispatch: programs reach the object through its IAccessible methods only ----------
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override;

    // -- IAccessible -----------------------------------------------------------------------
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(long* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(long flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                             VARIANT varChild) override;
    STDMETHODIMP accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    STDMETHODIMP accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;

protected:
    // An object of the window's object id idObject (OBJID_CLIENT, OBJID_TITLEBAR...); a child
    // object names its parent, which it keeps alive and whose window and connection it shares.
    CAccessible(HWND hWnd, LONG idObject, CAccessible* pParent = NULL);
    virtual ~CAccessible();

    HWND Wnd() const { return m_hWnd; }
    // Whether the window (and, for a child object, its parent) is still there.
    BOOL IsConnected() const;
    // Asks the window to run its default action later (DefaultActionMessage). S_OK once posted.
    HRESULT PostDefaultAction(long nChild = CHILDID_SELF);

    // -- What derived objects answer (nChild 0: the object itself) ---------------------------
    virtual long ChildCount();
    // TRUE for a child that is an element of this object, FALSE for one with an object of its
    // own (handed out by ChildObject).
    virtual BOOL IsElement(long nChild);
    virtual IDispatch* ChildObject(long nChild);
    virtual std::wstring Name(long nChild);
    virtual std::wstring Value(long nChild);
    virtual long Role(long nChild) = 0;
    virtual long State(long nChild);
    virtual std::wstring DefaultAction(long nChild);
    virtual HRESULT DoDefaultAction(long nChild);
    // In screen coordinates; FALSE when the child has no place on the screen.
    virtual BOOL Location(long nChild, RECT* pRect);
    // The focused child, CHILDID_SELF, or -1 when neither has the focus.
    virtual long FocusedChild();
    virtual IDispatch* Parent();

    // State bits every window shares: unavailable, focusable, focused, invisible.
    long WindowState(BOOL bFocusable = TRUE) const;

private:
    // S_OK on the window's thread while connected; CO_E_OBJNOTCONNECTED after the window went.
    HRESULT Usable() const;
    // S_OK with the child's number when varChild names this object or one of its elements;
    // CO_E_OBJNOTCONNECTED after the window went, E_INVALIDARG for any other child.
    HRESULT ElementOf(const VARIANT& varChild, long* pnChild);
    // A text or a number of the child varChild names, as the derived object answers it (a
    // null pfnText: nothing to say, S_FALSE).
    typedef std::wstring (CAccessible::*PFN_TEXT)(long nChild);
    typedef long (CAccessible::*PFN_NUMBER)(long nChild);
    HRESULT TextOf(const VARIANT& varChild, BSTR* pbstr, PFN_TEXT pfnText);
    HRESULT NumberOf(const VARIANT& varChild, VARIANT* pvar, PFN_NUMBER pfnNumber);
    // The child as a VARIANT: VT_I4 for an element, VT_DISPATCH for an object.
    HRESULT ChildVariant(long nChild, VARIANT* pvar);

    LONG m_nRef;
    HWND m_hWnd;
    LONG m_idObject;
    DWORD m_dwThread;
    CAccessible* m_pParent;  // a reference is held
    BOOL m_bConnected;

    friend class CAccessibleRegistry;
};
