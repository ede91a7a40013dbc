// The object type of parent-hook subscribers.
#pragma once

#include "SysDefs.h"

// The object type of parent-hook subscribers. Subscribers are framework windows.
typedef CObject CObj;
