// Helpers shared by every test program: host windows, message pumping, message recording,
// pixel capture, GDI object and window counts, message box interception and modal loop drivers.
// Everything here is plain Win32 so that a fault in the framework layer cannot hide behind it.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PngFile.h"

namespace lumotest {

// Screenshots are written and read back with the gallery's PNG code.
using namespace lumopng;

// Owners of windows, hooks and GDI objects: a copy would free them twice.
struct NoCopy {
    NoCopy() = default;
    NoCopy(const NoCopy&) = delete;
    NoCopy& operator=(const NoCopy&) = delete;
};

// ---------------------------------------------------------------------------------------------
// Host windows
// ---------------------------------------------------------------------------------------------

// Creates a host window whose client area is w x h, painted pure white (not a system colour).
// A top-level host sits at (50,50) on the screen and a child host at (0,0) in its parent, so
// pixel positions are the same in every run. style 0 picks WS_OVERLAPPEDWINDOW |
// WS_CLIPCHILDREN (top-level) or WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS (child).
// Returns null on failure.
HWND CreateHostWindow(int w = 400, int h = 300, bool visible = true, HWND parent = nullptr, DWORD style = 0);

// Destroys every host window still alive; returns how many there were.
int DestroyAllHostWindows();

// Lets a test answer messages a host receives (a notification the control expects a reply
// to, say). Return true and set *result to answer; false leaves the message to the default.
// An empty function removes the handler. The handler goes away with the window.
using HostHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
void SetHostHandler(HWND host, HostHandler handler);

// A host window destroyed when the object goes out of scope.
class HostWindow : NoCopy {
public:
    explicit HostWindow(int w = 400, int h = 300, bool visible = true, HWND parent = nullptr, DWORD style = 0)
        : hwnd_(CreateHostWindow(w, h, visible, parent, style)) {}
    ~HostWindow() { if (IsWindow(hwnd_)) DestroyWindow(hwnd_); }
    HWND Hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

private:
    HWND hwnd_;
};

// ---------------------------------------------------------------------------------------------
// Pumping
// ---------------------------------------------------------------------------------------------

// Dispatches messages until cond() holds or timeoutMs passes; returns whether cond() held.
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000);

// Dispatches what is queued now (including paints and expired timers), then returns.
void PumpPending();

// Moves the real pointer to the screen's bottom-right corner, away from the windows under test,
// and dispatches what the move brought.
void ParkCursor();

// ---------------------------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------------------------

// Marks a field of an expected message that matches anything.
struct AnyT {};
constexpr AnyT Any{};

// One parameter of an expected message: a value or Any.
struct Param {
    bool any = true;
    LONG_PTR value = 0;

    Param(AnyT) {}
    // An integer, an enumerator, a handle, a pointer or nullptr.
    template <class T>
    Param(T v) : any(false), value((LONG_PTR)v) {}
};

// A message as a window received it, or as a test expects it. For WM_NOTIFY the recorder also
// keeps the NMHDR code and idFrom (lParam points to memory that is gone when the test looks).
struct RecordedMsg {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int notifyCode = 0;
    UINT_PTR notifyId = 0;
    // Which fields an expected message compares; a recorded message compares them all.
    bool matchHwnd = false, matchWParam = true, matchLParam = true;
    bool matchNotify = false, matchNotifyId = false;

    // Expected message: hwnd null matches any window.
    RecordedMsg(UINT m, Param w = Any, Param l = Any, HWND h = nullptr)
        : hwnd(h), msg(m), wParam(static_cast<WPARAM>(w.value)), lParam(l.value),
          matchHwnd(h != nullptr), matchWParam(!w.any), matchLParam(!l.any) {}
};

// Expected WM_NOTIFY with the given code (and optionally the NMHDR idFrom and the receiving
// window). wParam is not compared: senders are free to put another value there.
RecordedMsg Notify(int code, Param idFrom = Any, HWND hwnd = nullptr);

// True if actual satisfies expected (expected's wildcards apply).
bool Matches(const RecordedMsg& expected, const RecordedMsg& actual);

// Readable name: "WM_NOTIFY", "WM_USER+3", "WM_APP+1", a registered message's name, or hex.
std::string MessageName(UINT msg);

// Compares sequences element by element; on failure names the first difference and prints both.
::testing::AssertionResult SequenceIs(const std::vector<RecordedMsg>& actual, const std::vector<RecordedMsg>& expected);

// Records messages arriving at one window. A host window feeds its recorders directly; any
// other window of this thread is subclassed for the lifetime of the recorder and its procedure
// restored afterwards (unless someone subclassed it after us). Windows of other threads cannot
// be watched: Ok() is false. The default filter keeps messages >= WM_USER (WM_APP and
// registered messages included), WM_NOTIFY and WM_COMMAND.
class MessageRecorder : NoCopy {
public:
    using Filter = std::function<bool(HWND, UINT, WPARAM, LPARAM)>;

    explicit MessageRecorder(HWND hwnd, Filter filter = nullptr);
    MessageRecorder(HWND hwnd, std::vector<UINT> messages);
    ~MessageRecorder();

    void Clear() { messages_.clear(); }
    const std::vector<RecordedMsg>& Messages() const { return messages_; }
    int Count(UINT msg) const;
    int Count() const { return static_cast<int>(messages_.size()); }
    bool Ok() const { return ok_; }

    // Called by the host and subclass procedures; not for tests.
    void Offer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND Target() const { return hwnd_; }

private:
    HWND hwnd_;
    Filter filter_;
    std::vector<RecordedMsg> messages_;
    bool subclassed_ = false, ok_ = false;
};

// ---------------------------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------------------------

// PrintClient: WM_PRINTCLIENT into a memory DC, the client area as the window paints it.
// ScreenClient: BitBlt from the screen DC, the client area as it is on the display.
enum class CaptureMode { PrintClient, ScreenClient };

// Pixels as 0x00RRGGBB, row after row, read as COLORREFs (CLR_INVALID outside the image).
class PixelImage {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;
    // Pixels of exactly this colour inside rc (clipped to the image), or in the whole image.
    int CountColor(COLORREF color, const RECT& rc) const;
    int CountColor(COLORREF color) const { return CountColor(color, {0, 0, width_, height_}); }
    // Where the pixels are now (after GdiFlush where GDI draws into them).
    virtual const uint32_t* Data() const = 0;

protected:
    ~PixelImage() = default;
    int width_ = 0, height_ = 0;
};

// A window's client-area pixels, copied. A failed capture has Width() == 0.
class WindowCapture : public PixelImage {
public:
    explicit WindowCapture(HWND hwnd, CaptureMode mode = CaptureMode::PrintClient);
    bool Ok() const { return width_ > 0; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

    const uint32_t* Data() const override { return pixels_.data(); }

private:
    std::vector<uint32_t> pixels_;
};

// A memory DC with a w x h 32-bit DIB section selected, filled with one colour, for calling
// paint routines directly.
class MemoryCanvas : public PixelImage, NoCopy {
public:
    MemoryCanvas(int w, int h, COLORREF fill = RGB(255, 255, 255));
    ~MemoryCanvas();

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    void Fill(COLORREF color);
    const uint32_t* Data() const override;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// A size x size icon of one colour, every pixel opaque. The caller destroys it.
HICON SolidIcon(COLORREF colour, int size = 16);

// ---------------------------------------------------------------------------------------------
// Counts
// ---------------------------------------------------------------------------------------------

// Live GDI objects of this process (stock objects included), read from the GDI handle table
// because GetGuiResources is not implemented here. -1 if the table cannot be found.
// Regions can be left out: the system makes and frees some of its own (update regions of
// windows) a little later than the painting or destruction they come from.
int CountGdiObjects(bool regions = true);

// Windows of the calling thread: top-level, message-only and all their descendants, minus the
// input-method and COM apartment windows the system creates on its own. Compare counts
// (WindowBalance), never absolute values.
int CountThreadWindows();

// What one run of body leaves behind: live GDI objects and windows of this thread. body runs
// twice and the second run is counted, so what the platform caches on first use (fonts, device
// contexts, classes) is not taken for a leak; pending messages are dispatched after each run.
// Compare with Leaks{} (nothing left).
struct Leaks {
    int gdi = 0, windows = 0;
    bool operator==(const Leaks& o) const { return gdi == o.gdi && windows == o.windows; }
    friend std::ostream& operator<<(std::ostream& os, const Leaks& l) {
        return os << l.gdi << " GDI objects, " << l.windows << " windows";
    }
};
Leaks LeaksOf(const std::function<void()>& body);

// How many cycles a soak loop runs: `suite` in the test suite, a few hundred at most, enough for a
// per-cycle leak to show; `soak` when LUMO_SOAK is set (bench/soak.sh runs the suite so).
int SoakCycles(int suite, int soak);

// Records the count at construction; Delta() is the change since.
struct GdiBalance {
    explicit GdiBalance(bool countRegions = true) : regions(countRegions), start(CountGdiObjects(regions)) {}
    int Delta() const { return CountGdiObjects(regions) - start; }
    int Start() const { return start; }
    bool regions;
    int start;
};

struct WindowBalance {
    int start = CountThreadWindows();
    int Delta() const { return CountThreadWindows() - start; }
};

// ---------------------------------------------------------------------------------------------
// Message boxes and modal loops
// ---------------------------------------------------------------------------------------------

// While alive, every dialog of class #32770 activated on this thread is read (caption and
// message text) and closed by pressing its default button, so a message box can never block a
// test. Catchers nest; the newest one does the catching.
class MessageBoxCatcher : NoCopy {
public:
    struct Caught {
        std::string caption, text;
    };

    MessageBoxCatcher();
    ~MessageBoxCatcher();

    const std::vector<Caught>& Boxes() const { return caught_; }
    int Count() const { return static_cast<int>(caught_.size()); }

    // Called by the hook; not for tests.
    void Catch(HWND dialog);

private:
    MessageBoxCatcher* previous_;  // the outermost catcher, with none before it, owns the hook
    std::vector<Caught> caught_;
};

// Runs callbacks from thread timers, which every modal loop (menu tracking, message boxes,
// capture loops) dispatches, so a test can end or steer a loop it has to enter itself.
// Pending callbacks are cancelled when the driver is destroyed.
class ModalDriver : NoCopy {
public:
    ~ModalDriver();

    // Runs fn once, ms milliseconds from now (as the loop dispatches timers).
    void After(DWORD ms, std::function<void()> fn);
};

// Posts a key press (down + up) with a plausible lParam.
void PostKey(HWND hwnd, UINT vk);

// ---------------------------------------------------------------------------------------------
// Files and processes
// ---------------------------------------------------------------------------------------------

// A path in the temporary folder no other call of this process returns (name is kept as the
// suffix so a file's type is visible). The file is not created.
std::string TempPath(const char* name);

// Folder of the running executable, without a trailing separator.
std::string ModuleDir();

// Runs a command line (in dir, when given) and collects its standard output and error; false
// when it cannot start or does not end within the time-out (it is then ended, exit code 99).
bool RunProcess(const std::string& commandLine, std::string* output, DWORD* exitCode,
                DWORD timeoutMs, const char* dir = nullptr);

// The lines of text that begin with prefix, without it.
std::vector<std::string> Lines(const std::string& text, const char* prefix);

}  // namespace lumotest
