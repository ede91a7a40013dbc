// CArray element lifetime and moves; CMap with pointer keys.
#include <gtest/gtest.h>

#include "afx.h"
#include "afxcoll.h"
#include "afxtempl.h"

#include <set>

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
    a.SetAtGrow(9, 5);
    EXPECT_EQ(10, a.GetSize());
    EXPECT_EQ(0u, a[7]);
}

TEST(CArrayTest, ElementsAreConstructedAndDestroyedExactlyOnce)
{
    {
        CArray<Tracked> a;
        a.SetSize(10);
        for (int i = 0; i < 10; i++)
            a[i].value = i;
        a.RemoveAt(2, 3);
        EXPECT_EQ(7, Tracked::s_live);
        EXPECT_EQ(5, a[2].value);
        Tracked t;
        t.value = 100;
        a.InsertAt(1, t, 2);
        EXPECT_EQ(9 + 1, Tracked::s_live);
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
    EXPECT_EQ(1, c.Append(b));
    ASSERT_EQ(4, c.GetSize());
    EXPECT_STREQ("first", c[3]);
}

// Aligned pointers share buckets; every entry must stay reachable through look-ups and
// iteration while others are removed, and the map must work again after emptying.
TEST(CMapTest, PointerKeysThroughRemovalIterationAndReuse)
{
    CMapPtrToPtr m;
    std::set<void*> expected;
    for (INT_PTR i = 1; i <= 60; i++) {
        m[(void*)(i * 16)] = (void*)i;
        expected.insert((void*)(i * 16));
    }
    for (INT_PTR i = 1; i <= 60; i += 3) {
        EXPECT_TRUE(m.RemoveKey((void*)(i * 16)));
        expected.erase((void*)(i * 16));
    }
    EXPECT_FALSE(m.RemoveKey((void*)16));
    EXPECT_EQ((int)expected.size(), m.GetCount());

    std::set<void*> seen;
    void *key, *value;
    for (POSITION pos = m.GetStartPosition(); pos != NULL;) {
        m.GetNextAssoc(pos, key, value);
        EXPECT_EQ((INT_PTR)key / 16, (INT_PTR)value);
        seen.insert(key);
    }
    EXPECT_EQ(expected, seen);
    EXPECT_TRUE(m.Lookup((void*)(59 * 16), value));
    EXPECT_EQ((void*)59, value);

    m.RemoveAll();
    EXPECT_EQ(NULL, m.GetStartPosition());
    EXPECT_FALSE(m.Lookup((void*)32, value));
    m.SetAt((void*)32, (void*)7);
    EXPECT_TRUE(m.Lookup((void*)32, value));
    EXPECT_EQ(1, m.GetCount());
}
