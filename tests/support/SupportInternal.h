// Links between the support library's source files; not for tests.
#pragma once

#include <windows.h>

namespace lumotest {
namespace detail {

// True if hwnd is a live window of the host class.
bool IsHostWindow(HWND hwnd);

// Hands a message to every recorder watching hwnd (or watching all host windows).
void OfferToRecorders(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool isHost);

}  // namespace detail
}  // namespace lumotest
