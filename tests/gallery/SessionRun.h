// Running a gallery host's scripted session as a separate process and reading what it leaves:
// its standard output, line by line, and its screenshots.
#pragma once

#include "LumoTest.h"

#include <filesystem>

namespace gallerytest {

using lumotest::Lines;
using lumotest::RunProcess;

// A COLORREF as the screenshots store it.
inline uint32_t Rgb(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A screenshot: 0xRRGGBB words, top row first.
struct Shot {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    uint32_t At(int x, int y) const {
        return (x >= 0 && y >= 0 && x < w && y < h) ? px[size_t(y) * w + x] & 0xFFFFFF : 0xDEAD;
    }
};

// One scripted session of the host program `host` (built beside the tests), run into a folder
// of its own, and the screenshots it was to write there (the folder is removed once they are read).
struct Session {
    std::string out = lumotest::TempPath("shots"), output;
    DWORD exitCode = 1;
    std::vector<Shot> shots;
    bool complete = false;  // the session ended in time and every screenshot was read

    Session(const char* host, DWORD timeoutMs, std::vector<std::string> names = {}) : shots(names.size()) {
        CreateDirectoryA(out.c_str(), nullptr);
        const std::string cmd = "\"" + lumotest::ModuleDir() + "\\" + host + ".exe\" --script \"" + out + "\"";
        complete = RunProcess(cmd, &output, &exitCode, timeoutMs);
        for (size_t i = 0; i < names.size(); ++i)
            complete &= lumotest::ReadStoredPng(out + "\\" + names[i], &shots[i].w, &shots[i].h, &shots[i].px);
        std::error_code ignored;
        std::filesystem::remove_all(out, ignored);
    }
};

// A fixture for the tests of one session (a Session made by its default constructor), run once
// for all of them; SetUp stops a test when the session did not run to the end.
template <class OneSession>
class SessionTest : public ::testing::Test {
protected:
    static const OneSession& Get() {
        static const OneSession session;
        return session;
    }
    void SetUp() override { ASSERT_TRUE(s.complete) << s.output; }
    const OneSession& s = Get();
};

// The session ended with exit code 0 and printed at least `atLeast` check lines, all passed.
inline void ExpectChecksPassed(const Session& s, size_t atLeast) {
    EXPECT_EQ(s.exitCode, 0u) << s.output;
    const std::vector<std::string> checks = Lines(s.output, "check: ");
    EXPECT_GE(checks.size(), atLeast) << s.output;
    for (const std::string& c : checks) EXPECT_EQ(c.substr(c.size() < 4 ? 0 : c.size() - 4), ": ok") << c;
}

}  // namespace gallerytest
