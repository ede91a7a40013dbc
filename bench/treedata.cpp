// Tree data at scale: loading, saving, level building and menu generation of 100,000 records
// (a tree of distinct codes, a flat list, and codes that repeat and nest hundreds of levels
// deep), each measured beside the plain work it cannot avoid, in the same run.
#include <windows.h>
#include <psapi.h>
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "CTreeData.h"
#include "LumoSys.h"

namespace {

const int kRecords = 100000;
const int kMenuRecords = 10000;
const int kRepeats = 5;
// Saves end in a flush to the disk, whose time varies more than anything else here; on a
// shared machine it takes this many tries for both sides to find a quiet moment.
const int kSaveRepeats = 50;
// A load's time is mostly the first touch of new memory, which another tenant of a shared
// machine slows down for seconds at a time: a cheap row, so it takes many tries too.
const int kLoadRepeats = 25;
// A menu try makes some two hundred menus, whose time swings with the rest of the machine.
const int kMenuRepeats = 40;

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

struct Rec {
    std::string code;
    std::string text;
};

// A tree up to 8 levels deep: two-digit segments, between 1 and 9 children per node, visited
// depth first until there are enough records; then shuffled, as a host adds them.
std::vector<Rec> DeepData(int count, std::mt19937& rng)
{
    std::vector<Rec> out;
    std::vector<std::string> stack{ "" };
    std::vector<std::string> next;
    while ((int)out.size() < count && !stack.empty()) {
        std::string parent = stack.back();
        stack.pop_back();
        int depth = (int)parent.size() / 2;
        int children = depth == 0 ? 40 : 1 + (int)(rng() % 9);
        for (int c = 0; c < children && (int)out.size() < count; ++c) {
            char seg[3];
            wsprintfA(seg, "%02d", 10 + c);
            std::string code = parent + seg;
            out.push_back({ code, "Item " + code });
            if (depth + 1 < 8)
                stack.push_back(code);
        }
    }
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

std::vector<Rec> FlatData(int count, std::mt19937& rng)
{
    std::vector<Rec> out;
    for (int i = 0; i < count; ++i)
        out.push_back({ std::to_string(100000 + i), "Entry " + std::to_string(i) });
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

// Codes that repeat, as a host's data may: 20 top codes of two digits with 20 children each, every
// code added some 240 times. Of two equal codes the later is the child of the earlier, so each
// code's records form a chain and its children's chains hang below the last of them: the records
// nest some 480 levels deep. Shuffled, as a host adds them.
std::vector<Rec> RepeatedData(int count, std::mt19937& rng)
{
    std::vector<std::string> codes;
    for (int a = 0; a < 20; ++a)
    {
        const std::string top = std::to_string(10 + a);
        codes.push_back(top);
        for (int b = 0; b < 20; ++b)
            codes.push_back(top + std::to_string(10 + b));
    }
    std::vector<Rec> out;
    for (int i = 0; i < count; ++i)
    {
        const std::string& code = codes[rng() % codes.size()];
        out.push_back({ code, "Item " + code + " #" + std::to_string(i) });
    }
    std::shuffle(out.begin(), out.end(), rng);
    return out;
}

void Fill(CTreeData& data, const std::vector<Rec>& recs)
{
    for (const Rec& r : recs)
        data.AddItem(r.code.c_str(), r.text.c_str(), "detail", "a tip for the record", 0, 0, "host.lla", 7);
}

int ComparePointers(const void* a, const void* b)
{
    const treedatas* r1 = *(const treedatas* const*)a;
    const treedatas* r2 = *(const treedatas* const*)b;
    return _mbscmp((const unsigned char*)(LPCTSTR)r1->strCode, (const unsigned char*)(LPCTSTR)r2->strCode);
}

// Unscrambles sixteen bytes at a time (eight without SSE2), as the loader does, so that the
// baseline is the plain work done as well as it can be done.
void Unscramble(char* p, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi8((char)0xB6);
    for (; i + 16 <= n; i += 16)
        _mm_storeu_si128((__m128i*)(p + i), _mm_xor_si128(_mm_loadu_si128((const __m128i*)(p + i)), mask));
#else
    const unsigned long long mask = 0xB6B6B6B6B6B6B6B6ULL;
    for (; i + 8 <= n; i += 8) {
        unsigned long long v;
        memcpy(&v, p + i, 8);
        v ^= mask;
        memcpy(p + i, &v, 8);
    }
#endif
    for (; i < n; ++i)
        p[i] ^= (char)0xB6;
}

// Private memory of the process: what the heap has taken from the system and touched. The
// page file figure, since Wine leaves the private usage at 0 (it fills the page file figure with
// the resident private memory; on Windows the two are the same commit charge).
double PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return (double)pmc.PagefileUsage;
}

void Row(const char* what, double ours, double floor, double target)
{
    double ratio = floor > 0 ? ours / floor : 0;
    printf("%-46s %9.2f ms  baseline %9.2f ms  ratio %5.2f  (target <= %.1f)%s\n", what, ours, floor, ratio,
           target, ratio <= target ? "" : "  ABOVE TARGET");
}

void BenchLoad(const char* name, const std::vector<Rec>& recs, const std::string& path)
{
    {
        CTreeData data;
        Fill(data, recs);
        data.SaveToFile(path.c_str(), "bench");
    }
    // How much new memory a loaded collection takes from the system.
    double held = 0;
    {
        const double before = PrivateBytes();
        CTreeData* data = new CTreeData;
        data->LoadFromFile(path.c_str());
        held = PrivateBytes() - before;
        delete data;
    }
    const size_t nTouch = held > 0 ? (size_t)held : 0;

    double best = 1e30, bestFloor = 1e30, bestTouch = 1e30;
    for (int k = 0; k < kLoadRepeats; ++k) {
        double t0 = Now();
        DWORD n = 0;
        char* buf = CPub::File2Mem(path.c_str(), &n);
        Unscramble(buf + 4, n - 4);
        double t1 = Now();
        free(buf);
        bestFloor = std::min(bestFloor, t1 - t0);

        // The platform's share: the first write to each page of new memory, as much of it as
        // the collection holds.
        t0 = Now();
        char* mem = (char*)malloc(nTouch + 1);
        for (size_t i = 0; i < nTouch; i += 4096)
            mem[i] = 1;
        t1 = Now();
        free(mem);
        bestTouch = std::min(bestTouch, t1 - t0);

        CTreeData* data = new CTreeData;
        t0 = Now();
        data->LoadFromFile(path.c_str());
        t1 = Now();
        delete data;
        best = std::min(best, t1 - t0);
    }
    std::string what = std::string("load, ") + name + " (vs read + unscramble)";
    Row(what.c_str(), best, bestFloor, 3.0);
    printf("    platform: first touch of %.1f MB of new memory (what the collection holds) %.2f ms; "
           "read + unscramble + that %.2f ms, ratio %.2f\n",
           held / 1048576, bestTouch, bestFloor + bestTouch, best / (bestFloor + bestTouch));
}

// The floor of a save: the bytes the save writes, scrambled, written to a new file beside the
// old one, flushed, and put in its place, as the save does to keep the old file whole until
// the new one is on the disk.
double WriteFloor(const std::string& text, const std::string& path)
{
    std::vector<char> buf(text.size());
    const std::string temp = path + ".floor";
    double t0 = Now();
    memcpy(buf.data(), text.data(), text.size());
    Unscramble(buf.data() + 4, buf.size() - 4);
    HANDLE h = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD put = 0;
    ::WriteFile(h, buf.data(), (DWORD)buf.size(), &put, NULL);
    ::FlushFileBuffers(h);
    ::CloseHandle(h);
    ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return Now() - t0;
}

// Saving records made one by one in random order (they lie scattered in memory), and saving a
// loaded collection back to its own file (its tips are copied from that file).
void BenchSave(const char* name, const std::vector<Rec>& recs, const std::string& path)
{
    CTreeData added;
    Fill(added, recs);
    added.BuildLevel();  // sorting is not writing: the records are in order before the clock runs
    added.SaveToFile(path.c_str(), "bench");
    CTreeData loaded;
    loaded.LoadFromFile(path.c_str());
    // The same bytes in plain text, from the file just written.
    DWORD n = 0;
    char* file = CPub::File2Mem(path.c_str(), &n);
    std::string text(file, n);
    free(file);
    Unscramble(&text[4], text.size() - 4);

    // Which one runs first alternates, so that neither always finds the disk cache warm.
    for (CTreeData* data : { &added, &loaded }) {
        double best = 1e30, bestFloor = 1e30;
        for (int k = 0; k < kSaveRepeats; ++k) {
            for (int pass = 0; pass < 2; ++pass) {
                if ((pass == 0) == (k % 2 == 0)) {
                    bestFloor = std::min(bestFloor, WriteFloor(text, path));
                    if (data == &loaded)
                        loaded.LoadFromFile(path.c_str());  // the floor replaced the tips' file
                } else {
                    double t0 = Now();
                    if (!data->SaveToFile(path.c_str(), "bench"))
                        printf("save failed\n");
                    best = std::min(best, Now() - t0);
                }
            }
        }
        std::string what = std::string("save, ") + name + (data == &added ? ", added" : ", loaded") +
                           " (vs scramble + write + replace)";
        Row(what.c_str(), best, bestFloor, 1.5);
    }
}

void BenchBuildLevel(const char* name, const std::vector<Rec>& recs)
{
    // Both sorts start from the same order of the same records; which one runs first
    // alternates, so that neither always finds the records warm in the cache.
    double best = 1e30, bestFloor = 1e30;
    for (int k = 0; k < kRepeats; ++k) {
        CTreeData data;
        Fill(data, recs);
        std::vector<treedatas*> copy;
        for (int i = 0; i < data.GetSize(); ++i)
            copy.push_back(data.GetAt(i));
        for (int pass = 0; pass < 2; ++pass) {
            if ((pass == 0) == (k % 2 == 0)) {
                double t0 = Now();
                qsort(copy.data(), copy.size(), sizeof(treedatas*), ComparePointers);
                double t1 = Now();
                bestFloor = std::min(bestFloor, t1 - t0);
            } else {
                double t0 = Now();
                data.BuildLevel();
                double t1 = Now();
                best = std::min(best, t1 - t0);
            }
        }
    }
    std::string what = std::string("BuildLevel, ") + name + " (vs sorting the pointers)";
    Row(what.c_str(), best, bestFloor, 1.5);
}

// The same menus made directly: a list of menus, each with its items, prepared beforehand.
struct PlainItem {
    int kind;  // 0 command, 1 separator, 2 submenu
    UINT id;
    int submenu;
    std::string text;
};

void BenchGenMenu()
{
    CTreeData data;
    // 16 top menus of 12 submenus of 51 commands each, one of them a separator: 16 * (1 + 12 *
    // (1 + 51)) = 10,000 records
    for (int a = 0; a < 16; ++a) {
        std::string ca = std::to_string(10 + a);
        data.AddItem(ca.c_str(), ("&Menu " + ca).c_str(), "", "", 0, 0, "", 0);
        for (int b = 0; b < 12; ++b) {
            std::string cb = ca + std::to_string(10 + b);
            data.AddItem(cb.c_str(), ("Group " + cb).c_str(), "", "", 0, 0, "", 0);
            for (int c = 0; c < 51; ++c) {
                std::string cc = cb + std::to_string(10 + c);
                data.AddItem(cc.c_str(), c == 25 ? "-" : ("Command " + cc).c_str(), "", "", 0, 0, "", 0);
            }
        }
    }
    data.BuildLevel();
    const int count = data.GetSize();

    std::vector<std::vector<PlainItem>> menus(1);
    std::vector<int> openMenu{ 0 };
    for (int i = 0; i < count; ++i) {
        const treedatas* r = data.GetAt(i);
        openMenu.resize(r->nLevel + 1);
        if (data.IsNode(i)) {
            const int parent = openMenu.back();
            menus.emplace_back();
            menus[parent].push_back({ 2, 0, (int)menus.size() - 1, (LPCTSTR)r->strText });
            openMenu.push_back((int)menus.size() - 1);
        } else if (r->strText == "-") {
            menus[openMenu.back()].push_back({ 1, 0, 0, "" });
        } else {
            menus[openMenu.back()].push_back({ 0, (UINT)atoi(r->strCode), 0, (LPCTSTR)r->strText });
        }
    }

    // The same menus made call by call, and by GenMenu; each gives its time.
    auto plain = [&] {
        double t0 = Now();
        std::vector<HMENU> handles(menus.size());
        for (size_t m = 0; m < menus.size(); ++m)
            handles[m] = ::CreateMenu();
        for (size_t m = 0; m < menus.size(); ++m)
            for (const PlainItem& it : menus[m]) {
                if (it.kind == 2)
                    ::AppendMenuA(handles[m], MF_POPUP, (UINT_PTR)handles[it.submenu], it.text.c_str());
                else if (it.kind == 1)
                    ::AppendMenuA(handles[m], MF_SEPARATOR, 0, NULL);
                else
                    ::AppendMenuA(handles[m], MF_STRING, it.id, it.text.c_str());
            }
        double t1 = Now();
        ::DestroyMenu(handles[0]);
        return t1 - t0;
    };
    auto ours = [&] {
        double t0 = Now();
        HMENU bar = data.GenMenu("", 0);
        double t1 = Now();
        if (bar == NULL)
            printf("GenMenu failed\n");
        data.DestroyMenus();
        return t1 - t0;
    };
    // Which one runs first alternates, so that neither always finds the heap as the other left it.
    double best = 1e30, bestFloor = 1e30;
    for (int k = 0; k < kMenuRepeats; ++k) {
        for (int pass = 0; pass < 2; ++pass) {
            if ((pass == 0) == (k % 2 == 0))
                bestFloor = std::min(bestFloor, plain());
            else
                best = std::min(best, ours());
        }
    }
    char what[80];
    wsprintfA(what, "GenMenu, %d records (vs CreateMenu/AppendMenu)", count);
    Row(what, best, bestFloor, 1.5);
}

// Run in a fresh process so that nothing else has touched the heap. What the collection holds
// is the growth of the private memory (see PrivateBytes); the peak is the growth of the working set's high-water
// mark, which both Windows and Wine keep (Wine reports the current private memory as its
// peak, so that counter cannot show the file buffer freed at the end of the load).
int MeasureMemory(const char* path)
{
    PROCESS_MEMORY_COUNTERS_EX before = {}, after = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&before, sizeof(before));
    CTreeData* data = new CTreeData;
    data->LoadFromFile(path);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&after, sizeof(after));
    WIN32_FILE_ATTRIBUTE_DATA fad = {};
    ::GetFileAttributesExA(path, GetFileExInfoStandard, &fad);
    double file = (double)fad.nFileSizeLow;
    double held = (double)after.PagefileUsage - (double)before.PagefileUsage;
    double peak = (double)after.PeakWorkingSetSize - (double)before.WorkingSetSize;
    printf("memory, %d records: file %.1f MB, collection %.1f MB (%.2f x file), peak while loading %.1f MB "
           "(%.2f x file)%s\n",
           data->GetSize(), file / 1048576, held / 1048576, held / file, peak / 1048576, peak / file,
           after.PeakWorkingSetSize > before.PeakWorkingSetSize ? "" : " (not above the start-up peak)");
    delete data;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--memory") == 0)
        return MeasureMemory(argv[2]);

    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    const std::string deepPath = std::string(tmp) + "lumo_bench_deep.dat";
    const std::string flatPath = std::string(tmp) + "lumo_bench_flat.dat";
    const std::string repeatedPath = std::string(tmp) + "lumo_bench_repeated.dat";
    std::mt19937 rng(42);
    const std::vector<Rec> deep = DeepData(kRecords, rng);
    const std::vector<Rec> flat = FlatData(kRecords, rng);
    const std::vector<Rec> repeated = RepeatedData(kRecords, rng);
    {
        CTreeData data;
        Fill(data, repeated);
        data.BuildLevel();
        int deepest = 0;
        for (int i = 0; i < data.GetSize(); ++i)
            deepest = std::max(deepest, data.GetLevel(i));
        printf("repeated codes: %d records nest %d levels deep\n", data.GetSize(), deepest + 1);
    }
    printf("tree data, %d records; best of %d runs\n", kRecords, kRepeats);

    BenchLoad("deep", deep, deepPath);
    BenchLoad("flat", flat, flatPath);
    BenchLoad("repeated codes", repeated, repeatedPath);
    BenchSave("deep", deep, deepPath);
    BenchSave("flat", flat, flatPath);
    BenchSave("repeated codes", repeated, repeatedPath);
    BenchBuildLevel("deep", deep);
    BenchBuildLevel("flat", flat);
    BenchBuildLevel("repeated codes", repeated);
    BenchGenMenu();

    char exe[MAX_PATH];
    ::GetModuleFileNameA(NULL, exe, MAX_PATH);
    for (const std::string& path : { deepPath, flatPath }) {
        std::string cmd = std::string("\"") + exe + "\" --memory \"" + path + "\"";
        STARTUPINFOA si = { sizeof(si) };
        PROCESS_INFORMATION pi = {};
        if (::CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            ::WaitForSingleObject(pi.hProcess, INFINITE);
            ::CloseHandle(pi.hThread);
            ::CloseHandle(pi.hProcess);
        }
    }
    ::DeleteFileA(deepPath.c_str());
    ::DeleteFileA(flatPath.c_str());
    ::DeleteFileA(repeatedPath.c_str());
    return 0;
}
