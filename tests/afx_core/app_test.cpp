// The application object: registration, profile in a file and in the registry, message boxes.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxapp.h"

#include <string>

#include "LumoTest.h"

namespace {

CWinApp theApp("AfxCoreTest");

const char kCompany[] = "LumoAfxCoreTestCo";

// The profile calls, against whichever store the application uses now.
void ProfileRoundTrips()
{
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "WindowPos", "1,2,3"));
    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "Count", -5));
    EXPECT_STREQ("1,2,3", theApp.GetProfileString("Settings", "WindowPos"));
    EXPECT_EQ(-5, (int)theApp.GetProfileInt("Settings", "Count", 7));
    EXPECT_EQ(7, (int)theApp.GetProfileInt("Settings", "Missing", 7));
    EXPECT_STREQ("dflt", theApp.GetProfileString("Other", "Missing", "dflt"));
    EXPECT_STREQ("", theApp.GetProfileString("Settings", "Missing"));
    const std::string longValue(6000, 'q');  // longer than the first buffer of a file read
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "Long", longValue.c_str()));
    EXPECT_EQ(6000, theApp.GetProfileString("Settings", "Long").GetLength());
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "WindowPos", NULL));
    EXPECT_STREQ("gone", theApp.GetProfileString("Settings", "WindowPos", "gone"));
}

}  // namespace

TEST(CWinAppTest, ProfileInAnInitialisationFileNamedAfterTheProgram)
{
    EXPECT_STREQ("test_afx_core.INI", theApp.m_pszProfileName);
    const std::string path = lumotest::TempPath("profile.ini");
    LPCTSTR saved = theApp.m_pszProfileName;
    theApp.m_pszProfileName = path.c_str();
    ProfileRoundTrips();
    char raw[64] = "";
    GetPrivateProfileStringA("Settings", "Count", "", raw, sizeof(raw), path.c_str());
    EXPECT_STREQ("-5", raw);
    theApp.m_pszProfileName = saved;
    DeleteFileA(path.c_str());
}

TEST(CWinAppTest, ProfileInTheRegistryAfterSetRegistryKey)
{
    LPCTSTR savedProfile = _strdup(theApp.m_pszProfileName);
    theApp.SetRegistryKey(kCompany);
    EXPECT_STREQ("AfxCoreTest", theApp.m_pszProfileName);
    ProfileRoundTrips();

    HKEY hKey = NULL;
    const std::string company = std::string("Software\\") + kCompany;
    const std::string sub = company + "\\AfxCoreTest\\Settings";
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_ALL_ACCESS,
                                           &hKey));
    DWORD type = 0, dw = 0, size = sizeof(dw);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "Count", NULL, &type, (LPBYTE)&dw, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ((DWORD)-5, dw);
    RegSetValueExA(hKey, "Raw", 0, REG_SZ, (const BYTE*)"written outside", 16);
    RegCloseKey(hKey);
    EXPECT_STREQ("written outside", theApp.GetProfileString("Settings", "Raw"));
    EXPECT_EQ(9, (int)theApp.GetProfileInt("Settings", "Raw", 9));   // a string is not a number
    EXPECT_STREQ("d", theApp.GetProfileString("Settings", "Count", "d"));  // nor a number a string

    RegDeleteTreeA(HKEY_CURRENT_USER, company.c_str());
    free((void*)theApp.m_pszRegistryKey);
    theApp.m_pszRegistryKey = NULL;
    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = savedProfile;
}

TEST(CWinAppTest, MessageBoxBelongsToTheActiveWindowAndShowsTheAppName)
{
    lumotest::HostWindow host(200, 100);
    SetActiveWindow(host);
    // The owner is disabled while its box is up.
    lumotest::MessageRecorder owner(host, std::vector<UINT>{WM_ENABLE});
    lumotest::MessageBoxCatcher catcher;
    EXPECT_EQ(IDOK, AfxMessageBox("Can't load LumoRes.DLL!\t"));
    ASSERT_EQ(1, catcher.Count());
    EXPECT_EQ("Can't load LumoRes.DLL!\t", catcher.Boxes()[0].text);
    EXPECT_EQ("AfxCoreTest", catcher.Boxes()[0].caption);
    EXPECT_TRUE(lumotest::SequenceIs(owner.Messages(),
                                     {lumotest::RecordedMsg(WM_ENABLE, FALSE),
                                      lumotest::RecordedMsg(WM_ENABLE, TRUE)}));
}
