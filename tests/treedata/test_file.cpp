// The tree data file: byte layout, loading marked and plain files, tips read from the file, and
// saves that fail without losing the previous file.
#include "TreeDataTest.h"

#include <random>

using namespace tdtest;

namespace {

const std::string kOpenLine = "01\tOpen\t\t0\tOpens a file\tdoc.lla\t3";

// Lets the first `good` pieces through, then writes half of the next and reports a write
// error, as a disk filling up would.
class CFailingTreeData : public CTreeData
{
public:
    int good = 0;

protected:
    BOOL WriteFileBody(CFile& file, const BYTE* pData, UINT nLength) override
    {
        if (good-- > 0)
            return CTreeData::WriteFileBody(file, pData, nLength);
        file.Write(pData, nLength / 2);
        return FALSE;
    }
};

using TreeDataFile = TreeDataFolder;

}  // namespace

TEST_F(TreeDataFile, EmptyCollectionLayoutAndEmptyStamp)
{
    CTreeData data;
    ASSERT_TRUE(data.SaveToFile(path_, "T"));
    EXPECT_EQ(ReadBytes(path_), std::string("\x01\x02\x03\x04" "\xE2\xBB\xBC\xB6", 8));  // T CR LF NUL, each ^ 0xB6
    EXPECT_STREQ(data.GetTimeStamp(), "");  // saving does not change the collection's stamp

    CTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    EXPECT_EQ(loaded.GetSize(), 0);
    EXPECT_STREQ(loaded.GetTimeStamp(), "T");
    EXPECT_EQ(dir_.Names().size(), 1u);  // no temporary file left beside it

    // An empty first line is an empty stamp, not a record lost.
    data.AddItem("1", "One", "", "", 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(path_, ""));
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    EXPECT_STREQ(loaded.GetTimeStamp(), "");
    ASSERT_EQ(loaded.GetSize(), 1);
    EXPECT_EQ(Fields(loaded, 0), "1|One||0|||0");
}

TEST_F(TreeDataFile, RecordLineLayoutAndTipReadFromItsOffset)
{
    CTreeData data;
    data.AddItem("02", "Close", "ctrl", "", 0, 0, "", -4);
    data.AddItem("01", "Open", "", "Opens a file", 0, 0, "doc.lla", 3);
    ASSERT_TRUE(data.SaveToFile(path_, "2024-01-01"));

    const std::string file = ReadBytes(path_);
    EXPECT_EQ(file.substr(0, 4), std::string("\x01\x02\x03\x04", 4));
    const std::string text = Unscramble(file);
    EXPECT_EQ(text, "2024-01-01\r\n" + kOpenLine + "\r\n02\tClose\tctrl\t0\t\t\t-4\r\n" + std::string(1, '\0'));

    CTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    EXPECT_STREQ(loaded.GetTimeStamp(), "2024-01-01");
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(Fields(loaded, 0), "01|Open||0|Opens a file|doc.lla|3");
    EXPECT_EQ(Fields(loaded, 1), "02|Close|ctrl|0|||-4");
    treedatas* rec = loaded.GetAt(0);
    EXPECT_STREQ(rec->strTip, "");  // tips stay in the file
    EXPECT_EQ(rec->nTipOffset, (int)(4 + text.find("Opens a file")));

    // The tip is read anew each time: a changed file shows through, a removed one gives nothing.
    std::string changed = file;
    changed[rec->nTipOffset] = (char)('X' ^ 0xB6);
    ASSERT_TRUE(WriteBytes(path_, changed));
    EXPECT_STREQ(loaded.GetTip(0), "Xpens a file");
    ::DeleteFileA(path_);
    EXPECT_STREQ(loaded.GetTip(0), "");
}

TEST_F(TreeDataFile, PlainTextFileLoadsTheSameRecords)
{
    const std::string text = "stamp\r\n1\t&File\t\t0\tFile menu\t\t0\r\n" + kOpenLine + "\r\n";
    for (int marked = 0; marked < 2; ++marked) {
        SCOPED_TRACE(marked ? "marked" : "plain");
        ASSERT_TRUE(WriteBytes(path_, marked ? Scramble(text + std::string(1, '\0')) : text));
        CTreeData data;
        ASSERT_TRUE(data.LoadFromFile(path_));
        EXPECT_STREQ(data.GetTimeStamp(), "stamp");
        ASSERT_EQ(data.GetSize(), 2);
        EXPECT_EQ(Fields(data, 0), "1|&File||0|File menu||0");
        EXPECT_EQ(Fields(data, 1), "01|Open||0|Opens a file|doc.lla|3");
        EXPECT_EQ(data.GetAt(1)->nTipOffset, 4 * marked + (int)text.find("Opens a file"));
    }
}

TEST_F(TreeDataFile, FileOrderAndLevelsAreTrustedUntilTheNextAddition)
{
    ASSERT_TRUE(WriteBytes(path_, "s\r\n2\tTwo\t\t0\r\n1\tOne\t\t5\r\n\r\n   \tblank code\r\n10\tTen\r\n"));
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path_));
    ASSERT_EQ(data.GetSize(), 3);  // the empty line and the blank code add nothing
    EXPECT_EQ(Fields(data, 0), "2|Two||0|||0");
    EXPECT_EQ(Fields(data, 1), "1|One||5|||0");
    EXPECT_EQ(Fields(data, 2), "10|Ten||0|||0");  // a missing level field reads as 0
    EXPECT_EQ(data.GetAt(2)->nTipOffset, 0);  // and a line without four tabs has no tip
    EXPECT_EQ(Shape(data), "2:0 1:5 10:0");

    data.AddItem("3", "Three", "", "", 0, 0, "", 0);
    data.BuildLevel();
    EXPECT_EQ(Shape(data), "1:0+ 10:1 2:0 3:0");
}

TEST_F(TreeDataFile, FailedLoadLeavesTheCollectionAlone)
{
    CTreeData data;
    data.AddItem("1", "One", "", "", 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(path_, "S"));
    ASSERT_TRUE(data.LoadFromFile(path_));
    EXPECT_FALSE(data.LoadFromFile(dir_.File("missing.dat").c_str()));
    EXPECT_FALSE(data.LoadFromFile(dir_.Path().c_str()));
    EXPECT_FALSE(data.LoadFromFile(""));
    EXPECT_FALSE(data.LoadFromFile(nullptr));
    ASSERT_EQ(data.GetSize(), 1);
    EXPECT_STREQ(data.GetTimeStamp(), "S");

    // Empty forgets the file (so no tip can be read any more) but keeps the stamp.
    data.Empty();
    EXPECT_STREQ(data.GetTimeStamp(), "S");
    data.AddItem("2", "Two", "", "", 0, 15, "", 0);
    EXPECT_STREQ(data.GetTip(0), "");
}

// Tabs and line breaks inside a text, and the escape byte that stands for them in the file, come
// back as they were, in every field and in the stamp. The file holds them as pairs and says so
// after the NUL that ends its text; a file that does not say so is read as it is.
TEST_F(TreeDataFile, TextsHoldingTabsAndLineBreaksComeBackAsTheyWere)
{
    CTreeData data;
    data.AddItem("2", "plain", "", "", 0, 0, "", 0);
    data.AddItem("1\t2", "a\tb\r\nc", "d\ne", "x\x1By", 0, 0, "f\r", 5);
    ASSERT_TRUE(data.SaveToFile(path_, "s\r\n\tt"));
    EXPECT_EQ(Unscramble(ReadBytes(path_)), "s\x1Br\x1Bn\tt\r\n"
                                            "1\x1Bt2\ta\x1Btb\x1Br\x1Bnc\td\x1Bne\t0\tx\x1B" "ey\tf\x1Br\t5\r\n"
                                            "2\tplain\t\t0\t\t\t0\r\n" + std::string(1, '\0') + "ESC1");

    CTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    EXPECT_STREQ(loaded.GetTimeStamp(), "s\r\n\tt");
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(Fields(loaded, 0), "1\t2|a\tb\r\nc|d\ne|0|x\x1By|f\r|5");
    EXPECT_EQ(Fields(loaded, 1), "2|plain||0|||0");
    // Saved again, over its own file and elsewhere, from tips read out of the file.
    const std::string again = dir_.File("again.dat");
    ASSERT_TRUE(loaded.SaveToFile(again.c_str(), "s\r\n\tt"));
    EXPECT_EQ(ReadBytes(again), ReadBytes(path_));
    loaded.AddItem("0", "first", "", "", 0, 0, "", 0);
    ASSERT_TRUE(loaded.SaveToFile(path_, "S"));
    EXPECT_EQ(Fields(loaded, 1), "1\t2|a\tb\r\nc|d\ne|0|x\x1By|f\r|5");
    CTreeData reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(path_));
    EXPECT_EQ(Fields(reloaded, 1), "1\t2|a\tb\r\nc|d\ne|0|x\x1By|f\r|5");

    // Without the tag, escape bytes are text like any other; with it, a pair it does not know
    // stays as it is.
    const std::string line = "1\ta\x1Btb\t\t0\tq\x1Bnr\t\x1Bz\t0\r\n";
    const std::string files[] = { "s\r\n" + line, Scramble("s\r\n" + line + std::string(1, '\0')),
                                  Scramble("s\r\n" + line + std::string(1, '\0') + "ESC"),
                                  Scramble("s\r\n" + line + std::string(1, '\0') + "ESC1"),
                                  "s\r\n" + line + std::string(1, '\0') + "ESC1" };
    const std::string asText = "1|a\x1Btb||0|q\x1Bnr|\x1Bz|0", asPairs = "1|a\tb||0|q\nr|\x1Bz|0";
    for (const std::string& bytes : files) {
        SCOPED_TRACE(&bytes - files);
        ASSERT_TRUE(WriteBytes(path_, bytes));
        CTreeData old;
        ASSERT_TRUE(old.LoadFromFile(path_));
        ASSERT_EQ(old.GetSize(), 1);
        EXPECT_EQ(Fields(old, 0), &bytes - files < 3 ? asText : asPairs);
    }
}

// A tip runs to the end of its field however long it is, and to the end of the file at most.
TEST_F(TreeDataFile, TipsRunToTheEndOfTheirFieldAndStayInsideTheFile)
{
    const std::string longTip(10000, 'x');
    ASSERT_TRUE(WriteBytes(path_, "s\r\n1\ta\tb\t0\t" + longTip + "\r\n2\ta\tb\t0\tend"));
    CTreeData data;
    ASSERT_TRUE(data.LoadFromFile(path_));
    ASSERT_EQ(data.GetSize(), 2);
    EXPECT_EQ(std::string(data.GetTip(0)), longTip);
    EXPECT_STREQ(data.GetTip(1), "end");  // the end of the file ends the tip

    // Offsets that do not point into the file give nothing.
    data.GetAt(0)->nTipOffset = 1 << 30;
    EXPECT_STREQ(data.GetTip(0), "");
    data.GetAt(0)->nTipOffset = -5;
    EXPECT_STREQ(data.GetTip(0), "");
}

TEST_F(TreeDataFile, TipsSurviveALoadAndSaveRoundTrip)
{
    CTreeData data;
    data.AddItem("1", "One", "", "tip one", 0, 0, "", 0);
    data.AddItem("2", "Two", "", "tip two", 0, 0, "", 0);
    // A text longer than the save writes at a time, and tips spread over more of the file than
    // it reads at a time.
    const std::string longText(300000, 'x');
    data.AddItem("3", longText.c_str(), "", "", 0, 0, "", 0);
    for (int i = 0; i < 3000; ++i)
        data.AddItem(("4" + std::to_string(1000 + i)).c_str(), "Many", "", ("tip " + std::to_string(i)).c_str(), 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(path_, "S"));

    CTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    loaded.AddItem("0", "Zero", "", "", 0, 0, "", 0);  // moves every later line in the file
    ASSERT_TRUE(loaded.SaveToFile(path_, "S2"));
    ASSERT_EQ(loaded.Search("2"), 2);
    EXPECT_STREQ(loaded.GetTip(1), "tip one");
    EXPECT_STREQ(loaded.GetTip(2), "tip two");

    CTreeData again;
    ASSERT_TRUE(again.LoadFromFile(path_));
    ASSERT_EQ(again.GetSize(), 3004);
    EXPECT_STREQ(again.GetTip(1), "tip one");
    EXPECT_STREQ(again.GetTip(2), "tip two");
    EXPECT_EQ(std::string(again.GetText(3)), longText);
    EXPECT_STREQ(again.GetTip(3003), "tip 2999");
    ASSERT_TRUE(again.SaveToFile(path_, "S3"));
    EXPECT_STREQ(again.GetTip(3003), "tip 2999");
}

// A large collection is put together on two threads, in runs of records written in turn: every
// line lands in code order whichever thread made it, whatever order the records were added in,
// and a text longer than the save writes at a time comes out whole.
TEST_F(TreeDataFile, ManyRecordsAddedInAnyOrderAreWrittenInCodeOrder)
{
    std::vector<int> order(30000);
    for (int i = 0; i < (int)order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    CTreeData data;
    std::vector<std::string> lines(order.size());
    for (int i : order) {
        const std::string code = std::to_string(100000 + i);
        const std::string text = i == 12345 ? std::string(300000, 'x') : "text" + std::string(i % 50, (char)('a' + i % 26));
        const std::string tip = i % 3 ? "tip " + std::to_string(i) : "";
        const int seq = i % 7 ? i : -i;
        data.AddItem(code.c_str(), text.c_str(), "d", tip.c_str(), 0, 0, "f.lla", seq);
        lines[i] = code + "\t" + text + "\td\t0\t" + tip + "\tf.lla\t" + std::to_string(seq) + "\r\n";
    }
    const std::string stamp(5000, 's');
    std::string expected = stamp + "\r\n";
    for (const std::string& line : lines)
        expected += line;
    expected += '\0';

    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(data.SaveToFile(path_, stamp.c_str()));
        const std::string text = Unscramble(ReadBytes(path_));
        ASSERT_EQ(text.size(), expected.size());
        const size_t at = std::mismatch(text.begin(), text.end(), expected.begin()).first - text.begin();
        ASSERT_EQ(at, text.size()) << "first wrong byte in line " << std::count(text.begin(), text.begin() + at, '\n');
    }
}

// Tips of loaded records stay in their file until a save copies them. A save from a file that was
// deleted, shrunk or overwritten since the load fails rather than write lost or wrong tips; one
// that needs no tip from the file does not care.
TEST_F(TreeDataFile, ASaveNeedsTheTipsSourceUnchanged)
{
    const std::string src = file_, out = dir_.File("out.dat");
    CTreeData data;
    data.AddItem("1", "One", "", "tip one", 0, 0, "", 0);
    data.AddItem("2", "Two", "", "tip two", 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(src.c_str(), "S"));
    const std::string original = ReadBytes(src);
    CTreeData other;
    other.AddItem("1", "One", "", "TIP ONE", 0, 0, "", 0);
    other.AddItem("2", "Two", "", "TIP TWO", 0, 0, "", 0);

    enum Change { kNone, kDeleted, kShrunk, kOverwritten };
    for (Change change : {kNone, kDeleted, kShrunk, kOverwritten}) {
        SCOPED_TRACE(change);
        ASSERT_TRUE(WriteBytes(src, original));
        ::DeleteFileA(out.c_str());
        CTreeData loaded;
        ASSERT_TRUE(loaded.LoadFromFile(src.c_str()));
        if (change == kDeleted)
            ::DeleteFileA(src.c_str());
        if (change == kShrunk)
            WriteBytes(src, original.substr(0, original.size() / 2));
        if (change == kOverwritten) {
            ASSERT_TRUE(other.SaveToFile(src.c_str(), "S"));
        }
        EXPECT_EQ(loaded.SaveToFile(out.c_str(), "T") != FALSE, change == kNone);
        CTreeData saved;
        EXPECT_EQ(saved.LoadFromFile(out.c_str()) != FALSE, change == kNone);
        EXPECT_STREQ(saved.GetTip(1), change == kNone ? "tip two" : "");
    }

    CTreeData tipless;
    tipless.AddItem("1", "One", "", "", 0, 0, "", 0);
    ASSERT_TRUE(tipless.SaveToFile(src.c_str(), "S"));
    CTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(src.c_str()));
    ::DeleteFileA(src.c_str());
    EXPECT_TRUE(loaded.SaveToFile(out.c_str(), "T"));
}

TEST_F(TreeDataFile, FailedSavesLeaveEveryFileAsItWas)
{
    CTreeData data;
    data.AddItem("1", "One", "", "tip", 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(path_, "old"));
    const std::string before = ReadBytes(path_);

    // A write failing half-way, over the file and to a new one.
    CFailingTreeData failing;
    for (int i = 0; i < 200; ++i)
        failing.AddItem(std::to_string(i).c_str(), "a much longer text than before", "", "", 0, 0, "", 0);
    EXPECT_FALSE(failing.SaveToFile(path_, "new"));
    EXPECT_FALSE(failing.SaveToFile(dir_.File("fresh.dat").c_str(), "new"));
    EXPECT_EQ(ReadBytes(path_), before);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{ "data.dat" });

    // Enough records to be put together on two threads, failing at the first run, part-way
    // through, and at the last; after each, the collection still saves.
    CFailingTreeData many;
    for (int i = 0; i < 40000; ++i)
        many.AddItem(std::to_string(100000 + i).c_str(), "a much longer text than before", "", "", 0, 0, "", 0);
    for (int good : { 1, 6, 20 }) {
        many.good = good;
        EXPECT_FALSE(many.SaveToFile(path_, "new")) << good;
        EXPECT_EQ(ReadBytes(path_), before);
        EXPECT_EQ(dir_.Names(), std::vector<std::string>{ "data.dat" });
    }
    many.good = 1 << 30;
    ASSERT_TRUE(many.SaveToFile(dir_.File("many.dat").c_str(), "new"));
    CTreeData manyLoaded;
    ASSERT_TRUE(manyLoaded.LoadFromFile(dir_.File("many.dat").c_str()));
    EXPECT_EQ(manyLoaded.GetSize(), 40000);
    ASSERT_TRUE(::DeleteFileA(dir_.File("many.dat").c_str()));

    // Targets that cannot be written: a read-only file, one held open by a writer that shares
    // reading only, a missing folder, a folder, and no name.
    const std::string readOnly = dir_.File("readonly.dat"), held = dir_.File("held.dat");
    ASSERT_TRUE(WriteBytes(readOnly, "original"));
    ASSERT_TRUE(::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(WriteBytes(held, "held"));
    HANDLE h = ::CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    for (const std::string& target : { readOnly, held, dir_.File("no such folder\\x.dat"), dir_.Path(), std::string() })
        EXPECT_FALSE(data.SaveToFile(target.c_str(), "S")) << target;
    EXPECT_FALSE(data.SaveToFile(nullptr, "S"));
    ::CloseHandle(h);
    EXPECT_EQ(ReadBytes(readOnly), "original");
    EXPECT_EQ(ReadBytes(held), "held");
    EXPECT_EQ(dir_.Names(), (std::vector<std::string>{ "data.dat", "held.dat", "readonly.dat" }));

    // The same collection saves fine elsewhere, and replaces a writable file.
    EXPECT_TRUE(data.SaveToFile(held.c_str(), "S"));
    EXPECT_EQ(Unscramble(ReadBytes(held)).substr(0, 3), "S\r\n");
}

// A collection saved over the file its tips are read from points its records at the tips' new
// places as it writes them; a write failing part-way through, several buffers in, puts every
// record back.
TEST_F(TreeDataFile, AFailedSaveOverItsOwnFileKeepsTheTipsWhereTheyWere)
{
    CTreeData data;
    for (int i = 0; i < 40000; ++i)
        data.AddItem(std::to_string(100000 + i).c_str(), "a text", "", ("tip " + std::to_string(i)).c_str(), 0, 0, "", 0);
    ASSERT_TRUE(data.SaveToFile(path_, "S"));
    const std::string before = ReadBytes(path_);

    CFailingTreeData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path_));
    loaded.AddItem("0", "Zero", "", "", 0, 0, "", 0);  // moves every later line in the file
    loaded.good = 4;
    EXPECT_FALSE(loaded.SaveToFile(path_, "S2"));
    EXPECT_EQ(ReadBytes(path_), before);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{ "data.dat" });
    for (int i : { 1, 2, 20000, 40000 })
        EXPECT_EQ(std::string(loaded.GetTip(i)), "tip " + std::to_string(i - 1));

    loaded.good = 1 << 30;
    ASSERT_TRUE(loaded.SaveToFile(path_, "S3"));
    EXPECT_STREQ(loaded.GetTip(40000), "tip 39999");
}

// The child of the test below: loads the library that saves while it is loaded.
TEST(TreeDataSaveUnderLoaderLockChild, LoadTheSavingLibrary)
{
    if (::GetEnvironmentVariableA("LUMO_SAVE_IN_DLLMAIN", nullptr, 0) == 0)
        GTEST_SKIP() << "run by SavesWhileTheLoaderLockIsHeld";
    HMODULE h = ::LoadLibraryA((lumotest::ModuleDir() + "\\treedata_dllmain_save.dll").c_str());
    ASSERT_NE(h, nullptr);
    ::FreeLibrary(h);
}

// In a new process, where the thread pool has no thread yet.
TEST_F(TreeDataFile, SavesWhileTheLoaderLockIsHeld)
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string output;
    DWORD code = 1;
    ::SetEnvironmentVariableA("LUMO_SAVE_IN_DLLMAIN", path_);
    const bool ended = lumotest::RunProcess("\"" + std::string(exe) + "\" --gtest_filter=TreeDataSaveUnderLoaderLockChild.*",
                                            &output, &code, 60000);
    ::SetEnvironmentVariableA("LUMO_SAVE_IN_DLLMAIN", nullptr);
    ASSERT_TRUE(ended) << "the save hung";
    EXPECT_EQ(code, 0u) << output;
    CTreeData saved;
    ASSERT_TRUE(saved.LoadFromFile(path_));
    EXPECT_EQ(saved.GetSize(), 40000);
    EXPECT_STREQ(saved.GetTimeStamp(), "dllmain");
    EXPECT_STREQ(saved.GetID(39999), "139999");
}

namespace {

// Lines of every shape: dense ones without tips, padded fields, a text far longer than the
// rest, and lines cut short; each record's Fields go to expected.
std::string LifetimeFile(const char* stamp, const std::string& tag, int count, std::vector<std::string>& expected)
{
    std::string body = std::string(stamp) + "\r\n";
    expected.clear();
    for (int i = 0; i < count; ++i) {
        char code[16];
        wsprintfA(code, "%04d", i);
        const std::string text = tag + code + (i == 7 ? std::string(6000, 'L') : ""), seq = std::to_string(i);
        if (i % 3 == 0) {
            body += code + ("\t" + text) + "\t\t0\t\tx\t" + seq + "\r\n";
            expected.push_back(code + ("|" + text) + "||0||x|" + seq);
        } else if (i % 3 == 1) {
            body += "  " + (code + (" \t " + text)) + "\t d" + code + " \t1\ttip " + code + "\t lla \t" + seq + "\r\n";
            expected.push_back(code + ("|" + text) + "|d" + code + "|1|tip " + code + "| lla |" + seq);
        } else {
            body += code + ("\t" + text) + "\r\n";
            expected.push_back(code + ("|" + text) + "||0|||0");
        }
    }
    return Scramble(body + std::string(1, '\0'));
}

}  // namespace

TEST_F(TreeDataFile, LoadedTextsLiveAsLongAsTheirRecords)
{
    const std::string first = file_, second = dir_.File("second.dat");
    std::vector<std::string> firstFields, secondFields;
    ASSERT_TRUE(WriteBytes(first, LifetimeFile("one", "First ", 400, firstFields)));
    ASSERT_TRUE(WriteBytes(second, LifetimeFile("two", "Second ", 50, secondFields)));

    CString kept;
    CString keptLong;
    {
        CTreeData data;
        ASSERT_TRUE(data.LoadFromFile(path_));
        ASSERT_EQ(data.GetSize(), 400);
        for (int i = 0; i < 400; ++i)
            EXPECT_EQ(Fields(data, i), firstFields[i]);

        // Saving again writes the bytes that were loaded.
        const std::string resaved = dir_.File("resaved.dat");
        ASSERT_TRUE(data.SaveToFile(resaved.c_str(), "one"));
        CTreeData again;
        ASSERT_TRUE(again.LoadFromFile(resaved.c_str()));
        ASSERT_TRUE(again.SaveToFile(dir_.File("resaved2.dat").c_str(), "one"));
        EXPECT_EQ(ReadBytes(resaved), ReadBytes(dir_.File("resaved2.dat")));

        // Records added and removed later leave the loaded ones whole.
        data.AddItem("9999", "Added", "", "", 0, 0, "", 0);
        data.DeleteItems("01");
        data.DeleteItems("9999");
        ASSERT_EQ(data.GetSize(), 300);
        for (int i = 0; i < 300; ++i)
            EXPECT_EQ(Fields(data, i), firstFields[i < 100 ? i : i + 100]);

        // Edits of a loaded text touch no neighbour: a longer text moves out, a shorter one
        // stays where it is.
        data.GetAt(1)->strText += " and more text than the file held";
        data.GetAt(2)->strCode.TrimRight('2');
        EXPECT_STREQ(data.GetText(1), "First 0001 and more text than the file held");
        EXPECT_STREQ(data.GetID(2), "000");
        EXPECT_EQ(Fields(data, 0), firstFields[0]);
        EXPECT_EQ(Fields(data, 3), firstFields[3]);

        kept = data.GetAt(4)->strText;
        keptLong = data.GetAt(7)->strText;

        // A second load replaces the records and the text they lay in.
        ASSERT_TRUE(data.LoadFromFile(second.c_str()));
        ASSERT_EQ(data.GetSize(), 50);
        EXPECT_STREQ(data.GetTimeStamp(), "two");
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(Fields(data, i), secondFields[i]);
        data.Empty();
        EXPECT_EQ(data.GetSize(), 0);
        EXPECT_STREQ(data.GetTimeStamp(), "two");
    }
    // Strings copied out of records outlive the collection.
    EXPECT_STREQ(kept, "First 0004");
    EXPECT_EQ(std::string(keptLong), "First 0007" + std::string(6000, 'L'));
    EXPECT_EQ(keptLong.GetLength(), 6010);
}
