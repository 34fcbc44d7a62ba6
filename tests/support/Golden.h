// Golden images: a test's picture compared pixel by pixel with tests/golden/NAME.png.
//
//   DibCanvas canvas(200, 100);
//   ... draw ...
//   EXPECT_TRUE(MatchesGolden(canvas, "sampler"));
//
// On a mismatch the actual picture and a diff (differing pixels red on a dimmed copy of the
// golden image) are written as NAME.actual.png and NAME.diff.png in the test's working
// directory, beside the build output. A missing golden image fails the test; running the test
// with MIRDALUX_UPDATE_GOLDEN=1 in the environment writes it instead (check it by eye, then
// commit it).
#pragma once
#include <gtest/gtest.h>

#include "DibCanvas.h"

// Compares the whole canvas; `tolerance` is the largest difference allowed in any colour
// channel (0: exact; a few units only where font rasterisation may differ).
::testing::AssertionResult MatchesGolden(const DibCanvas& actual, const char* name,
                                         int tolerance = 0);
