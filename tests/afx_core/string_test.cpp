// CString as the library uses it: trimming, searching and cutting with clamped arguments,
// buffers, texts taken from the string itself, and blocks owned by a container.
#include <gtest/gtest.h>

#include "afx.h"

#include <string>
#include <vector>

TEST(CStringTest, TrimFindAndCutsClampTheirArguments)
{
    CString s(" \t ab c \r\n");
    s.TrimLeft();
    EXPECT_STREQ("ab c \r\n", s);
    s.TrimRight();
    EXPECT_STREQ("ab c", s);
    CString t("xyxhix");
    t.TrimLeft("xy");
    t.TrimRight('x');
    EXPECT_STREQ("hi", t);
    CString blank("  \t  ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
    // a byte above 127 is not white space, whatever its sign as a char
    CString high("\xA0x\xA0");
    high.Trim();
    EXPECT_EQ(3, high.GetLength());

    CString a("abcabc");
    EXPECT_EQ(5, a.Find('c', 3));
    EXPECT_EQ(-1, a.Find('c', 6));
    EXPECT_EQ(-1, a.Find("bc", 7));
    EXPECT_EQ(2, CString("a&b&c").Remove('&'));

    CString h("hello");
    EXPECT_STREQ("", h.Mid(10));
    EXPECT_STREQ("hel", h.Mid(-2, 3));
    EXPECT_STREQ("llo", h.Mid(2, 100));
    EXPECT_STREQ("", h.Mid(1, -1));
    EXPECT_STREQ("hello", h.Left(10));
    EXPECT_STREQ("", h.Left(-1));
}

TEST(CStringTest, BuffersAndTextTakenFromTheStringItself)
{
    CString s;
    strcpy(s.GetBuffer(10), "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    LPTSTR p = s.GetBuffer(1000);
    p[0] = 'Z';
    s.ReleaseBuffer(1);
    EXPECT_STREQ("Z", s);
    EXPECT_STREQ("", CString((LPCTSTR)NULL));

    CString t("0123456789");
    t = (LPCTSTR)t + 4;
    EXPECT_STREQ("456789", t);
    t += t;
    EXPECT_STREQ("456789456789", t);
    CString v("ab");
    v.Insert(1, v);
    EXPECT_STREQ("aabb", v);

    std::string big(5000, 'x');
    CString f;
    f.Format("%s|%d", big.c_str(), 42);
    f.Format("[%s]", (LPCTSTR)f);
    EXPECT_EQ(5005, f.GetLength());
    EXPECT_STREQ("x|42]", f.Right(5));
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
    const std::string guard(8, '#');

    // a buffer within the text is handed out in place, and its length is kept within the text;
    // a longer one is not
    CString u;
    u.AssignExternal(block.data(), "abcde", 5);
    EXPECT_TRUE(Inside(block, u.GetBuffer(3)));
    u.ReleaseBuffer(50);
    EXPECT_EQ(5, u.GetLength());
    EXPECT_FALSE(Inside(block, u.GetBuffer(10)));
    u.ReleaseBuffer();
    EXPECT_STREQ("abcde", u);
    u.AssignExternal(block.data(), "abcde", 5);
    u.Insert(0, "xy");
    EXPECT_STREQ("xyabcde", u);
    EXPECT_FALSE(Inside(block, u));

    // moving out copies, so the moved string does not depend on the block
    CString v;
    v.AssignExternal(block.data(), "moved", 5);
    CString w(std::move(v));
    EXPECT_FALSE(Inside(block, w));
    v.AssignExternal(block.data(), "again", 5);
    w = std::move(v);
    EXPECT_STREQ("again", w);
    EXPECT_FALSE(Inside(block, w));

    // a heap string may take its own text into a block; empty text needs no block
    CString z("from heap");
    z.AssignExternal(block.data(), z, 4);
    EXPECT_STREQ("from", z);
    EXPECT_TRUE(Inside(block, z));
    z.AssignExternal(block.data(), "", 0);
    EXPECT_TRUE(z.IsEmpty());
    z.AssignExternal(NULL, "no block", 8);
    EXPECT_STREQ("no block", z);
    EXPECT_EQ(guard, std::string(block.data() + nBlock, 8));

    // every length, the short ones copied word-wise: the exact text and nothing past the block
    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int n = 1; n <= (int)text.size(); ++n) {
        std::vector<char> own(CString::ExternalBlockSize(n) + 8, '#');
        CString e;
        e.AssignExternal(own.data(), text.c_str(), n);
        EXPECT_EQ(text.substr(0, n), std::string(e, e.GetLength())) << n;
        EXPECT_EQ(guard, std::string(own.data() + CString::ExternalBlockSize(n), 8)) << n;
    }
}
