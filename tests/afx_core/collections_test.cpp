// CArray growth and element lifetime, CMap bucket layout and storage, CList.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"

#include <vector>

namespace {

// Exposes the capacity, which decides when element addresses move.
template <class TYPE, class ARG_TYPE = const TYPE&>
class ProbeArray : public CArray<TYPE, ARG_TYPE>
{
public:
    int Capacity() const { return this->m_nMaxSize; }
};

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

// Exposes the bucket array and the node blocks.
class ProbeMap : public CMap<HWND, HWND, int, int>
{
public:
    bool HasTable() const { return m_pHashTable != NULL; }
    int Blocks() const
    {
        int n = 0;
        for (CPlex* p = m_pBlocks; p != NULL; p = p->pNext)
            n++;
        return n;
    }
    std::vector<UINT_PTR> Keys() const
    {
        std::vector<UINT_PTR> keys;
        POSITION pos = GetStartPosition();
        while (pos != NULL) {
            HWND k;
            int v;
            GetNextAssoc(pos, k, v);
            keys.push_back((UINT_PTR)k);
        }
        return keys;
    }
};

HWND H(UINT_PTR v) { return (HWND)v; }

}  // namespace

TEST(CArrayTest, DefaultGrowthIsAnEighthBetweenFourAnd1024)
{
    ProbeArray<int, int> a;
    a.Add(1);
    EXPECT_EQ(1, a.Capacity());  // the first allocation is exact
    a.Add(2);
    EXPECT_EQ(5, a.Capacity());
    for (int i = 0; i < 4; i++)
        a.Add(i);
    EXPECT_EQ(9, a.Capacity());

    // {size set, grow-by (-1: default), capacity after one more Add}
    const int cases[][3] = {{8000, -1, 9000}, {16000, -1, 16000 + 1024}, {10, 3, 13}};
    for (const auto& c : cases) {
        ProbeArray<int, int> big;
        big.SetSize(c[0], c[1]);
        big.Add(0);
        EXPECT_EQ(c[2], big.Capacity()) << c[0];
        big.FreeExtra();
        EXPECT_EQ(c[0] + 1, big.Capacity()) << c[0];
    }
}

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

TEST(CMapTest, PointerKeysHashByDroppingFourBitsModuloSeventeen)
{
    ProbeMap m;
    EXPECT_EQ(17u, m.GetHashTableSize());
    EXPECT_FALSE(m.HasTable());
    // buckets: 0x10 -> 1; 0x000 and 0x110 -> 0; 0x100 and 0x105 -> 16
    m[H(0x10)] = 1;
    m[H(0x000)] = 2;
    m[H(0x110)] = 3;
    m[H(0x105)] = 4;
    m[H(0x100)] = 5;
    EXPECT_TRUE(m.HasTable());
    // bucket by bucket, the newest entry of a bucket first
    EXPECT_EQ((std::vector<UINT_PTR>{0x110, 0x000, 0x10, 0x100, 0x105}), m.Keys());

    int v = 0;
    EXPECT_TRUE(m.Lookup(H(0x105), v));
    EXPECT_EQ(4, v);
    EXPECT_FALSE(m.Lookup(H(0x106), v));
    m.SetAt(H(0x105), 40);
    EXPECT_EQ(40, m[H(0x105)]);
    EXPECT_EQ(5, m.GetCount());
    EXPECT_TRUE(m.RemoveKey(H(0x100)));
    EXPECT_FALSE(m.RemoveKey(H(0x100)));
    EXPECT_EQ((std::vector<UINT_PTR>{0x110, 0x000, 0x10, 0x105}), m.Keys());

    ProbeMap big;
    big.InitHashTable(31);
    big[H(31 << 4)] = 1;
    big[H(1 << 4)] = 2;
    EXPECT_EQ((std::vector<UINT_PTR>{31 << 4, 1 << 4}), big.Keys());
}

TEST(CMapTest, NodesComeInBlocksOfTenAndAllIsFreedWhenEmpty)
{
    ProbeMap m;
    for (UINT_PTR i = 0; i < 10; i++)
        m[H(i << 4)] = (int)i;
    EXPECT_EQ(1, m.Blocks());
    m[H(10 << 4)] = 10;
    EXPECT_EQ(2, m.Blocks());
    m.RemoveKey(H(0));
    m[H(0x1000)] = 1;  // reuses the freed node
    EXPECT_EQ(2, m.Blocks());

    for (UINT_PTR i = 1; i <= 10; i++)
        EXPECT_TRUE(m.RemoveKey(H(i << 4)));
    EXPECT_TRUE(m.HasTable());
    EXPECT_TRUE(m.RemoveKey(H(0x1000)));
    EXPECT_EQ(0, m.GetCount());
    EXPECT_FALSE(m.HasTable());
    EXPECT_EQ(0, m.Blocks());
    EXPECT_EQ(NULL, m.GetStartPosition());

    m[H(0x20)] = 7;  // starts over from nothing
    EXPECT_EQ(1, m.Blocks());
    EXPECT_EQ((std::vector<UINT_PTR>{0x20}), m.Keys());
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
