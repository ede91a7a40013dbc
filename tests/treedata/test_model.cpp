// The record collection: trimming, code order, levels, searching and removal.
#include <gtest/gtest.h>
#include "TreeDataTest.h"

#include <random>

using namespace tdtest;

namespace {

void Add(CTreeData& data, const char* code, const char* text = "")
{
    data.AddItem(code, text, "", "", 0, 0, "", 0);
}

// Levels as the definition states them: the nearest earlier prefix's level plus one.
std::vector<int> ReferenceLevels(const CTreeData& data)
{
    std::vector<int> levels;
    for (int i = 0; i < data.GetSize(); ++i) {
        const std::string code = (LPCTSTR)data.GetID(i);
        int j = i - 1;
        while (j >= 0 && code.compare(0, data.GetID(j).GetLength(), data.GetID(j)) != 0)
            --j;
        levels.push_back(j < 0 ? 0 : levels[j] + 1);
    }
    return levels;
}

}  // namespace

TEST(TreeDataModel, CodeOrderLevelsAndNodes)
{
    CTreeData data;
    for (const char* code : { "2", "1", "10", "1A", "101" })
        Add(data, code);
    data.BuildLevel();
    EXPECT_EQ(Shape(data), "1:0+ 10:1+ 101:2 1A:1 2:0");
    EXPECT_EQ(data.IsNode(-1), 0);
    EXPECT_EQ(data.IsNode(5), 0);

    // Equal codes nest, and the last record is never a node.
    CTreeData same;
    for (const char* text : { "first", "second", "third" })
        Add(same, "5", text);
    same.BuildLevel();
    EXPECT_EQ(Shape(same), "5:0+ 5:1+ 5:2");
}

TEST(TreeDataModel, LevelsMatchTheNearestEarlierPrefixOnRandomCodes)
{
    // Short codes over a small alphabet give many shared prefixes, equal codes and siblings
    // whose prefixes end in the middle of the chain.
    std::mt19937 rng(1234);
    for (int round = 0; round < 20; ++round) {
        CTreeData data;
        for (int i = 0; i < 400; ++i) {
            std::string code;
            for (int k = 0, len = 1 + (int)(rng() % 6); k < len; ++k)
                code += "01AB"[rng() % 4];
            Add(data, code.c_str());
        }
        data.BuildLevel();
        std::vector<int> expected = ReferenceLevels(data);
        for (int i = 0; i < data.GetSize(); ++i)
            ASSERT_EQ(data.GetLevel(i), expected[i]) << "round " << round << " code " << (LPCTSTR)data.GetID(i);
    }
}

TEST(TreeDataModel, CodesAndTextsAreTrimmedLLAFileIsNot)
{
    CTreeData data;
    Add(data, "  ");
    data.AddItem(nullptr, "x", "", "", 0, 0, "", 0);
    EXPECT_EQ(data.GetSize(), 0);

    data.AddItem(" 7 ", "  Seven\t", " det ", " tip ", 3, 9, "  file.lla ", 42);
    data.AddItem("8", nullptr, nullptr, nullptr, 0, 0, nullptr, 0);
    ASSERT_EQ(data.GetSize(), 2);
    // The given level is what GetLevel reads until a build replaces it.
    EXPECT_EQ(Fields(data, 0), "7|Seven|det|3|tip|  file.lla |42");
    EXPECT_EQ(Fields(data, 1), "8|||0|||0");
    EXPECT_EQ(data.GetAt(0)->nTipOffset, 9);
    EXPECT_EQ(data.GetAt(0)->hItem, nullptr);
    data.BuildLevel();
    EXPECT_EQ(data.GetLevel(0), 0);
}

TEST(TreeDataModel, SearchAndFindByCode)
{
    CTreeData data;
    EXPECT_EQ(data.Search("1"), -1);
    EXPECT_EQ(data.FindByCode("1"), nullptr);
    for (const char* code : { "2", "1", "10", "1A", "101" })
        Add(data, code, code);
    EXPECT_EQ(data.Search(""), -1);
    EXPECT_EQ(data.Search(nullptr), -1);
    EXPECT_EQ(data.Search("3"), -1);
    EXPECT_EQ(data.Search(" 1"), -1);  // the searched code is taken as given
    EXPECT_EQ(data.Search("1A"), 3);
    EXPECT_EQ(data.Search("2"), 4);
    treedatas* rec = data.FindByCode("101");
    ASSERT_NE(rec, nullptr);
    EXPECT_STREQ(rec->strText, "101");
}

TEST(TreeDataModel, TextModesAndBadIndices)
{
    CTreeData data;
    data.AddItem("1", "&File", "d", "t", 0, 0, "f", 5);
    EXPECT_STREQ(data.GetText(0, 1), "File");
    EXPECT_STREQ(data.GetText(0, 2), "&File");
    EXPECT_EQ(Fields(data, 0), "1|&File|d|0|t|f|5");
    for (int bad : { -1, 1, 1000 }) {
        EXPECT_EQ(data.GetAt(bad), nullptr);
        EXPECT_STREQ(data.GetText(bad, 1), "");
        EXPECT_EQ(Fields(data, bad), "|||-1|||-1");
    }
}

TEST(TreeDataModel, DeleteItemsByPrefix)
{
    CTreeData data;
    for (const char* code : { "2", "1", "10", "1A", "101", "21" })
        Add(data, code);
    data.BuildLevel();
    data.DeleteItems("1");
    EXPECT_EQ(Shape(data), "2:0+ 21:1");  // removal keeps the order and the built state

    data.DeleteItems("21  ");  // trailing white space is not part of the prefix
    EXPECT_EQ(Shape(data), "2:0");
    data.DeleteItems("  2");  // leading white space is
    EXPECT_EQ(data.GetSize(), 1);
    data.DeleteItems("");
    EXPECT_EQ(data.GetSize(), 0);

    for (const char* code : { "3", "4" })
        Add(data, code);
    data.DeleteItems(nullptr);
    EXPECT_EQ(data.GetSize(), 0);
}

TEST(TreeDataModel, AddingAfterABuildSortsAndRebuildsAgain)
{
    CTreeData data;
    Add(data, "2");
    Add(data, "20");
    data.BuildLevel();
    EXPECT_EQ(data.GetLevel(1), 1);
    Add(data, "1");
    Add(data, "201");
    EXPECT_EQ(data.Search("201"), 3);
    EXPECT_EQ(data.IsNode(2), 1);  // IsNode rebuilds the levels the additions cleared
    EXPECT_EQ(data.GetLevel(3), 2);
    data.Empty();
    EXPECT_EQ(data.GetSize(), 0);
    EXPECT_EQ(data.Search("2"), -1);
}
