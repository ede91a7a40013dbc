// The framework layer's window, drawing and application classes.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxwnd.h"
#include "afxgdi.h"
#include "afxmenu.h"
#include "afxctl.h"
#include "afxapp.h"
