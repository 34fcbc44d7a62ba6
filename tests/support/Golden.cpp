// Golden checksums: "NAME WIDTHxHEIGHT CRC" lines, the CRC-32 of the RGB bytes row by row from
// the top, read through Wine's drive mapping of the source tree.
#include "Golden.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "PngWriter.h"

namespace {

const std::string kDir = MIRDALUX_GOLDEN_DIR "/";

std::map<std::string, std::string> ReadChecksums()
{
    std::map<std::string, std::string> sums;
    std::ifstream in(kDir + "checksums.txt");
    std::string name, size, crc;
    while (in >> name >> size >> crc)
        sums[name] = size + " " + crc;
    return sums;
}

std::string Checksum(const DibCanvas& canvas)
{
    std::vector<std::uint8_t> rgb;
    const uint32_t* bits = canvas.Bits();
    for (int i = 0; i < canvas.Width() * canvas.Height(); ++i)
        for (int shift = 16; shift >= 0; shift -= 8)
            rgb.push_back(std::uint8_t(bits[i] >> shift));
    char text[40];
    std::snprintf(text, sizeof text, "%dx%d %08x", canvas.Width(), canvas.Height(),
                  unsigned(mirdalux::Crc32(rgb.data(), rgb.size())));
    return text;
}

bool WritePng(const DibCanvas& canvas, const std::string& path)
{
    return mirdalux::WritePngBgrx(path.c_str(), canvas.Width(), canvas.Height(), canvas.Bits(),
                                  canvas.Width() * 4);
}

}  // namespace

::testing::AssertionResult MatchesGolden(const DibCanvas& actual, const char* name)
{
    std::map<std::string, std::string> sums = ReadChecksums();
    const std::string got = Checksum(actual);
    const auto found = sums.find(name);
    if (found != sums.end() && found->second == got)
        return ::testing::AssertionSuccess();
    const char* update = std::getenv("MIRDALUX_UPDATE_GOLDEN");
    if (update != nullptr && *update != '\0' && *update != '0') {
        sums[name] = got;
        std::ofstream out(kDir + "checksums.txt", std::ios::binary | std::ios::trunc);
        for (const auto& line : sums)
            out << line.first << ' ' << line.second << '\n';
        if (out.flush() && WritePng(actual, kDir + name + ".png"))
            return ::testing::AssertionSuccess() << "wrote the checksum and picture of " << name;
        return ::testing::AssertionFailure() << "could not write the golden " << name;
    }
    const std::string picture = std::string(name) + ".actual.png";
    const bool written = WritePng(actual, picture);
    return ::testing::AssertionFailure()
           << "the picture (" << got << ") is not the golden " << name << " ("
           << (found == sums.end() ? "no checksum" : found->second) << ")"
           << (written ? "; wrote " + picture : "; could not write " + picture);
}
