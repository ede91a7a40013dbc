// The application object, its profile, the process-wide handles and message boxes.
#include "afxapp.h"
#include "afxdllx.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// String resource of the application's title, used for the name when none is given.
#define AFX_IDS_APP_TITLE 0xE000

static CWinApp* s_pApp = NULL;
static HINSTANCE s_hResource = NULL;
static AFX_PFN_GETSAFEHWND s_pfnGetSafeHwnd = NULL;

/////////////////////////////////////////////////////////////////////////////
// Process-wide handles

CWinApp* AFXAPI AfxGetApp() { return s_pApp; }

LPCTSTR AFXAPI AfxGetAppName() { return s_pApp != NULL ? s_pApp->m_pszAppName : NULL; }

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    if (s_pApp != NULL && s_pApp->m_hInstance != NULL)
        return s_pApp->m_hInstance;
    return GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return s_hResource != NULL ? s_hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { s_hResource = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (FindResourceA(hInst, lpszName, lpszType) != NULL)
        return hInst;
    // ordinary extension modules first, then the system ones
    for (int pass = 0; pass < 2; pass++)
        for (CDynLinkLibrary* pDLL = AfxGetFirstDynLinkLibrary(); pDLL != NULL; pDLL = pDLL->m_pNextDLL)
            if ((pDLL->m_bSystem != FALSE) == (pass == 1) && pDLL->m_hResource != NULL &&
                FindResourceA(pDLL->m_hResource, lpszName, lpszType) != NULL)
                return pDLL->m_hResource;
    return hInst;
}

int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf)
{
    if (lpszBuf == NULL || nMaxBuf == 0)
        return 0;
    lpszBuf[0] = '\0';
    // A string table block may exist in a module without holding this particular string, so
    // each candidate is asked for the string itself.
    int n = LoadStringA(AfxGetResourceHandle(), nID, lpszBuf, (int)nMaxBuf);
    if (n > 0)
        return n;
    for (int pass = 0; pass < 2; pass++)
        for (CDynLinkLibrary* pDLL = AfxGetFirstDynLinkLibrary(); pDLL != NULL; pDLL = pDLL->m_pNextDLL)
            if ((pDLL->m_bSystem != FALSE) == (pass == 1) && pDLL->m_hResource != NULL) {
                n = LoadStringA(pDLL->m_hResource, nID, lpszBuf, (int)nMaxBuf);
                if (n > 0)
                    return n;
            }
    lpszBuf[0] = '\0';
    return 0;
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    return AfxFindResourceHandle(MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes

void AFXAPI AfxSetGetSafeHwndProc(AFX_PFN_GETSAFEHWND pfn) { s_pfnGetSafeHwnd = pfn; }

HWND AFXAPI AfxGetSafeHwndOf(const CWnd* pWnd)
{
    if (pWnd == NULL || s_pfnGetSafeHwnd == NULL)
        return NULL;
    return s_pfnGetSafeHwnd(pWnd);
}

// The window a message box should belong to: the last active popup of the main window's
// top-level window, or of the active window when there is no main window.
static HWND GetMessageBoxOwner()
{
    HWND hWnd = NULL;
    if (s_pApp != NULL && s_pApp->m_pMainWnd != NULL)
        hWnd = AfxGetSafeHwndOf(s_pApp->m_pMainWnd);
    if (hWnd == NULL || !IsWindow(hWnd))
        hWnd = GetActiveWindow();
    if (hWnd == NULL)
        return NULL;
    HWND hTop = GetAncestor(hWnd, GA_ROOT);
    if (hTop != NULL)
        hWnd = hTop;
    HWND hPopup = GetLastActivePopup(hWnd);
    return hPopup != NULL ? hPopup : hWnd;
}

static int ShowMessageBox(LPCTSTR lpszPrompt, UINT nType)
{
    // without an icon of its own a box gets the one that matches its buttons
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    LPCTSTR lpszTitle = AfxGetAppName();
    char szExe[MAX_PATH];
    if (lpszTitle == NULL) {
        DWORD n = GetModuleFileNameA(NULL, szExe, sizeof(szExe));
        szExe[n < sizeof(szExe) ? n : sizeof(szExe) - 1] = '\0';
        LPSTR p = strrchr(szExe, '\\');
        lpszTitle = p != NULL ? p + 1 : szExe;
    }
    return MessageBoxA(GetMessageBoxOwner(), lpszPrompt ? lpszPrompt : "", lpszTitle, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (s_pApp != NULL)
        return s_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowMessageBox(lpszText, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString string;
    string.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(string, nType, nIDHelp);
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

IMPLEMENT_DYNAMIC(CWinApp, CObject)

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(NULL),
      m_pszExeName(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_pMainWnd(NULL)
{
    if (lpszAppName != NULL)
        m_pszAppName = _strdup(lpszAppName);
    s_pApp = this;
    SetCurrentHandles(NULL);
}

CWinApp::~CWinApp()
{
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszProfileName);
    if (s_pApp == this)
        s_pApp = NULL;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance)
{
    if (hInstance != NULL)
        m_hInstance = hInstance;
    if (m_hInstance == NULL)
        m_hInstance = GetModuleHandleA(NULL);

    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(m_hInstance, szPath, sizeof(szPath));
    szPath[n < sizeof(szPath) ? n : sizeof(szPath) - 1] = '\0';
    LPSTR pName = strrchr(szPath, '\\');
    pName = pName != NULL ? pName + 1 : szPath;
    LPSTR pDot = strrchr(pName, '.');
    if (pDot != NULL)
        *pDot = '\0';

    if (m_pszExeName == NULL)
        m_pszExeName = _strdup(pName);
    if (m_pszAppName == NULL) {
        char szTitle[256];
        if (LoadStringA(m_hInstance, AFX_IDS_APP_TITLE, szTitle, sizeof(szTitle)) > 0)
            m_pszAppName = _strdup(szTitle);
        else
            m_pszAppName = _strdup(m_pszExeName);
    }
    if (m_pszProfileName == NULL) {
        CString strIni(m_pszExeName);
        strIni += ".INI";
        m_pszProfileName = _strdup(strIni);
    }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    UNUSED_ALWAYS(nIDPrompt);
    return ShowMessageBox(lpszPrompt, nType);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    UNUSED_ALWAYS(hPrevInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->SetCurrentHandles(hInstance);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Profile

// From here on the profile lives under HKCU\Software\<key>\<application name>.
void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    if (lpszRegistryKey == NULL)
        return;
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName != NULL ? m_pszAppName : "");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    if (strKey.LoadString(nIDRegistryKey))
        SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hAppKey = NULL, hSoftKey = NULL, hCompanyKey = NULL;
    DWORD dw;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        if (RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            if (RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                                KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw) != ERROR_SUCCESS)
                hAppKey = NULL;
            RegCloseKey(hCompanyKey);
        }
        RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    if (lpszSection == NULL)
        return NULL;
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    if (RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                        NULL, &hSectionKey, &dw) != ERROR_SUCCESS)
        hSectionKey = NULL;
    RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return (UINT)nDefault;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return (UINT)nDefault;
        DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
        LONG lResult = RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    if (m_pszProfileName == NULL)
        return (UINT)nDefault;
    return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    if (m_pszProfileName == NULL)
        return FALSE;
    char szT[16];
    snprintf(szT, sizeof(szT), "%d", nValue);
    return WritePrivateProfileStringA(lpszSection, lpszEntry, szT, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszSection == NULL || lpszEntry == NULL)
        return CString(lpszDefault);
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return CString(lpszDefault);
        CString strValue;
        DWORD dwType = 0, dwCount = 0;
        LONG lResult = RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
            LPTSTR buf = strValue.GetBuffer((int)dwCount + 1);
            DWORD dwRead = dwCount;
            lResult = buf ? RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)buf, &dwRead) : ERROR_OUTOFMEMORY;
            if (buf != NULL) {
                buf[dwRead < dwCount + 1 ? dwRead : dwCount] = '\0';
                strValue.ReleaseBuffer();
            }
        } else if (lResult == ERROR_SUCCESS) {
            lResult = ERROR_INVALID_DATA;  // not a string
        }
        RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS)
            return strValue;
        return CString(lpszDefault);
    }
    if (m_pszProfileName == NULL)
        return CString(lpszDefault);
    CString strValue;
    // a result that fills the buffer up to its last character may have been cut short
    for (int nSize = 4096; nSize <= 0x100000; nSize *= 4) {
        LPTSTR buf = strValue.GetBuffer(nSize);
        if (buf == NULL)
            return CString(lpszDefault);
        DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buf,
                                           (DWORD)nSize + 1, m_pszProfileName);
        strValue.ReleaseBuffer((int)n);
        if ((int)n < nSize)
            break;
    }
    return strValue;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == NULL)
        return FALSE;
    if (m_pszRegistryKey != NULL) {
        if (lpszEntry == NULL) {
            // no entry: remove the whole section
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == NULL)
                return FALSE;
            LONG lResult = RegDeleteKeyA(hAppKey, lpszSection);
            RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        LONG lResult;
        if (lpszValue == NULL)
            lResult = RegDeleteValueA(hSecKey, lpszEntry);
        else
            lResult = RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1);
        RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    if (m_pszProfileName == NULL)
        return FALSE;
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == NULL || pBytes == NULL)
        return FALSE;
    *ppData = NULL;
    *pBytes = 0;
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwType = 0, dwCount = 0;
        LONG lResult = RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
            *ppData = new BYTE[dwCount ? dwCount : 1];
            lResult = RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
        } else if (lResult == ERROR_SUCCESS) {
            lResult = ERROR_INVALID_DATA;
        }
        RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS) {
            *pBytes = dwCount;
            return TRUE;
        }
        delete[] *ppData;
        *ppData = NULL;
        return FALSE;
    }
    // In a file every byte is two letters 'A'..'P': the low half first, then the high half.
    CString str = GetProfileString(lpszSection, lpszEntry, NULL);
    int nLen = str.GetLength();
    if (nLen == 0 || (nLen & 1) != 0)
        return FALSE;
    *pBytes = (UINT)nLen / 2;
    *ppData = new BYTE[*pBytes];
    for (int i = 0; i < nLen; i += 2)
        (*ppData)[i / 2] = (BYTE)(((str[i + 1] - 'A') << 4) + (str[i] - 'A'));
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (lpszSection == NULL || lpszEntry == NULL || (pData == NULL && nBytes != 0))
        return FALSE;
    if (m_pszRegistryKey != NULL) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        LONG lResult = RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    CString str;
    LPTSTR p = str.GetBufferSetLength((int)nBytes * 2);
    if (p == NULL && nBytes != 0)
        return FALSE;
    for (UINT i = 0; i < nBytes; i++) {
        p[i * 2] = (char)((pData[i] & 0x0F) + 'A');
        p[i * 2 + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
    }
    return WriteProfileString(lpszSection, lpszEntry, str);
}
