// Golden pictures: a canvas's RGB pixels checked against the CRC-32 listed for NAME in
// tests/golden/checksums.txt (beside NAME.png, kept for people to look at):
//
//   EXPECT_TRUE(MatchesGolden(canvas, "sampler"));
//
// A mismatch writes the picture as NAME.actual.png in the working directory (beside the build
// output). With MIRDALUX_UPDATE_GOLDEN=1 the checksum and NAME.png are written instead.
#pragma once
#include <gtest/gtest.h>

#include "DibCanvas.h"

::testing::AssertionResult MatchesGolden(const DibCanvas& actual, const char* name);
