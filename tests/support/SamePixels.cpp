// Pixel-by-pixel comparison of two canvases.
#include "SamePixels.h"

#include <algorithm>
#include <cstdlib>

namespace {

int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

}  // namespace

int CountDifferences(const DibCanvas& a, const DibCanvas& b, int tolerance, POINT* pFirst)
{
    const int area = a.Width() * a.Height();
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return std::max(area, b.Width() * b.Height());
    const uint32_t *pa = a.Bits(), *pb = b.Bits();
    int differing = 0;
    for (int i = 0; i < area; ++i) {
        if (ChannelDistance(pa[i], pb[i]) > tolerance && differing++ == 0 && pFirst != NULL)
            *pFirst = {i % a.Width(), i / a.Width()};
    }
    return differing;
}

::testing::AssertionResult SamePixels(const DibCanvas& expected, const DibCanvas& actual,
                                      int tolerance)
{
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return ::testing::AssertionFailure()
               << "expected a " << expected.Width() << "x" << expected.Height() << " picture, got "
               << actual.Width() << "x" << actual.Height();
    POINT first = {0, 0};
    const int differing = CountDifferences(expected, actual, tolerance, &first);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << differing << " pixels differ by more than " << tolerance << "; the first at ("
           << first.x << "," << first.y << ") is 0x" << std::hex
           << (unsigned)actual.Pixel(first.x, first.y) << ", expected 0x"
           << (unsigned)expected.Pixel(first.x, first.y);
}
