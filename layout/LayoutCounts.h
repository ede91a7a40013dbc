// How the layouts have placed windows so far in this process: batches begun, and windows placed
// one at a time outside any batch. Tests read the change over one resize.
#pragma once

#include <windows.h>

namespace LayoutCounts
{

LONG Batches();
LONG DirectMoves();

}  // namespace LayoutCounts
