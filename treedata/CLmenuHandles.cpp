// Set of live LMENU_* handles, each with the thread that made it. Looked up on every flat call,
// so it is hashed rather than searched; a handle is known only to the thread that made it.
#include "treedata/CLmenuHandles.h"

#include <new>
#include <unordered_map>

namespace
{
std::unordered_map<const void*, DWORD>& LiveHandles()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static std::unordered_map<const void*, DWORD>* s_pLive = new std::unordered_map<const void*, DWORD>;
    return *s_pLive;
}
} // namespace

CTreeData* CLmenuHandles::Create()
{
    CTreeData* pData = new (std::nothrow) CTreeData;
    if (pData == NULL)
        return NULL;
    LiveHandles()[pData] = ::GetCurrentThreadId();
    return pData;
}

BOOL CLmenuHandles::Destroy(const void* hHandle)
{
    CTreeData* pData = FromHandle(hHandle);
    if (pData == NULL)
        return FALSE;
    LiveHandles().erase(hHandle);
    delete pData;
    return TRUE;
}

CTreeData* CLmenuHandles::FromHandle(const void* hHandle)
{
    if (hHandle == NULL)
        return NULL;
    std::unordered_map<const void*, DWORD>& live = LiveHandles();
    auto it = live.find(hHandle);
    return it != live.end() && it->second == ::GetCurrentThreadId() ? (CTreeData*)hHandle : NULL;
}

int CLmenuHandles::GetCount()
{
    return (int)LiveHandles().size();
}
