// Stand-in for the system library the controls are written against. One header per class;
// this one brings them all in.
#pragma once

#include "CObj.h"
#include "CGlobalInfo.h"
#include "CReturnBuf.h"
#include "CPub.h"
