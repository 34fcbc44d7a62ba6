// The layer's allocation hook as its allocators see it.
#pragma once
#include <afx.h>

namespace afx_detail {

// Counts the request and asks the hook set by AfxSetAllocHook, if any; TRUE when the block may
// be allocated.
BOOL AllocationAllowed(size_t nSize, BOOL bObject);

}  // namespace afx_detail
