#include "AccessibleTree.h"

#include <oleacc.h>

namespace gallery {

namespace {

VARIANT ChildId(long id)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Narrow(BSTR b)
{
    std::string s;
    if (b)
    {
        const int n = ::WideCharToMultiByte(CP_ACP, 0, b, -1, nullptr, 0, nullptr, nullptr);
        if (n > 1)
        {
            s.resize(n - 1);
            ::WideCharToMultiByte(CP_ACP, 0, b, -1, &s[0], n, nullptr, nullptr);
        }
        ::SysFreeString(b);
    }
    return s;
}

AccLine LineOf(IAccessible* acc, long id, int depth)
{
    AccLine line;
    line.depth = depth;
    BSTR name = nullptr;
    if (SUCCEEDED(acc->get_accName(ChildId(id), &name)))
        line.name = Narrow(name);
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(acc->get_accRole(ChildId(id), &v)) && v.vt == VT_I4)
        line.role = v.lVal;
    ::VariantInit(&v);
    if (SUCCEEDED(acc->get_accState(ChildId(id), &v)) && v.vt == VT_I4)
        line.state = v.lVal;
    return line;
}

// The object's elements and its objects that are not windows, each with what it holds.
void AddChildren(IAccessible* acc, int depth, std::vector<AccLine>& lines)
{
    long count = 0;
    if (FAILED(acc->get_accChildCount(&count)) || count <= 0)
        return;
    std::vector<VARIANT> kids(count);
    long got = 0;
    if (FAILED(::AccessibleChildren(acc, 0, count, kids.data(), &got)))
        return;
    for (long i = 0; i < got; ++i)
    {
        VARIANT& kid = kids[i];
        if (kid.vt == VT_I4)
        {
            AccLine line = LineOf(acc, kid.lVal, depth);
            if (!(line.state & STATE_SYSTEM_INVISIBLE))
                lines.push_back(line);
        }
        else if (kid.vt == VT_DISPATCH && kid.pdispVal)
        {
            IOleWindow* window = nullptr;
            IAccessible* child = nullptr;
            if (SUCCEEDED(kid.pdispVal->QueryInterface(IID_IOleWindow, (void**)&window)))
                window->Release();  // a child window: walked through the window tree
            else if (SUCCEEDED(kid.pdispVal->QueryInterface(__uuidof(IAccessible), (void**)&child)))
            {
                AccLine line = LineOf(child, CHILDID_SELF, depth);
                if (!(line.state & STATE_SYSTEM_INVISIBLE))
                {
                    lines.push_back(line);
                    AddChildren(child, depth + 1, lines);
                }
                child->Release();
            }
        }
        ::VariantClear(&kid);
    }
}

void AddObject(HWND hWnd, LONG idObject, int depth, std::vector<AccLine>& lines)
{
    IAccessible* acc = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, (DWORD)idObject, __uuidof(IAccessible), (void**)&acc)) || !acc)
        return;
    lines.push_back(LineOf(acc, CHILDID_SELF, depth));
    AddChildren(acc, depth + 1, lines);
    acc->Release();
}

void AddWindow(HWND hWnd, int depth, std::vector<AccLine>& lines)
{
    if (!::IsWindowVisible(hWnd))
        return;
    AddObject(hWnd, OBJID_CLIENT, depth, lines);
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        AddWindow(h, depth + 1, lines);
}

struct Walk
{
    HWND top;
    std::vector<AccLine> lines;
};

DWORD WINAPI WalkThread(void* p)
{
    Walk* walk = static_cast<Walk*>(p);
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    AddObject(walk->top, OBJID_TITLEBAR, 0, walk->lines);
    AddWindow(walk->top, 0, walk->lines);
    ::CoUninitialize();
    return 0;
}

}  // namespace

std::string AccLine::Text() const
{
    char role[64] = "";
    ::GetRoleTextA((DWORD)this->role, role, sizeof(role));
    std::string text = std::string(depth * 2, ' ') + role + " '" + name + "'";
    std::string states;
    for (DWORD bit = 1; bit && bit <= (DWORD)STATE_SYSTEM_VALID; bit <<= 1)
    {
        char word[64] = "";
        if ((state & bit) && ::GetStateTextA(bit, word, sizeof(word)))
            states += (states.empty() ? "" : ", ") + std::string(word);
    }
    if (!states.empty())
        text += " (" + states + ")";
    return text;
}

std::vector<AccLine> ReadAccessibleTree(HWND hTop)
{
    Walk walk = { hTop, {} };
    HANDLE thread = ::CreateThread(nullptr, 0, WalkThread, &walk, 0, nullptr);
    if (!thread)
        return walk.lines;
    // The window answers on this thread, so it pumps until the reader is done.
    const DWORD start = ::GetTickCount();
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount() - start < 20000)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    return walk.lines;
}

}  // namespace gallery
