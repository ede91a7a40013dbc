// CString: trimming, searching, extraction, editing, byte ordering, formatting and buffers.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxcoll.h"

#include <algorithm>
#include <string>
#include <vector>

TEST(CStringTest, TrimmingRemovesOnlyWhatItIsAskedTo)
{
    CString s(" \t ab c \r\n");
    s.TrimLeft();
    EXPECT_STREQ("ab c \r\n", s);
    s.TrimRight();
    EXPECT_STREQ("ab c", s);
    EXPECT_EQ(4, s.GetLength());

    CString blank("  \t  ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
    EXPECT_STREQ("", blank);

    CString t("xyxhix");
    t.TrimLeft("xy");
    EXPECT_STREQ("hix", t);
    t.TrimRight('x');
    EXPECT_STREQ("hi", t);
    CString u("--a-b--");
    u.Trim('-');
    EXPECT_STREQ("a-b", u);

    // a byte above 127 is not white space, whatever its sign as a char
    CString hi("\xA0x\xA0");
    hi.Trim();
    EXPECT_EQ(3, hi.GetLength());
}

TEST(CStringTest, FindAndExtractionClampOutOfRangeArguments)
{
    CString s("abcabc");
    EXPECT_EQ(2, s.Find('c'));
    EXPECT_EQ(5, s.Find('c', 3));
    EXPECT_EQ(-1, s.Find('c', 6));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(4, s.Find("bc", 2));
    EXPECT_EQ(-1, s.Find("bc", 7));
    EXPECT_EQ(0, s.Find(""));
    EXPECT_EQ(3, s.ReverseFind('a'));
    EXPECT_EQ(2, s.FindOneOf("xc"));
    EXPECT_EQ(-1, s.FindOneOf("xyz"));

    CString h("hello");
    EXPECT_STREQ("ell", h.Mid(1, 3));
    EXPECT_STREQ("lo", h.Mid(3));
    EXPECT_STREQ("", h.Mid(10));
    EXPECT_STREQ("hel", h.Mid(-2, 3));
    EXPECT_STREQ("llo", h.Mid(2, 100));
    EXPECT_STREQ("", h.Mid(1, -1));
    EXPECT_STREQ("hello", h.Left(10));
    EXPECT_STREQ("", h.Left(-1));
    EXPECT_STREQ("lo", h.Right(2));
    EXPECT_STREQ("hello", h.Right(9));
    EXPECT_STREQ("123", CString("123abc").SpanIncluding("0123456789"));
    EXPECT_STREQ("ab", CString("ab;cd").SpanExcluding(";,"));
}

TEST(CStringTest, EditingCountsAndHandlesItsOwnText)
{
    CString s("hello");
    EXPECT_EQ(2, s.Replace("l", "LL"));
    EXPECT_STREQ("heLLLLo", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(4, s.Remove('L'));
    EXPECT_STREQ("heo", s);
    EXPECT_EQ(5, s.Insert(0, "ab"));
    EXPECT_EQ(6, s.Insert(100, 'z'));
    EXPECT_STREQ("abheoz", s);
    EXPECT_EQ(1, s.Delete(1, 100));
    EXPECT_STREQ("a", s);
    EXPECT_EQ(2, CString("a&b&c").Replace('&', '+'));

    // sources that lie inside the string itself
    CString t("0123456789");
    t = (LPCTSTR)t + 4;
    EXPECT_STREQ("456789", t);
    t += t;
    EXPECT_STREQ("456789456789", t);
    CString v("ab");
    v.Insert(1, v);
    EXPECT_STREQ("aabb", v);

    CString c("MiXeD");
    EXPECT_STREQ("MIXED", CString(c).MakeUpper());
    EXPECT_STREQ("mixed", CString(c).MakeLower());
    EXPECT_STREQ("DeXiM", CString(c).MakeReverse());
}

TEST(CStringTest, OrderingIsByteOrderNotLocale)
{
    EXPECT_LT(CString("10").Compare("1A"), 0);
    EXPECT_LT(CString("1A").Compare("2"), 0);
    EXPECT_TRUE(CString("1") < CString("10"));
    EXPECT_TRUE(CString("B") < "a");      // upper case before lower case
    EXPECT_TRUE(CString("z") < "\xE9");   // bytes above 127 sort last
    EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abd" != CString("abc"));
    EXPECT_TRUE(CString("") == CString());

    std::vector<CString> codes = {"2", "1", "10", "1A", "101"};
    std::sort(codes.begin(), codes.end());
    std::vector<std::string> got;
    for (const CString& c : codes)
        got.push_back((LPCTSTR)c);
    EXPECT_EQ((std::vector<std::string>{"1", "10", "101", "1A", "2"}), got);
}

TEST(CStringTest, FormatHasNoLengthLimitAndMayUseItsOwnText)
{
    std::string big(5000, 'x');
    CString s;
    s.Format("%s|%d", big.c_str(), 42);
    ASSERT_EQ(5003, s.GetLength());
    EXPECT_STREQ("|42", s.Right(3));

    s.Format("%s-%s", (LPCTSTR)CString("ab"), "cd");
    s.Format("[%s]", (LPCTSTR)s);
    EXPECT_STREQ("[ab-cd]", s);
    s.Format("%i,%i", -5, 0x10);
    EXPECT_STREQ("-5,16", s);
    s.AppendFormat("%c", '!');
    EXPECT_STREQ("-5,16!", s);
}

TEST(CStringTest, BuffersAndConstruction)
{
    CString s;
    strcpy(s.GetBuffer(10), "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    s.GetBufferSetLength(2);
    EXPECT_STREQ("ab", s);
    LPTSTR p = s.GetBuffer(1000);
    p[0] = 'Z';
    s.ReleaseBuffer(1);
    EXPECT_STREQ("Z", s);
    s.FreeExtra();
    EXPECT_STREQ("Z", s);

    EXPECT_STREQ("---", CString('-', 3));
    EXPECT_STREQ("ab", CString("abcdef", 2));
    EXPECT_STREQ("", CString((LPCTSTR)NULL));
    EXPECT_EQ('b', CString("abc")[1]);
    EXPECT_EQ('c', CString("abc")[(size_t)2]);
    CString moved(std::move(s));
    EXPECT_STREQ("Z", moved);
    EXPECT_STREQ("", s);
    EXPECT_STREQ("xyz", CString("x") + 'y' + "z");
    EXPECT_STREQ("axb", 'a' + CString("x") + CString("b"));
}
