// The live handles of the LMENU_* family. A handle is the address of a CTreeData, so a stale or
// random value cannot be recognised by looking at it; only the ones made here and not yet
// destroyed are accepted.
#pragma once

#include "CTreeData.h"

class CLmenuHandles
{
public:
    // A new empty collection entered as a live handle; null when out of memory.
    static CTreeData* Create();
    // Destroys a live collection; FALSE (and nothing done) for any other value.
    static BOOL Destroy(const void* hHandle);
    // The collection of a live handle, or null.
    static CTreeData* FromHandle(const void* hHandle);
    static int GetCount();
};
