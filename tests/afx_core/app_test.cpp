// The application object: registration, profile in a file and in the registry, message boxes.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxapp.h"

#include <string>

namespace {

CWinApp theApp("AfxCoreTest");

const char kCompany[] = "LumoAfxCoreTestCo";

// Points the profile at a file of its own for one test and restores the default after.
class IniProfile
{
public:
    IniProfile()
    {
        char dir[MAX_PATH], path[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "ini", 0, path);
        m_path = path;
        m_saved = theApp.m_pszProfileName;
        theApp.m_pszProfileName = _strdup(path);
    }
    ~IniProfile()
    {
        free((void*)theApp.m_pszProfileName);
        theApp.m_pszProfileName = m_saved;
        DeleteFileA(m_path.c_str());
    }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
    LPCTSTR m_saved;
};

// Message boxes of this thread are read and closed by a CBT hook as they activate.
struct BoxCatcher {
    static HHOOK s_hook;
    static std::string s_text, s_caption;
    static HWND s_owner;
    static int s_count;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            HWND hWnd = (HWND)wParam;
            char cls[32] = "";
            GetClassNameA(hWnd, cls, sizeof(cls));
            if (strcmp(cls, "#32770") == 0) {
                char buf[512] = "";
                GetDlgItemTextA(hWnd, 0xFFFF, buf, sizeof(buf));
                s_text = buf;
                GetWindowTextA(hWnd, buf, sizeof(buf));
                s_caption = buf;
                s_owner = GetWindow(hWnd, GW_OWNER);
                s_count++;
                PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(s_hook, code, wParam, lParam);
    }
    BoxCatcher()
    {
        s_text.clear();
        s_caption.clear();
        s_owner = NULL;
        s_count = 0;
        s_hook = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
    }
    ~BoxCatcher() { UnhookWindowsHookEx(s_hook); }
};
HHOOK BoxCatcher::s_hook;
std::string BoxCatcher::s_text, BoxCatcher::s_caption;
HWND BoxCatcher::s_owner;
int BoxCatcher::s_count;

}  // namespace

TEST(CWinAppTest, TheApplicationObjectRegistersItself)
{
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ("AfxCoreTest", AfxGetAppName());
    EXPECT_EQ(GetModuleHandleA(NULL), AfxGetInstanceHandle());
    EXPECT_EQ(GetModuleHandleA(NULL), theApp.m_hInstance);
    EXPECT_STREQ("test_afx_core", theApp.m_pszExeName);
    EXPECT_STREQ("test_afx_core.INI", theApp.m_pszProfileName);
    EXPECT_TRUE(theApp.IsKindOf(RUNTIME_CLASS(CWinApp)));

    HINSTANCE hSaved = AfxGetResourceHandle();
    HMODULE hUser = GetModuleHandleA("user32.dll");
    AfxSetResourceHandle(hUser);
    EXPECT_EQ(hUser, AfxGetResourceHandle());
    AfxSetResourceHandle(hSaved);
    EXPECT_EQ(hSaved, AfxGetResourceHandle());
}

TEST(CWinAppTest, ProfileInAnInitialisationFile)
{
    IniProfile ini;
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "WindowPos", "1,2,3"));
    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "Count", -5));
    char raw[64] = "";
    GetPrivateProfileStringA("Settings", "WindowPos", "", raw, sizeof(raw), ini.Path());
    EXPECT_STREQ("1,2,3", raw);
    GetPrivateProfileStringA("Settings", "Count", "", raw, sizeof(raw), ini.Path());
    EXPECT_STREQ("-5", raw);

    EXPECT_STREQ("1,2,3", theApp.GetProfileString("Settings", "WindowPos"));
    EXPECT_EQ(-5, (int)theApp.GetProfileInt("Settings", "Count", 7));
    EXPECT_EQ(7, (int)theApp.GetProfileInt("Settings", "Missing", 7));
    EXPECT_STREQ("dflt", theApp.GetProfileString("Settings", "Missing", "dflt"));
    EXPECT_STREQ("", theApp.GetProfileString("Settings", "Missing"));
    WritePrivateProfileStringA("Settings", "Text", "123abc", ini.Path());
    EXPECT_EQ(123, (int)theApp.GetProfileInt("Settings", "Text", 7));

    std::string longValue(6000, 'q');
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "Long", longValue.c_str()));
    EXPECT_EQ(6000, theApp.GetProfileString("Settings", "Long").GetLength());

    BYTE data[] = {0x00, 0x7F, 0x80, 0xFF, 0x12};
    EXPECT_TRUE(theApp.WriteProfileBinary("Settings", "Blob", data, sizeof(data)));
    GetPrivateProfileStringA("Settings", "Blob", "", raw, sizeof(raw), ini.Path());
    EXPECT_STREQ("AAPHAIPPCB", raw);
    LPBYTE pRead = NULL;
    UINT nRead = 0;
    ASSERT_TRUE(theApp.GetProfileBinary("Settings", "Blob", &pRead, &nRead));
    ASSERT_EQ(sizeof(data), nRead);
    EXPECT_EQ(0, memcmp(data, pRead, nRead));
    delete[] pRead;

    EXPECT_TRUE(theApp.WriteProfileString("Settings", "WindowPos", NULL));
    EXPECT_STREQ("gone", theApp.GetProfileString("Settings", "WindowPos", "gone"));
}

TEST(CWinAppTest, ProfileInTheRegistryAfterSetRegistryKey)
{
    LPCTSTR savedProfile = _strdup(theApp.m_pszProfileName);
    theApp.SetRegistryKey(kCompany);
    EXPECT_STREQ("AfxCoreTest", theApp.m_pszProfileName);

    EXPECT_TRUE(theApp.WriteProfileString("Settings", "WindowPos", "4,5,6"));
    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "Count", -5));

    HKEY hKey = NULL;
    std::string sub = std::string("Software\\") + kCompany + "\\AfxCoreTest\\Settings";
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ | KEY_WRITE, &hKey));
    char buf[64] = "";
    DWORD type = 0, size = sizeof(buf);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "WindowPos", NULL, &type, (LPBYTE)buf, &size));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ("4,5,6", buf);
    DWORD dw = 0;
    size = sizeof(dw);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "Count", NULL, &type, (LPBYTE)&dw, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ((DWORD)-5, dw);
    RegSetValueExA(hKey, "Raw", 0, REG_SZ, (const BYTE*)"written outside", 16);
    RegCloseKey(hKey);

    EXPECT_STREQ("4,5,6", theApp.GetProfileString("Settings", "WindowPos"));
    EXPECT_STREQ("written outside", theApp.GetProfileString("Settings", "Raw"));
    EXPECT_EQ(-5, (int)theApp.GetProfileInt("Settings", "Count", 0));
    EXPECT_EQ(9, (int)theApp.GetProfileInt("Settings", "Raw", 9));   // a string is not a number
    EXPECT_STREQ("d", theApp.GetProfileString("Settings", "Count", "d"));  // nor a number a string
    EXPECT_STREQ("d", theApp.GetProfileString("Other", "Missing", "d"));

    BYTE data[] = {1, 2, 3};
    EXPECT_TRUE(theApp.WriteProfileBinary("Settings", "Blob", data, 3));
    LPBYTE pRead = NULL;
    UINT nRead = 0;
    ASSERT_TRUE(theApp.GetProfileBinary("Settings", "Blob", &pRead, &nRead));
    EXPECT_EQ(3u, nRead);
    EXPECT_EQ(3, pRead[2]);
    delete[] pRead;

    EXPECT_TRUE(theApp.WriteProfileString("Settings", NULL, NULL));  // removes the section
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &hKey));

    std::string company = std::string("Software\\") + kCompany;
    RegDeleteKeyA(HKEY_CURRENT_USER, (company + "\\AfxCoreTest\\Other").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, (company + "\\AfxCoreTest").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, company.c_str());
    free((void*)theApp.m_pszRegistryKey);
    theApp.m_pszRegistryKey = NULL;
    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = savedProfile;
}

TEST(CWinAppTest, MessageBoxBelongsToTheActiveWindowAndShowsTheAppName)
{
    HWND hHost = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                 NULL, NULL, NULL, NULL);
    ASSERT_NE((HWND)NULL, hHost);
    SetActiveWindow(hHost);
    {
        BoxCatcher catcher;
        EXPECT_EQ(IDOK, AfxMessageBox("Can't load LumoRes.DLL!\t"));
        EXPECT_EQ(1, BoxCatcher::s_count);
        EXPECT_EQ("Can't load LumoRes.DLL!\t", BoxCatcher::s_text);
        EXPECT_EQ("AfxCoreTest", BoxCatcher::s_caption);
        EXPECT_EQ(hHost, BoxCatcher::s_owner);
    }
    DestroyWindow(hHost);
}
