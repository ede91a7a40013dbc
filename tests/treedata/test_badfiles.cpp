// Loading damaged and hostile files: whatever the bytes, a load ends, keeps within its data and
// leaves a usable collection.
#include <gtest/gtest.h>
#include "LumoTest.h"
#include "TreeDataTest.h"
#include "CTreeData.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <random>
#include <string>
#include <vector>

using namespace tdtest;

namespace {

// A literal with its embedded NULs.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Touches everything a host may read after a load, tips included.
void UseAll(CTreeData& data)
{
    for (int i = 0; i < data.GetSize(); ++i) {
        treedatas* rec = data.GetAt(i);
        ASSERT_NE(rec, nullptr);
        ASSERT_FALSE(rec->strCode.IsEmpty());
        // every tip read opens the file, so only a few are read per load
        if (i < 2 || i == data.GetSize() - 1 || i % 17 == 0) {
            ASSERT_LE(data.GetTip(i).GetLength(), 1024);
        }
        data.GetText(i, 1);
        data.IsNode(i);
    }
    data.Search("1");
}

// What a load must give, read the plain way: byte by byte, line by line, field by field.
struct Expected {
    std::string stamp;
    struct Record {
        std::string code, text, detail, llaFile;
        int level, seq, tipOffset;
    };
    std::vector<Record> records;
};

std::string Trimmed(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && isspace((unsigned char)s[b]))
        ++b;
    while (e > b && isspace((unsigned char)s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// atoi, held at the ends of the int range instead of overflowing
int Number(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && isspace((unsigned char)s[i]))
        ++i;
    bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = std::min(value * 10 + (s[i] - '0'), (long long)INT_MAX + 1);
    value = negative ? -value : std::min(value, (long long)INT_MAX);
    return (int)value;
}

Expected ReadPlainly(const std::string& file)
{
    const bool scrambled = file.compare(0, 4, "\x01\x02\x03\x04", 4) == 0 && file.size() >= 4;
    const size_t start = scrambled ? 4 : 0;
    std::string text;
    for (size_t i = start; i < file.size(); ++i) {
        char ch = scrambled ? (char)(file[i] ^ 0xB6) : file[i];
        if (ch == '\0')
            break;
        text += ch;
    }
    Expected out;
    size_t line = 0;
    for (bool first = true;; first = false) {
        size_t end = text.find("\r\n", line);
        if (end == std::string::npos)
            end = text.size();
        if (first) {
            out.stamp = text.substr(line, end - line);
        } else {
            std::vector<std::string> fields(1);
            std::vector<size_t> starts{ line };
            for (size_t i = line; i < end; ++i) {
                if (text[i] == '\t') {
                    fields.emplace_back();
                    starts.push_back(i + 1);
                } else {
                    fields.back() += text[i];
                }
            }
            const int tipOffset = fields.size() > 4 ? (int)(start + starts[4]) : 0;
            fields.resize(std::max<size_t>(fields.size(), 7));
            if (!Trimmed(fields[0]).empty())
                out.records.push_back({ Trimmed(fields[0]), Trimmed(fields[1]), Trimmed(fields[2]), fields[5],
                                        Number(fields[3]), Number(fields[6]), tipOffset });
        }
        if (end == text.size())
            break;
        line = end + 2;
    }
    return out;
}

void ExpectLoadedPlainly(const CTreeData& data, const std::string& file)
{
    const Expected expected = ReadPlainly(file);
    EXPECT_EQ(std::string(data.GetTimeStamp()), expected.stamp);
    ASSERT_EQ(data.GetSize(), (int)expected.records.size());
    for (int i = 0; i < data.GetSize(); ++i) {
        const treedatas* rec = data.GetAt(i);
        const Expected::Record& want = expected.records[i];
        ASSERT_EQ(std::string(rec->strCode, rec->strCode.GetLength()), want.code) << i;
        ASSERT_EQ(std::string(rec->strText, rec->strText.GetLength()), want.text) << i;
        ASSERT_EQ(std::string(rec->strDetail, rec->strDetail.GetLength()), want.detail) << i;
        ASSERT_EQ(std::string(rec->strLLAFile, rec->strLLAFile.GetLength()), want.llaFile) << i;
        ASSERT_EQ(rec->nLevel, want.level) << i;
        ASSERT_EQ(rec->nLLASeq, want.seq) << i;
        ASSERT_EQ(rec->nTipOffset, want.tipOffset) << i;
        ASSERT_TRUE(rec->strTip.IsEmpty()) << i;
    }
}

std::string SampleFile()
{
    CTreeData data;
    std::mt19937 rng(7);
    for (int i = 0; i < 60; ++i) {
        std::string code = std::to_string(rng() % 5 + 1);
        for (int k = 0; k < (int)(rng() % 4); ++k)
            code += std::to_string(rng() % 10);
        data.AddItem(code.c_str(), ("text " + code).c_str(), "detail", ("tip of " + code).c_str(), 0, 0,
                     "file.lla", (int)i);
    }
    std::string path = lumotest::TempPath("sample.dat");
    data.SaveToFile(path.c_str(), "stamp");
    std::string bytes = ReadBytes(path);
    ::DeleteFileA(path.c_str());
    return bytes;
}

}  // namespace

TEST(TreeDataBadFiles, OddShapesLoad)
{
    TempDir dir(lumotest::TempPath("tdodd"));
    std::string path = dir.File("odd.dat");
    const std::string cases[] = {
        std::string(),
        std::string("\x01", 1),
        std::string("\x01\x02\x03", 3),
        std::string("\x01\x02\x03\x04", 4),                 // the mark and nothing else
        std::string("\x01\x02\x03\x04\xB6", 5),             // the mark and an empty text
        std::string("\x01\x02\x03\x04\xBB", 5),             // a lone CR
        std::string(64, '\0'),
        "no line break and no terminator",
        "s\r",
        "s\r\n1",
        "s\r\n1\t\t\t\t",                                    // tip offset at the very end
        "s\r\n\r\n\r\n\n\n\r\r\r\n1\tx\r\n",
        Bytes("s\r\n1\tx\0\r\n2\ty\r\n"),                    // the text ends at the NUL
        "s\r\n" + std::string(600, '\t') + "\r\n1" + std::string(600, '\t'),
        "s\r\n1\ta\tb\t99999999999999999999\tt\tf\t-99999999999999999999\r\n",
    };
    for (const std::string& bytes : cases) {
        ASSERT_TRUE(WriteBytes(path, bytes));
        CTreeData data;
        ASSERT_TRUE(data.LoadFromFile(path.c_str())) << bytes.size();
        UseAll(data);
    }

    ASSERT_TRUE(WriteBytes(path, Bytes("s\r\n1\tx\0\r\n2\ty\r\n")));
    CTreeData cut;
    ASSERT_TRUE(cut.LoadFromFile(path.c_str()));
    ASSERT_EQ(cut.GetSize(), 1);
    EXPECT_STREQ(cut.GetText(0), "x");

    ASSERT_TRUE(WriteBytes(path, "s\r\n1\ta\tb\t99999999999999999999\tt\tf\t-99999999999999999999\r\n"));
    CTreeData big;
    ASSERT_TRUE(big.LoadFromFile(path.c_str()));
    ASSERT_EQ(big.GetSize(), 1);
    EXPECT_EQ(big.GetLevel(0), INT_MAX);
    EXPECT_EQ(big.GetLLASeq(0), INT_MIN);
}

TEST(TreeDataBadFiles, HundredMegabyteSingleLine)
{
    TempDir dir(lumotest::TempPath("tdhuge"));
    std::string path = dir.File("huge.dat");
    std::string bytes = "stamp\r\n1\tshort\r\n";
    bytes.append(100u << 20, 'A');
    ASSERT_TRUE(WriteBytes(path, bytes));
    bytes.clear();
    bytes.shrink_to_fit();
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path.c_str()));
    ASSERT_EQ(data.GetSize(), 2);
    EXPECT_EQ(data.GetAt(1)->strCode.GetLength(), 100 << 20);
    EXPECT_STREQ(data.GetTimeStamp(), "stamp");
}

TEST(TreeDataBadFiles, MutatedAndTruncatedFilesNeverBreakALoad)
{
    const std::string original = SampleFile();
    ASSERT_GT(original.size(), 100u);
    TempDir dir(lumotest::TempPath("tdfuzz"));
    std::string path = dir.File("fuzz.dat");
    std::mt19937 rng(20240601);
    const char interesting[] = { '\t', '\r', '\n', '\0', ' ', '-', '&', (char)0xB6, (char)0xBF, (char)0xBB,
                                 (char)0xBC, 0x01, 0x02, 0x03, 0x04, (char)0xFF, (char)0x81 };
    const int kRounds = lumotest::SoakCycles(500, 20000);
    DWORD slowest = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::string bytes = original;
        switch (rng() % 6) {
        case 0:  // truncated anywhere
            bytes.resize(rng() % (bytes.size() + 1));
            break;
        case 1:  // scattered bit flips
            for (int k = 0, n = 1 + rng() % 16; k < n; ++k)
                bytes[rng() % bytes.size()] ^= (char)(1 << (rng() % 8));
            break;
        case 2:  // structural bytes dropped in, scrambled or not
            for (int k = 0, n = 1 + rng() % 8; k < n; ++k) {
                char ch = interesting[rng() % sizeof interesting];
                if (rng() % 2)
                    ch ^= (char)0xB6;
                bytes[rng() % bytes.size()] = ch;
            }
            break;
        case 3:  // runs removed or repeated
        {
            size_t at = rng() % bytes.size();
            size_t len = rng() % 200;
            if (rng() % 2)
                bytes.erase(at, len);
            else
                bytes.insert(at, bytes.substr(at, len));
            break;
        }
        case 4:  // junk
            bytes.resize(rng() % 300);
            for (char& ch : bytes)
                ch = (char)rng();
            if (bytes.size() >= 4 && rng() % 2)
                bytes.replace(0, 4, "\x01\x02\x03\x04", 4);
            break;
        default:  // unscrambled and then damaged, so it loads as plain text
            bytes = Unscramble(bytes);
            bytes.resize(rng() % (bytes.size() + 1));
            if (!bytes.empty())
                bytes[rng() % bytes.size()] = interesting[rng() % sizeof interesting];
            break;
        }
        ASSERT_TRUE(WriteBytes(path, bytes));
        CTreeData data;
        DWORD start = ::GetTickCount();
        ASSERT_TRUE(data.LoadFromFile(path.c_str())) << "round " << round;
        ExpectLoadedPlainly(data, bytes);
        UseAll(data);
        data.BuildLevel();
        DWORD spent = ::GetTickCount() - start;
        if (spent > slowest)
            slowest = spent;
        if (HasFatalFailure())
            FAIL() << "round " << round;
    }
    // A hang detector, not a speed check: each of these loads is a few kilobytes.
    EXPECT_LT(slowest, 5000u);
}
