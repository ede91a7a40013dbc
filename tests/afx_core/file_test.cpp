// CFile as the tree data files use it: open flags, sharing, seeking, and failures reported by
// value instead of exceptions.
#include <gtest/gtest.h>

#include "afx.h"

#include "LumoTest.h"

TEST(CFileTest, WriteShareAndReadBack)
{
    const std::string path = lumotest::TempPath("roundtrip.bin");
    CFile f;
    // create, write, deny write to others
    ASSERT_TRUE(f.Open(path.c_str(), 0x1021));
    f.Write("hello world", 11);
    EXPECT_FALSE(f.HasWriteError());
    CFile other;
    CFileException e;
    EXPECT_FALSE(other.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
    ASSERT_TRUE(other.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
    f.Close();
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);

    char c = 0;
    EXPECT_EQ(6u, other.Seek(6, CFile::begin));
    EXPECT_EQ(1u, other.Read(&c, 1));
    EXPECT_EQ('w', c);
    EXPECT_EQ((ULONGLONG)-1, other.Seek(-5, CFile::begin));
    // writing to a handle opened for reading is recorded, not thrown
    other.Write("x", 1);
    EXPECT_TRUE(other.HasWriteError());
    other.Close();

    // creating an existing file empties it
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(0u, f.GetLength());
    f.Close();
    EXPECT_TRUE(CFile::Remove(path.c_str()));
}

TEST(CFileTest, FailuresAreReportedByValue)
{
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(lumotest::TempPath("missing.bin").c_str(), CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);
    EXPECT_EQ(0u, f.Read(&e, 1));
    EXPECT_FALSE(f.Open(NULL, CFile::modeRead));
    EXPECT_FALSE(f.Open("", CFile::modeRead));
}
