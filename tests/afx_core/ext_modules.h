// Two small extension modules for the tests: one linked to the test program, one loaded and
// unloaded at run time.
#pragma once

#ifdef AFX_CORE_EXT_BUILD
#define AFX_EXT_CLASS __declspec(dllexport)
#endif
#include "afx.h"

// Linked to the test program, so its run-time class is reached through the import table.
class AFX_EXT_CLASS CExtLinkedShape : public CObject
{
    DECLARE_DYNCREATE(CExtLinkedShape)
public:
    int m_nSides = 4;
};

// Resource ids of the loaded module.
#define IDS_EXT_LOADED_HELLO 9001
