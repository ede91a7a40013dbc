// The application object's profile, in a file and in the registry.
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
    EXPECT_STREQ("", theApp.GetProfileString("Settings", "Missing"));
    EXPECT_STREQ("dflt", theApp.GetProfileString("Other", "Missing", "dflt"));
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
    theApp.m_pszProfileName = saved;
    DeleteFileA(path.c_str());
}

TEST(CWinAppTest, ProfileInTheRegistryAfterSetRegistryKey)
{
    LPCTSTR savedProfile = _strdup(theApp.m_pszProfileName);
    theApp.SetRegistryKey(kCompany);
    EXPECT_STREQ("AfxCoreTest", theApp.m_pszProfileName);
    ProfileRoundTrips();

    // Numbers are kept as numbers and texts as texts; neither is read as the other.
    const std::string company = std::string("Software\\") + kCompany;
    const std::string sub = company + "\\AfxCoreTest\\Settings";
    DWORD type = 0, dw = 0, size = sizeof(dw);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, sub.c_str(), "Count", RRF_RT_ANY,
                                          &type, &dw, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ((DWORD)-5, dw);
    RegSetKeyValueA(HKEY_CURRENT_USER, sub.c_str(), "Raw", REG_SZ, "written outside", 16);
    EXPECT_STREQ("written outside", theApp.GetProfileString("Settings", "Raw"));
    EXPECT_EQ(9, (int)theApp.GetProfileInt("Settings", "Raw", 9));
    EXPECT_STREQ("d", theApp.GetProfileString("Settings", "Count", "d"));

    RegDeleteTreeA(HKEY_CURRENT_USER, company.c_str());
    free((void*)theApp.m_pszRegistryKey);
    theApp.m_pszRegistryKey = NULL;
    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = savedProfile;
}
