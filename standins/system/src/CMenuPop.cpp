// The system library's popup menu: only the owner is kept here.
#include "CMenuPop.h"

CMenuPop::CMenuPop(HWND hOwner) : m_hOwner(hOwner)
{
}

CMenuPop::~CMenuPop()
{
}
