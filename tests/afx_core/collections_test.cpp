// CArray element lifetime and moves, CMap with string keys, CList.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"

#include <vector>

namespace {

// Counts live instances, to catch elements that are never destroyed or destroyed twice.
struct Tracked {
    static int s_live;
    int value = -1;
    Tracked() { s_live++; }
    Tracked(const Tracked& o) : value(o.value) { s_live++; }
    Tracked& operator=(const Tracked& o) { value = o.value; return *this; }
    ~Tracked() { s_live--; }
};
int Tracked::s_live = 0;


}  // namespace

TEST(CArrayTest, NewSlotsReadAsZeroEvenAfterShrinking)
{
    CUIntArray a;
    a.SetSize(5);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(0u, a[i]);
        a[i] = 77;
    }
    a.SetSize(2);
    a.SetSize(5);
    EXPECT_EQ(77u, a[1]);
    EXPECT_EQ(0u, a[2]);
    EXPECT_EQ(0u, a[4]);
    a.SetAtGrow(9, 5);
    EXPECT_EQ(10, a.GetSize());
    EXPECT_EQ(0u, a[7]);
    EXPECT_EQ(9, a.GetUpperBound());
}

TEST(CArrayTest, ElementsAreConstructedAndDestroyedExactlyOnce)
{
    {
        CArray<Tracked> a;
        a.SetSize(10);
        EXPECT_EQ(10, Tracked::s_live);
        for (int i = 0; i < 10; i++)
            a[i].value = i;
        a.RemoveAt(2, 3);
        EXPECT_EQ(7, Tracked::s_live);
        EXPECT_EQ(5, a[2].value);
        Tracked t;
        t.value = 100;
        a.InsertAt(1, t, 2);
        EXPECT_EQ(9 + 1, Tracked::s_live);
        EXPECT_EQ(100, a[1].value);
        EXPECT_EQ(100, a[2].value);
        EXPECT_EQ(1, a[3].value);
        a.SetSize(3);
        EXPECT_EQ(3 + 1, Tracked::s_live);
        a.RemoveAt(1, 100);  // the count is clamped to the end
        EXPECT_EQ(1, a.GetSize());
    }
    EXPECT_EQ(0, Tracked::s_live);
}

TEST(CArrayTest, StringElementsSurviveMovesInsertionsAndRemovals)
{
    CStringArray a;
    CString s;
    for (int i = 0; i < 100; i++) {
        s.Format("s%d", i);
        a.Add(s);
    }
    a.InsertAt(0, CString("x"), 2);
    a.RemoveAt(50, 10);
    ASSERT_EQ(92, a.GetSize());
    EXPECT_STREQ("x", a[1]);
    EXPECT_STREQ("s0", a[2]);
    EXPECT_STREQ("s47", a[49]);
    EXPECT_STREQ("s58", a[50]);
    EXPECT_STREQ("s99", a[91]);

    // adding an element of the array itself while the array has to grow
    CStringArray b;
    b.Add("first");
    b.Add(b[0]);
    b.Add(b[1]);
    EXPECT_STREQ("first", b[2]);

    CStringArray c;
    c.Add("a");
    c.Add("b");
    EXPECT_EQ(2, c.Append(b));
    c.InsertAt(1, &c);
    ASSERT_EQ(10, c.GetSize());
    EXPECT_STREQ("a", c[1]);
    EXPECT_STREQ("first", c[3]);
    EXPECT_STREQ("b", c[6]);
}

TEST(CMapTest, StringKeysAndStringValues)
{
    CMapStringToPtr m;
    int a = 0, b = 0;
    m.SetAt("alpha", &a);
    char key[] = "beta";
    m[key] = &b;
    key[0] = 'X';  // the map holds its own copy of the key
    void* p = NULL;
    EXPECT_TRUE(m.Lookup("beta", p));
    EXPECT_EQ(&b, p);
    EXPECT_FALSE(m.Lookup("Beta", p));
    EXPECT_EQ(NULL, m["gamma"]);
    EXPECT_EQ(3, m.GetCount());
    EXPECT_TRUE(m.RemoveKey("alpha"));

    CMapStringToString s;
    s["k"] = "v1";
    s.SetAt("k", "v2");
    CString v;
    EXPECT_TRUE(s.Lookup("k", v));
    EXPECT_STREQ("v2", v);
    s.RemoveAll();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CListTest, OrderInsertionFindAndRemoval)
{
    CStringList l;
    l.AddTail("b");
    l.AddHead("a");
    POSITION posC = l.AddTail("c");
    l.InsertBefore(posC, CString("b2"));
    l.InsertAfter(posC, CString("d"));
    std::vector<std::string> got;
    for (POSITION pos = l.GetHeadPosition(); pos != NULL;)
        got.push_back((LPCTSTR)l.GetNext(pos));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "b2", "c", "d"}), got);

    EXPECT_EQ(posC, l.Find("c"));
    EXPECT_EQ(NULL, l.Find("a", l.GetHeadPosition()));
    EXPECT_EQ(posC, l.FindIndex(3));
    l.RemoveAt(posC);
    EXPECT_STREQ("a", l.RemoveHead());
    EXPECT_STREQ("d", l.RemoveTail());
    EXPECT_EQ(2, l.GetCount());
    EXPECT_STREQ("b", l.GetHead());
    EXPECT_STREQ("b2", l.GetTail());

    CPtrList pl;
    for (int i = 0; i < 25; i++)
        pl.AddTail((void*)(INT_PTR)i);
    POSITION pos = pl.GetTailPosition();
    EXPECT_EQ((void*)24, pl.GetPrev(pos));
    EXPECT_EQ((void*)23, pl.GetAt(pos));
    while (!pl.IsEmpty())
        pl.RemoveHead();
    EXPECT_EQ(NULL, pl.GetHeadPosition());
}
