// Golden-image comparison: reads tests/golden/NAME.png through Wine's drive mapping of the
// source tree, compares, and writes the actual and diff pictures on a mismatch.
#include "Golden.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "PngReader.h"
#include "PngWriter.h"

namespace {

int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        worst = d > worst ? d : worst;
    }
    return worst;
}

bool WriteBits(const std::string& path, int width, int height, const uint32_t* bits)
{
    return mirdalux::WritePngBgrx(path.c_str(), width, height, bits, width * 4);
}

}  // namespace

::testing::AssertionResult MatchesGolden(const DibCanvas& actual, const char* name, int tolerance)
{
    const std::string golden = std::string(MIRDALUX_GOLDEN_DIR "/") + name + ".png";
    const int width = actual.Width();
    const int height = actual.Height();
    const uint32_t* bits = actual.Bits();

    mirdalux::PngImage expected;
    std::string error;
    if (!mirdalux::ReadPngRgb(golden.c_str(), expected, error)) {
        const char* update = std::getenv("MIRDALUX_UPDATE_GOLDEN");
        if (update != nullptr && *update != '\0' && *update != '0') {
            if (WriteBits(golden, width, height, bits))
                return ::testing::AssertionSuccess() << "wrote " << golden;
            return ::testing::AssertionFailure() << "could not write " << golden;
        }
        return ::testing::AssertionFailure()
               << "no usable golden image " << golden << " (" << error
               << "); run the test with MIRDALUX_UPDATE_GOLDEN=1 to write it";
    }
    if (expected.width != width || expected.height != height) {
        return ::testing::AssertionFailure()
               << golden << " is " << expected.width << "x" << expected.height << ", the picture "
               << width << "x" << height;
    }

    std::vector<uint32_t> diff(expected.pixels.size());
    int differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            const uint32_t want = expected.pixels[i];
            const uint32_t got = bits[i] & 0xFFFFFF;
            if (ChannelDistance(want, got) > tolerance) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
                diff[i] = 0xFF0000;
            } else {
                diff[i] = (want >> 2) & 0x3F3F3F;  // dimmed golden pixel
                diff[i] += 0xA0A0A0;
            }
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();

    const std::string stem = name;
    WriteBits(stem + ".actual.png", width, height, bits);
    WriteBits(stem + ".diff.png", width, height, diff.data());
    char first[80];
    std::snprintf(first, sizeof first, "(%d, %d): expected #%06X, got #%06X", firstX, firstY,
                  unsigned(expected.pixels[size_t(firstY) * width + firstX]),
                  unsigned(bits[size_t(firstY) * width + firstX] & 0xFFFFFF));
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << golden << " by more than " << tolerance
           << "; first at " << first << "; wrote " << stem << ".actual.png and " << stem
           << ".diff.png";
}
