// CArray element lifetime, moves and growth; CMap with pointer keys.
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
    EXPECT_EQ(0u, a[4]);
    a[1] = a[2] = 77;
    a.SetSize(2);
    a.SetSize(5);
    EXPECT_EQ(77u, a[1]);
    EXPECT_EQ(0u, a[2]);  // given up and taken again
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
        a.InsertAt(1, t, 5);  // beyond the storage: the elements move
        EXPECT_EQ(12 + 1, Tracked::s_live);
        EXPECT_EQ(100, a[5].value);
        EXPECT_EQ(1, a[6].value);
        EXPECT_EQ(9, a[11].value);
        a.SetSize(3);
        EXPECT_EQ(3 + 1, Tracked::s_live);
        a.RemoveAt(1, 100);  // the count is clamped to the end
        EXPECT_EQ(1, a.GetSize());
    }
    EXPECT_EQ(0, Tracked::s_live);
}

// The element added is read before the array moves to larger storage.
TEST(CArrayTest, AddingAnElementOfTheArrayItselfWhileItGrows)
{
    CStringArray b;
    b.Add("first");
    b.Add(b[0]);
    b.Add(b[1]);
    EXPECT_STREQ("first", b[2]);
}

// Aligned pointers share buckets; iteration reaches every entry left after removals from the
// middle of bucket chains.
TEST(CMapTest, PointerKeysThroughRemovalAndIteration)
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
}
