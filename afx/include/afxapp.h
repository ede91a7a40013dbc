// The application object: names, instance handles and the application profile.
#pragma once

#include "afx.h"

class CWnd;

// One application object per process. It registers itself when constructed, so AfxGetApp
// finds it from the host and from every extension module.
//
// The profile lives in the registry once SetRegistryKey has been called
// (HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>\<entry>, strings as REG_SZ and
// numbers as REG_DWORD); otherwise in the initialisation file m_pszProfileName, which is the
// executable's name with ".INI" (a bare name, so the system puts it in the Windows folder).
class AFX_API CWinApp : public CObject
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Fills in the instance handle and the names not yet set; the constructor calls it for the
    // running executable, a startup routine may call it again with the real instance.
    void SetCurrentHandles(HINSTANCE hInstance = NULL);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // profile
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller delete[]s it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Registry keys of the profile, created when missing; the caller closes them.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    // The strings below are allocated with malloc (_tcsdup); replace one by freeing it first.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    CWnd* m_pMainWnd;
};

// Startup for programs without their own: records the instance and command line in the
// application object. FALSE when there is no application object.
AFX_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
