// Loading damaged and hostile files: whatever the bytes, a load ends, keeps within its data and
// leaves a usable collection.
#include "TreeDataTest.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <random>

using namespace tdtest;
using namespace std::string_literals;

namespace {

using TreeDataBadFiles = TreeDataFolder;

// Touches what a host may read after a load beyond the records' fields, tips included (each
// within the file of fileSize bytes).
void UseAll(CTreeData& data, size_t fileSize)
{
    for (int i = 0; i < data.GetSize(); ++i) {
        // every tip read opens the file, so only a few are read per load
        if (i < 2 || i == data.GetSize() - 1 || i % 17 == 0) {
            ASSERT_LE((size_t)data.GetTip(i).GetLength(), fileSize);
        }
        data.GetText(i, 1);
        data.IsNode(i);
    }
    data.Search("1");
}

// What a load must give, read the plain way: byte by byte, line by line, field by field. Each
// record is "code text detail level tip-offset LLA-file seq", tab-separated (no field holds a tab).
struct Expected {
    std::string stamp;
    std::vector<std::string> records;
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
std::string Number(const std::string& s)
{
    return std::to_string(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, strtoll(s.c_str(), nullptr, 10))));
}

Expected ReadPlainly(const std::string& file)
{
    const size_t start = file.compare(0, 4, "\x01\x02\x03\x04", 4) == 0 ? 4 : 0;
    const unsigned char mask = start ? 0xB6 : 0;
    std::string text;
    for (size_t i = start; i < file.size() && ((unsigned char)file[i] ^ mask) != 0; ++i)
        text += (char)(file[i] ^ mask);
    Expected out;
    for (size_t line = 0, first = 1;; first = 0) {
        const size_t end = std::min(text.find("\r\n", line), text.size());
        std::vector<std::string> fields(1);
        int tipOffset = 0;
        for (size_t i = line; i < end; ++i) {
            if (text[i] != '\t') {
                fields.back() += text[i];
            } else {
                fields.emplace_back();
                tipOffset = fields.size() == 5 ? (int)(start + i + 1) : tipOffset;
            }
        }
        fields.resize(std::max<size_t>(fields.size(), 7));
        if (first)
            out.stamp = text.substr(line, end - line);
        else if (!Trimmed(fields[0]).empty())
            out.records.push_back(Trimmed(fields[0]) + "\t" + Trimmed(fields[1]) + "\t" + Trimmed(fields[2]) + "\t" +
                                  Number(fields[3]) + "\t" + std::to_string(tipOffset) + "\t" + fields[5] + "\t" +
                                  Number(fields[6]));
        if (end == text.size())
            return out;
        line = end + 2;
    }
}

// A string with every byte it holds, a NUL included.
std::string Whole(const CString& s)
{
    return std::string(s, s.GetLength());
}

void ExpectLoadedPlainly(const CTreeData& data, const std::string& file)
{
    const Expected expected = ReadPlainly(file);
    EXPECT_EQ(std::string(data.GetTimeStamp()), expected.stamp);
    ASSERT_EQ(data.GetSize(), (int)expected.records.size());
    for (int i = 0; i < data.GetSize(); ++i) {
        const treedatas* r = data.GetAt(i);
        ASSERT_EQ(Whole(r->strCode) + "\t" + Whole(r->strText) + "\t" + Whole(r->strDetail) + "\t" +
                      std::to_string(r->nLevel) + "\t" + std::to_string(r->nTipOffset) + "\t" + Whole(r->strLLAFile) +
                      "\t" + std::to_string(r->nLLASeq),
                  expected.records[i]) << i;
        ASSERT_TRUE(r->strTip.IsEmpty()) << i;
    }
}

// A saved collection of records of every level, read back as bytes.
std::string SampleFile(const char* path)
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
    data.SaveToFile(path, "stamp");
    return ReadBytes(path);
}

}  // namespace

TEST_F(TreeDataBadFiles, OddShapesLoad)
{
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
        "s\r\n1\tx\0\r\n2\ty\r\n"s,                        // the text ends at the NUL
        "s\r\n" + std::string(600, '\t') + "\r\n1" + std::string(600, '\t'),
        "s\r\n1\ta\tb\t99999999999999999999\tt\tf\t-99999999999999999999\r\n",  // numbers saturate
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(&bytes - cases);
        ASSERT_TRUE(WriteBytes(path_, bytes));
        CTreeData data;
        ASSERT_TRUE(data.LoadFromFile(path_));
        ExpectLoadedPlainly(data, bytes);
        UseAll(data, bytes.size());
    }
}

// A file cut right after the fourth tab of its last record: that record's tip begins at the end
// of the file. Saving what was loaded copies the tips from the file, that one empty.
TEST_F(TreeDataBadFiles, SaveAfterLoadingAFileCutInsideItsLastRecord)
{
    const std::string bytes = "stamp\r\n1\ta\t\t0\ttip\t\t0\r\n11\tb\t\t1\t";
    ASSERT_EQ(bytes.size(), 30u);
    ASSERT_TRUE(WriteBytes(path_, bytes));
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path_));
    ASSERT_EQ(data.GetSize(), 2);
    EXPECT_EQ(data.GetAt(1)->nTipOffset, 30);
    const std::string copy = dir_.File("copy.dat");
    ASSERT_TRUE(data.SaveToFile(copy.c_str(), "stamp"));
    ASSERT_TRUE(data.SaveToFile(path_, "stamp"));
    for (const std::string& saved : { copy, file_ }) {
        CTreeData loaded;
        ASSERT_TRUE(loaded.LoadFromFile(saved.c_str()));
        ASSERT_EQ(loaded.GetSize(), 2);
        EXPECT_EQ(Fields(loaded, 0), "1|a||0|tip||0");
        EXPECT_EQ(Fields(loaded, 1), "11|b||1|||0");
    }
}

TEST_F(TreeDataBadFiles, HundredMegabyteSingleLine)
{
    std::string bytes = "stamp\r\n1\tshort\r\n";
    bytes.append(100u << 20, 'A');
    ASSERT_TRUE(WriteBytes(path_, bytes));
    bytes.clear();
    bytes.shrink_to_fit();
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path_));
    ASSERT_EQ(data.GetSize(), 2);
    EXPECT_EQ(data.GetAt(1)->strCode.GetLength(), 100 << 20);
    EXPECT_STREQ(data.GetTimeStamp(), "stamp");
}

TEST_F(TreeDataBadFiles, MutatedAndTruncatedFilesNeverBreakALoad)
{
    const std::string original = SampleFile(path_);
    ASSERT_GT(original.size(), 100u);
    std::mt19937 rng(20240601);
    const char interesting[] = { '\t', '\r', '\n', '\0', ' ', '-', '&', (char)0xB6, (char)0xBF, (char)0xBB,
                                 (char)0xBC, 0x01, 0x02, 0x03, 0x04, (char)0xFF, (char)0x81 };
    const int kRounds = lumotest::SoakCycles(500, 20000);
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
        ASSERT_TRUE(WriteBytes(path_, bytes));
        CTreeData data;
        ASSERT_TRUE(data.LoadFromFile(path_)) << "round " << round;
        ExpectLoadedPlainly(data, bytes);
        UseAll(data, bytes.size());
        data.BuildLevel();
        if (HasFatalFailure())
            FAIL() << "round " << round;
    }
}
