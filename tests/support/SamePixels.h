// Two pictures compared pixel by pixel, for the tests that draw the same thing two ways (at once
// and by a repaint, through the exports and by hand, from C and from C++):
//
//   EXPECT_TRUE(SamePixels(expected, actual));          // exact
//   EXPECT_TRUE(SamePixels(expected, actual, 32));      // where font rasterisation may differ
#pragma once
#include <gtest/gtest.h>

#include "DibCanvas.h"

// How many pixels differ by more than tolerance in any colour channel; the first of them, in row
// order, in *pFirst when given. Canvases of different sizes differ everywhere.
int CountDifferences(const DibCanvas& a, const DibCanvas& b, int tolerance = 0,
                     POINT* pFirst = NULL);

// Fails with the number of differing pixels and the colours of the first one.
::testing::AssertionResult SamePixels(const DibCanvas& expected, const DibCanvas& actual,
                                      int tolerance = 0);
