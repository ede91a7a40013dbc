// Set of live LMENU_* handles.
#include "treedata/CLmenuHandles.h"
#include "frame/LiveHandles.h"

#include <new>

namespace
{
LiveHandles& Live()
{
    // Never destroyed: a host may still call the family while the runtime tears down statics.
    static LiveHandles* s_pLive = new LiveHandles;
    return *s_pLive;
}
} // namespace

CTreeData* CLmenuHandles::Create()
{
    CTreeData* pData = new (std::nothrow) CTreeData;
    if (pData == NULL)
        return NULL;
    Live().Add(pData);
    return pData;
}

BOOL CLmenuHandles::Destroy(const void* hHandle)
{
    CTreeData* pData = FromHandle(hHandle);
    if (pData == NULL)
        return FALSE;
    Live().Remove(hHandle);
    delete pData;
    return TRUE;
}

CTreeData* CLmenuHandles::FromHandle(const void* hHandle)
{
    return Live().IsLive(hHandle) ? (CTreeData*)hHandle : NULL;
}

int CLmenuHandles::GetCount()
{
    return Live().Count();
}
