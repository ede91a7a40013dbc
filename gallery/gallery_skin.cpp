// The gallery's skinned main window and the caption-button steps of its scripted session.
#include "gallery_skin.h"
#include "ScriptSupport.h"
#include "lumo.h"

namespace gallery {

namespace {

bool g_skinned = false;

// The maximize button: the second one from the right, 20 pixels wide, 7 pixels in from the
// caption's right end, in screen coordinates.
POINT MaximizeButton(HWND hwnd)
{
    RECT wr;
    ::GetWindowRect(hwnd, &wr);
    // The skin's buttons are sized for the window's DPI; the frame comes from the system's metrics.
    typedef UINT(WINAPI * PFN_GetDpiForWindow)(HWND);
    const PFN_GetDpiForWindow pfnDpi =
        (PFN_GetDpiForWindow)(void*)::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    const int dpi = pfnDpi && pfnDpi(hwnd) ? (int)pfnDpi(hwnd) : 96;
    POINT pt = { wr.right - ::GetSystemMetrics(SM_CXFRAME) - ::MulDiv(7 + 20 + 10, dpi, 96),
                 wr.top + ::GetSystemMetrics(SM_CYFRAME) + 1 + ::MulDiv(8, dpi, 96) };
    return pt;
}

// Posts a caption mouse message the way the system delivers it, with the cursor there too.
void PostCaptionMouse(HWND hwnd, UINT msg, POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    ::PostMessageA(hwnd, msg, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    Settle();
}

}  // namespace

void PrepareSkin()
{
    Lumo_UseOwnLook(1);
}

bool SkinMainWindow(HWND hwnd)
{
    g_skinned = Skin_Register(hwnd, 0) != 0;
    return g_skinned;
}

void RunSkinSession(HWND hwnd, const std::string& out, bool (*screenshot)(const std::string&, const char*))
{
    Check(g_skinned, "main window skinned");
    if (!g_skinned)
        return;
    POINT pt = MaximizeButton(hwnd);
    PostCaptionMouse(hwnd, WM_NCMOUSEMOVE, pt);
    screenshot(out, "08-caption-hover.png");

    PostCaptionMouse(hwnd, WM_NCLBUTTONDOWN, pt);
    PostCaptionMouse(hwnd, WM_NCLBUTTONUP, pt);
    Check(PumpUntil([&] { return ::IsZoomed(hwnd) != 0; }, 3000), "the maximize button maximized the window");
    Settle();
    screenshot(out, "09-maximized.png");

    pt = MaximizeButton(hwnd);
    PostCaptionMouse(hwnd, WM_NCLBUTTONDOWN, pt);
    PostCaptionMouse(hwnd, WM_NCLBUTTONUP, pt);
    Check(PumpUntil([&] { return !::IsZoomed(hwnd); }, 3000), "the same button restored it");
    // Away from the buttons, so none of them is shown hot.
    RECT wr;
    ::GetWindowRect(hwnd, &wr);
    POINT away = { (wr.left + wr.right) / 2, wr.bottom + 20 };
    ::SetCursorPos(away.x, away.y);
    ::SendMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
    Settle();
    screenshot(out, "10-restored.png");
}

}  // namespace gallery
