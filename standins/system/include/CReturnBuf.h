// Returned-text buffers of the system library stand-in.
#pragma once

#include "SysDefs.h"

// Texts handed out by flat functions stay valid after the call: each lands in one slot of a
// ring, so the 64 most recent results are alive at any time.
class LUMOSYS_API CReturnBuf
{
public:
    static char* CString2LPSTR(const CString& str);
    enum { SLOTS = 64 };
};
