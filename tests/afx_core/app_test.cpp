// The application object: registration, profile in a file and in the registry, message boxes.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxapp.h"

#include <string>

#include "LumoTest.h"

namespace {

CWinApp theApp("AfxCoreTest");

const char kCompany[] = "LumoAfxCoreTestCo";

// Points the profile at a file of its own for one test and restores the default after.
class IniProfile
{
public:
    IniProfile()
    {
        m_path = lumotest::TempPath("profile.ini");
        m_saved = theApp.m_pszProfileName;
        theApp.m_pszProfileName = _strdup(m_path.c_str());
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
        // The owner is disabled while its box is up.
        lumotest::MessageRecorder owner(hHost, std::vector<UINT>{WM_ENABLE});
        lumotest::MessageBoxCatcher catcher;
        EXPECT_EQ(IDOK, AfxMessageBox("Can't load LumoRes.DLL!\t"));
        ASSERT_EQ(1, catcher.Count());
        EXPECT_EQ("Can't load LumoRes.DLL!\t", catcher.Boxes()[0].text);
        EXPECT_EQ("AfxCoreTest", catcher.Boxes()[0].caption);
        EXPECT_TRUE(lumotest::SequenceIs(owner.Messages(), {lumotest::RecordedMsg(WM_ENABLE, FALSE),
                                                            lumotest::RecordedMsg(WM_ENABLE, TRUE)}));
    }
    DestroyWindow(hHost);
}
