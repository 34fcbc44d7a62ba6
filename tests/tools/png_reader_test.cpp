// The PNG reader takes back what the writer wrote, undoes every scanline filter, and refuses
// damaged or foreign files with a reason.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PngReader.h"
#include "PngWriter.h"

namespace {

std::vector<std::uint8_t> Encode(int width, int height, const std::vector<std::uint32_t>& bgrx)
{
    return mirdalux::EncodePngBgrx(width, height, bgrx.data(), width * 4);
}

// Rewrites a chunk's CRC after its body was edited.
void FixCrc(std::vector<std::uint8_t>& png, std::size_t chunkStart)
{
    const std::uint32_t length = (png[chunkStart] << 24) | (png[chunkStart + 1] << 16) |
                                 (png[chunkStart + 2] << 8) | png[chunkStart + 3];
    const std::uint32_t crc = mirdalux::Crc32(&png[chunkStart + 4], length + 4);
    for (int i = 0; i < 4; ++i)
        png[chunkStart + 8 + length + i] = std::uint8_t(crc >> (24 - 8 * i));
}

} // namespace

TEST(PngReader, RoundTripsWhatTheWriterWrote)
{
    const int width = 37, height = 300;  // more than one stored block of image data
    std::vector<std::uint32_t> pixels(width * height);
    for (int i = 0; i < width * height; ++i)
        pixels[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFF;
    mirdalux::PngImage image;
    std::string error;
    const std::vector<std::uint8_t> png = Encode(width, height, pixels);
    ASSERT_TRUE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error)) << error;
    EXPECT_EQ(width, image.width);
    EXPECT_EQ(height, image.height);
    EXPECT_EQ(pixels, image.pixels) << "pixels changed on the way through the file";
}

TEST(PngReader, UndoesEveryScanlineFilter)
{
    // One 2x2 picture stored five times, once per filter type, each time with the filtered bytes
    // computed by hand from the same pixels.
    const std::vector<std::uint32_t> pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    const std::vector<std::uint8_t> rows[5] = {
        {0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0},
        {1, 0x10, 0x20, 0x30, 0x30, 0x30, 0x30, 1, 0x70, 0x80, 0x90, 0x30, 0x30, 0x30},
        {2, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 2, 0x60, 0x60, 0x60, 0x60, 0x60, 0x60},
        {3, 0x10, 0x20, 0x30, 0x38, 0x40, 0x48, 3, 0x68, 0x70, 0x78, 0x48, 0x48, 0x48},
        {4, 0x10, 0x20, 0x30, 0x30, 0x30, 0x30, 4, 0x60, 0x60, 0x60, 0x30, 0x30, 0x30},
    };
    std::vector<std::uint32_t> bgrx = pixels;
    std::vector<std::uint8_t> png = Encode(2, 2, bgrx);
    // The image data of the writer's file: the zlib header, one stored block header, the rows.
    const std::size_t idat = 8 + 25;
    const std::size_t rowsAt = idat + 8 + 2 + 5;
    for (int filter = 0; filter < 5; ++filter) {
        std::vector<std::uint8_t> edited = png;
        std::copy(rows[filter].begin(), rows[filter].end(), edited.begin() + rowsAt);
        const std::uint32_t adler = mirdalux::Adler32(rows[filter].data(), rows[filter].size());
        for (int i = 0; i < 4; ++i)
            edited[rowsAt + rows[filter].size() + i] = std::uint8_t(adler >> (24 - 8 * i));
        FixCrc(edited, idat);
        mirdalux::PngImage image;
        std::string error;
        ASSERT_TRUE(mirdalux::DecodePngRgb(edited.data(), edited.size(), image, error))
            << "filter " << filter << ": " << error;
        EXPECT_EQ(pixels, image.pixels) << "filter " << filter << " not undone";
    }
}

TEST(PngReader, RefusesDamagedOrForeignFiles)
{
    const std::vector<std::uint32_t> pixels(16 * 16, 0x336699);
    const std::vector<std::uint8_t> good = Encode(16, 16, pixels);
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
        bool fixCrc;
        const char* reason;
    };
    const std::size_t idat = 8 + 25;
    const Case cases[] = {
        {"signature", 1, 'X', false, "not a PNG"},
        {"IHDR body without its CRC", 8 + 8 + 9, 6, false, "CRC"},
        {"colour type RGBA", 8 + 8 + 9, 6, true, "8-bit RGB"},
        {"compressed deflate block", idat + 8 + 2, 0x03, true, "compressed"},
        {"stored length complement", idat + 8 + 2 + 3, 0x00, true, "complement"},
        {"a pixel under the Adler-32", idat + 8 + 2 + 5 + 1, 0x00, true, "Adler-32"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> png = good;
        png[c.offset] = c.value;
        if (c.fixCrc)
            FixCrc(png, c.offset < idat ? 8 : idat);
        mirdalux::PngImage image;
        std::string error;
        EXPECT_FALSE(mirdalux::DecodePngRgb(png.data(), png.size(), image, error)) << c.what;
        EXPECT_NE(std::string::npos, error.find(c.reason))
            << c.what << ": expected a reason with \"" << c.reason << "\", got \"" << error << "\"";
    }
    mirdalux::PngImage image;
    std::string error;
    for (std::size_t cut : {std::size_t(7), std::size_t(20), good.size() - 13}) {
        EXPECT_FALSE(mirdalux::DecodePngRgb(good.data(), cut, image, error)) << "cut at " << cut;
    }
    EXPECT_FALSE(mirdalux::ReadPngRgb("Z:/nonexistent/dir/none.png", image, error));
    EXPECT_NE(std::string::npos, error.find("cannot open")) << error;
}
