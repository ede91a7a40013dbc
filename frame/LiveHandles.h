// The handles a flat family hands out. A handle is the address of one of the family's objects,
// so a stale or random value cannot be recognised by looking at it: only the ones added here and
// not yet removed are accepted, and each only on the thread that made it. Looked up on every
// flat call, so it is hashed rather than searched.
#pragma once

#include <windows.h>
#include <unordered_map>

class LiveHandles
{
public:
    // Enters a handle for the calling thread.
    void Add(const void* hHandle) { m_live[hHandle] = ::GetCurrentThreadId(); }
    void Remove(const void* hHandle) { m_live.erase(hHandle); }
    // TRUE when the calling thread added the handle and it has not been removed since.
    bool IsLive(const void* hHandle) const
    {
        auto it = hHandle != NULL ? m_live.find(hHandle) : m_live.end();
        return it != m_live.end() && it->second == ::GetCurrentThreadId();
    }
    int Count() const { return (int)m_live.size(); }

private:
    std::unordered_map<const void*, DWORD> m_live;
};
