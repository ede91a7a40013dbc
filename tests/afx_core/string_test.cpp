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

namespace {
bool Inside(const std::vector<char>& block, LPCTSTR p)
{
    return p >= block.data() && p < block.data() + block.size();
}
}  // namespace

// Strings placed in storage their container owns: the block is written only within its size,
// never freed (a free of this vector's storage would corrupt the heap), and left behind as soon
// as the text needs more room or moves to another string.
TEST(CStringTest, ExternalBlocksStayWithTheirOwner)
{
    EXPECT_EQ(0u, CString::ExternalBlockSize(0));
    const size_t nBlock = CString::ExternalBlockSize(5);
    std::vector<char> block(nBlock + 8, '#');

    CString s;
    s.AssignExternal(block.data(), "hello world", 5);
    EXPECT_STREQ("hello", s);
    EXPECT_EQ(5, s.GetLength());
    EXPECT_TRUE(Inside(block, s));
    EXPECT_EQ(std::string(8, '#'), std::string(block.data() + nBlock, 8));

    // shortening edits stay in place
    s.TrimRight('o');
    s.MakeUpper();
    EXPECT_STREQ("HELL", s);
    EXPECT_TRUE(Inside(block, s));
    s.FreeExtra();
    EXPECT_TRUE(Inside(block, s));
    EXPECT_EQ(2, s.Replace('L', 'l'));
    s = (LPCTSTR)s + 1;
    EXPECT_STREQ("Ell", s);
    EXPECT_TRUE(Inside(block, s));

    // growing moves the text to a block of the string's own
    s += "o!";
    EXPECT_STREQ("Ello!", s);
    EXPECT_FALSE(Inside(block, s));

    CString t;
    t.AssignExternal(block.data(), "abc", 3);
    LPTSTR p = t.GetBuffer(10);
    ASSERT_NE(nullptr, p);
    EXPECT_FALSE(Inside(block, p));
    strcpy(p, "abcdefghij");
    t.ReleaseBuffer();
    EXPECT_STREQ("abcdefghij", t);

    // a buffer within the text is handed out in place, and its length is kept within the text
    CString u;
    u.AssignExternal(block.data(), "abcde", 5);
    p = u.GetBuffer(3);
    EXPECT_TRUE(Inside(block, p));
    u.ReleaseBuffer(50);
    EXPECT_EQ(5, u.GetLength());
    EXPECT_EQ(2, u.Insert(0, "xy") - 5);
    EXPECT_STREQ("xyabcde", u);
    EXPECT_FALSE(Inside(block, u));

    // moving out copies, so the moved string does not depend on the block
    CString v;
    v.AssignExternal(block.data(), "moved", 5);
    CString w(std::move(v));
    EXPECT_STREQ("moved", w);
    EXPECT_FALSE(Inside(block, w));
    CString x("old");
    x = std::move(w);
    EXPECT_STREQ("moved", x);
    CString y;
    y.AssignExternal(block.data(), "again", 5);
    x = std::move(y);
    EXPECT_STREQ("again", x);
    EXPECT_FALSE(Inside(block, x));

    // a heap string may take its own text into a block; empty text needs no block
    CString z("from heap");
    z.AssignExternal(block.data(), z, 4);
    EXPECT_STREQ("from", z);
    EXPECT_TRUE(Inside(block, z));
    z.AssignExternal(block.data(), "", 0);
    EXPECT_TRUE(z.IsEmpty());
    z.AssignExternal(NULL, "no block", 8);
    EXPECT_STREQ("no block", z);
    EXPECT_EQ(std::string(8, '#'), std::string(block.data() + nBlock, 8));

    // every length, the short ones copied word-wise: the exact text and nothing past the block
    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int n = 1; n <= (int)text.size(); ++n) {
        std::vector<char> own(CString::ExternalBlockSize(n) + 8, '#');
        CString e;
        e.AssignExternal(own.data(), text.c_str(), n);
        EXPECT_EQ(text.substr(0, n), std::string(e, e.GetLength())) << n;
        EXPECT_EQ(std::string(8, '#'), std::string(own.data() + CString::ExternalBlockSize(n), 8)) << n;
    }
}
