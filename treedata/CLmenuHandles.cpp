// Set of live LMENU_* handles. Looked up on every flat call, so it is hashed rather than
// searched; all calls come from the user-interface thread.
#include "treedata/CLmenuHandles.h"

#include <new>
#include <unordered_set>

namespace
{
std::unordered_set<const void*>& LiveHandles()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static std::unordered_set<const void*>* s_pLive = new std::unordered_set<const void*>;
    return *s_pLive;
}
} // namespace

CTreeData* CLmenuHandles::Create()
{
    CTreeData* pData = new (std::nothrow) CTreeData;
    if (pData == NULL)
        return NULL;
    LiveHandles().insert(pData);
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
    std::unordered_set<const void*>& live = LiveHandles();
    return live.find(hHandle) != live.end() ? (CTreeData*)hHandle : NULL;
}

int CLmenuHandles::GetCount()
{
    return (int)LiveHandles().size();
}
