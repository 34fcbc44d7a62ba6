// PNG reader: chunk walk with CRC checks, a complete inflate (stored, fixed and dynamic Huffman
// blocks) with the Adler-32 check, scanline unfiltering and conversion of every 8-bit colour type
// to 0x00RRGGBB.
#include "PngReader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PngDeflate.h"
#include "PngWriter.h"

namespace mirdalux {
namespace {

using namespace deflate;

const char kTruncated[] = "deflate stream is truncated";

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

// The bits of a deflate stream, taken from the least significant end of each byte. Reading past
// the end yields zero bits and sets Overrun(), so callers check once after a group of reads.
class BitReader
{
public:
    BitReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    // The next `count` (at most 16) bits without consuming them.
    std::uint32_t Peek(int count) const
    {
        const std::size_t at = m_position >> 3;
        std::uint32_t word = 0;
        if (at + 4 <= m_size) {
            word = m_data[at] | (m_data[at + 1] << 8) | (m_data[at + 2] << 16) |
                   (std::uint32_t(m_data[at + 3]) << 24);
        } else {
            for (std::size_t k = 0; k < 4 && at + k < m_size; ++k)
                word |= std::uint32_t(m_data[at + k]) << (8 * k);
        }
        return (word >> (m_position & 7)) & ((1u << count) - 1);
    }
    void Skip(std::size_t count) { m_position += count; }
    std::uint32_t Take(int count)
    {
        const std::uint32_t bits = Peek(count);
        Skip(count);
        return bits;
    }
    void AlignToByte() { m_position = (m_position + 7) & ~std::size_t(7); }
    std::size_t BytePosition() const { return m_position >> 3; }
    bool Overrun() const { return m_position > m_size * 8; }
    // Fewer than `count` bits remain: a code that does not decode may just be cut off.
    bool NearEnd(int count) const { return m_position + count > m_size * 8; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// A Huffman code decoded through one table indexed by the next bits of the stream: every entry
// holds the symbol and its code length, 0 where no code starts with those bits.
class HuffmanDecoder
{
public:
    // False when the lengths over-subscribe the code space, or leave part of it unused with more
    // than the single one-bit code deflate allows. No lengths at all give a code that decodes
    // nothing (a block of literals only has no distance code).
    bool Build(const std::uint8_t* lengths, std::size_t count)
    {
        int perLength[kMaxCodeLength + 1] = {};
        m_bits = 0;
        for (std::size_t s = 0; s < count; ++s) {
            ++perLength[lengths[s]];
            m_bits = std::max<int>(m_bits, lengths[s]);
        }
        int used = 0, left = 1;
        for (int bits = 1; bits <= kMaxCodeLength; ++bits) {
            left = (left << 1) - perLength[bits];
            if (left < 0)
                return false;
            used += perLength[bits];
        }
        if (left > 0 && used > 0 && !(used == 1 && perLength[1] == 1))
            return false;
        m_table.assign(std::size_t(1) << m_bits, 0);
        const std::vector<std::uint16_t> codes = ReversedCanonicalCodes(lengths, count);
        for (std::size_t s = 0; s < count; ++s) {
            if (!lengths[s])
                continue;
            for (std::size_t i = codes[s]; i < m_table.size(); i += std::size_t(1) << lengths[s])
                m_table[i] = std::uint16_t((s << 4) | lengths[s]);
        }
        return true;
    }
    // The next symbol, or -1 when the bits are no code of this set.
    int Decode(BitReader& in) const
    {
        const std::uint16_t entry = m_table[in.Peek(m_bits)];
        if (!entry)
            return -1;
        in.Skip(entry & 15);
        return entry >> 4;
    }
    int Bits() const { return m_bits; }

private:
    std::vector<std::uint16_t> m_table;
    int m_bits = 0;
};

const HuffmanDecoder& FixedLiteralDecoder()
{
    static const HuffmanDecoder decoder = [] {
        HuffmanDecoder d;
        const std::vector<std::uint8_t> lengths = FixedLiteralLengths();
        d.Build(lengths.data(), lengths.size());
        return d;
    }();
    return decoder;
}

const HuffmanDecoder& FixedDistanceDecoder()
{
    static const HuffmanDecoder decoder = [] {
        HuffmanDecoder d;
        const std::vector<std::uint8_t> lengths(kFixedDistanceSymbols, kFixedDistanceLength);
        d.Build(lengths.data(), lengths.size());
        return d;
    }();
    return decoder;
}

// Reads the code lengths at the start of a dynamic Huffman block and builds both codes.
bool ReadDynamicCodes(BitReader& in, HuffmanDecoder& literals, HuffmanDecoder& distances,
                      std::string& error)
{
    const std::size_t literalCount = in.Take(5) + 257;
    const std::size_t distanceCount = in.Take(5) + 1;
    const int orderCount = int(in.Take(4)) + 4;
    if (literalCount > std::size_t(kLiteralLengthSymbols) ||
        distanceCount > std::size_t(kDistanceCodes)) {
        error = "bad code lengths: more literal/length or distance codes than deflate has";
        return false;
    }
    std::uint8_t lengthLengths[kCodeLengthSymbols] = {};
    for (int i = 0; i < orderCount; ++i)
        lengthLengths[kCodeLengthOrder[i]] = std::uint8_t(in.Take(3));
    HuffmanDecoder lengthCode;
    if (in.Overrun()) {
        error = kTruncated;
        return false;
    }
    if (!lengthCode.Build(lengthLengths, kCodeLengthSymbols)) {
        error = "bad code lengths: the code-length code is over-subscribed or incomplete";
        return false;
    }
    std::uint8_t lengths[kLiteralLengthSymbols + kDistanceCodes] = {};
    const std::size_t total = literalCount + distanceCount;
    for (std::size_t n = 0; n < total;) {
        const int symbol = lengthCode.Decode(in);
        if (in.Overrun() || (symbol < 0 && in.NearEnd(lengthCode.Bits()))) {
            error = kTruncated;
            return false;
        }
        if (symbol < 0) {
            error = "bad code lengths: a code-length code that is not in the code";
            return false;
        }
        if (symbol < 16) {
            lengths[n++] = std::uint8_t(symbol);
            continue;
        }
        std::uint8_t value = 0;
        std::size_t repeat = 0;
        if (symbol == 16) {
            if (n == 0) {
                error = "bad code lengths: a repeat with no length before it";
                return false;
            }
            value = lengths[n - 1];
            repeat = 3 + in.Take(2);
        } else {
            repeat = symbol == 17 ? 3 + in.Take(3) : 11 + in.Take(7);
        }
        if (n + repeat > total) {
            error = "bad code lengths: a repeat runs past the last code";
            return false;
        }
        std::fill(lengths + n, lengths + n + repeat, value);
        n += repeat;
    }
    if (!lengths[kEndOfBlock]) {
        error = "bad code lengths: no end-of-block code";
        return false;
    }
    if (!literals.Build(lengths, literalCount)) {
        error = "bad code lengths: the literal/length code is over-subscribed or incomplete";
        return false;
    }
    if (!distances.Build(lengths + literalCount, distanceCount)) {
        error = "bad code lengths: the distance code is over-subscribed or incomplete";
        return false;
    }
    return true;
}

// Decodes the symbols of one Huffman block up to its end-of-block code.
bool InflateBlock(BitReader& in, const HuffmanDecoder& literals, const HuffmanDecoder& distances,
                  std::size_t limit, std::vector<std::uint8_t>& out, std::string& error)
{
    const char* const kOverrun = "deflate stream holds more data than expected";
    for (;;) {
        int symbol = literals.Decode(in);
        if (in.Overrun() || (symbol < 0 && in.NearEnd(literals.Bits()))) {
            error = kTruncated;
            return false;
        }
        if (symbol < 0) {
            error = "bad literal/length code";
            return false;
        }
        if (symbol < 256) {
            if (out.size() >= limit) {
                error = kOverrun;
                return false;
            }
            out.push_back(std::uint8_t(symbol));
            continue;
        }
        if (symbol == kEndOfBlock)
            return true;
        symbol -= 257;
        if (symbol >= kLengthCodes) {
            error = "bad length symbol (286 and 287 are not used)";
            return false;
        }
        const std::size_t length = kLengthBase[symbol] + in.Take(kLengthExtraBits[symbol]);
        const int code = distances.Decode(in);
        if (in.Overrun() || (code < 0 && in.NearEnd(distances.Bits()))) {
            error = kTruncated;
            return false;
        }
        if (code < 0 || code >= kDistanceCodes) {
            error = "bad distance code";
            return false;
        }
        const std::size_t distance = kDistanceBase[code] + in.Take(kDistanceExtraBits[code]);
        if (in.Overrun()) {
            error = kTruncated;
            return false;
        }
        if (distance > out.size()) {
            error = "distance reaches before the start of the data";
            return false;
        }
        if (length > limit - out.size()) {
            error = kOverrun;
            return false;
        }
        // Byte by byte: the source may overlap the bytes being written (a run).
        const std::size_t from = out.size() - distance;
        for (std::size_t i = 0; i < length; ++i)
            out.push_back(out[from + i]);
    }
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Undoes the scanline filters in place; rows are 1 filter byte + `rowBytes` bytes of pixels,
// `pixelBytes` bytes each.
bool Unfilter(std::vector<std::uint8_t>& raw, std::size_t rowBytes, int height,
              std::size_t pixelBytes, std::string& error)
{
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = &raw[(1 + rowBytes) * y];
        const std::uint8_t* above = y > 0 ? &raw[(1 + rowBytes) * (y - 1)] + 1 : nullptr;
        std::uint8_t* px = row + 1;
        if (row[0] > 4) {
            error = "unknown scanline filter";
            return false;
        }
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= pixelBytes ? px[i - pixelBytes] : 0;
            const int b = above ? above[i] : 0;
            const int c = (above && i >= pixelBytes) ? above[i - pixelBytes] : 0;
            switch (row[0]) {
            case 1:
                px[i] = std::uint8_t(px[i] + a);
                break;
            case 2:
                px[i] = std::uint8_t(px[i] + b);
                break;
            case 3:
                px[i] = std::uint8_t(px[i] + (a + b) / 2);
                break;
            case 4:
                px[i] = std::uint8_t(px[i] + Paeth(a, b, c));
                break;
            default:
                break;
            }
        }
    }
    return true;
}

}  // namespace

bool InflateZlib(const std::uint8_t* data, std::size_t size, std::size_t limit,
                 std::vector<std::uint8_t>& out, std::string& error)
{
    out.clear();
    if (!data || size < 2) {
        error = "zlib stream is truncated";
        return false;
    }
    if ((data[0] & 0x0F) != 8 || (data[0] >> 4) > 7 || ((data[0] << 8) | data[1]) % 31 != 0) {
        error = "not a zlib stream";
        return false;
    }
    if (data[1] & 0x20) {
        error = "zlib stream needs a preset dictionary";
        return false;
    }
    // Deflate expands at most about 1032 times; a damaged length must not reserve gigabytes.
    out.reserve(std::min(limit, size * 1032));
    BitReader in(data + 2, size - 2);
    HuffmanDecoder literals, distances;
    for (bool last = false; !last;) {
        last = in.Take(1) != 0;
        const std::uint32_t type = in.Take(2);
        if (in.Overrun()) {
            error = kTruncated;
            return false;
        }
        if (type == 0) {
            in.AlignToByte();
            const std::size_t length = in.Take(16), check = in.Take(16);
            if (in.Overrun()) {
                error = kTruncated;
                return false;
            }
            if ((length ^ check) != 0xFFFF) {
                error = "stored block length and its complement disagree";
                return false;
            }
            const std::size_t at = 2 + in.BytePosition();
            if (length > size - at) {
                error = kTruncated;
                return false;
            }
            if (length > limit - out.size()) {
                error = "deflate stream holds more data than expected";
                return false;
            }
            out.insert(out.end(), data + at, data + at + length);
            in.Skip(8 * length);
        } else if (type == 1) {
            if (!InflateBlock(in, FixedLiteralDecoder(), FixedDistanceDecoder(), limit, out, error))
                return false;
        } else if (type == 2) {
            if (!ReadDynamicCodes(in, literals, distances, error) ||
                !InflateBlock(in, literals, distances, limit, out, error))
                return false;
        } else {
            error = "reserved deflate block type 3";
            return false;
        }
    }
    in.AlignToByte();
    const std::size_t at = 2 + in.BytePosition();
    if (at + 4 > size) {
        error = "zlib stream ends before its Adler-32";
        return false;
    }
    if (BigEndian32(data + at) != Adler32(out.data(), out.size())) {
        error = "Adler-32 of the inflated data does not match";
        return false;
    }
    return true;
}

bool DecodePngRgb(const std::uint8_t* data, std::size_t size, PngImage& image, std::string& error)
{
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!data || size < 8 || std::memcmp(data, signature, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    int width = 0, height = 0, colourType = 0;
    std::vector<std::uint8_t> z, palette;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (at + 12 > size) {
            error = "file ends inside a chunk";
            return false;
        }
        const std::uint32_t length = BigEndian32(data + at);
        if (length > size - at - 12) {
            error = "chunk runs past the end of the file";
            return false;
        }
        const std::uint8_t* type = data + at + 4;
        const std::uint8_t* body = data + at + 8;
        if (BigEndian32(body + length) != Crc32(type, length + 4)) {
            error = "chunk CRC does not match";
            return false;
        }
        if (std::memcmp(type, "IHDR", 4) == 0) {
            colourType = length == 13 ? body[9] : -1;
            if (length != 13 || body[8] != 8 || body[10] != 0 || body[11] != 0 || body[12] != 0 ||
                (colourType != 0 && colourType != 2 && colourType != 3 && colourType != 4 &&
                 colourType != 6)) {
                error = "only 8-bit grey, RGB, palette and alpha images without interlace are read";
                return false;
            }
            width = int(BigEndian32(body));
            height = int(BigEndian32(body + 4));
            if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
                error = "image size out of range";
                return false;
            }
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            palette.assign(body, body + length);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            z.insert(z.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        at += 12 + length;
    }
    if (width == 0) {
        error = "no IHDR chunk";
        return false;
    }
    if (colourType == 3 && (palette.empty() || palette.size() % 3 != 0)) {
        error = "palette image without a usable PLTE chunk";
        return false;
    }
    static const std::size_t kPixelBytes[7] = {1, 0, 3, 1, 2, 0, 4};
    const std::size_t pixelBytes = kPixelBytes[colourType];
    const std::size_t rowBytes = std::size_t(width) * pixelBytes;
    std::vector<std::uint8_t> raw;
    if (!InflateZlib(z.data(), z.size(), (1 + rowBytes) * height, raw, error))
        return false;
    if (raw.size() != (1 + rowBytes) * height) {
        error = "image data has the wrong size";
        return false;
    }
    if (!Unfilter(raw, rowBytes, height, pixelBytes, error))
        return false;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    const std::size_t paletteEntries = palette.size() / 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* px = &raw[(1 + rowBytes) * y] + 1;
        for (int x = 0; x < width; ++x, px += pixelBytes) {
            std::uint32_t rgb = 0;
            if (colourType == 2 || colourType == 6) {
                rgb = (std::uint32_t(px[0]) << 16) | (std::uint32_t(px[1]) << 8) | px[2];
            } else if (colourType == 3) {
                if (px[0] >= paletteEntries) {
                    error = "palette index past the end of the palette";
                    return false;
                }
                const std::uint8_t* entry = &palette[3 * px[0]];
                rgb = (std::uint32_t(entry[0]) << 16) | (std::uint32_t(entry[1]) << 8) | entry[2];
            } else {
                rgb = std::uint32_t(px[0]) * 0x010101u;
            }
            pixels[std::size_t(y) * width + x] = rgb;
        }
    }
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return true;
}

bool ReadPngRgb(const char* path, PngImage& image, std::string& error)
{
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) {
        error = std::string("cannot open ") + (path ? path : "(null)");
        return false;
    }
    std::vector<std::uint8_t> data;
    std::uint8_t buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        data.insert(data.end(), buffer, buffer + n);
    std::fclose(file);
    return DecodePngRgb(data.data(), data.size(), image, error);
}

}  // namespace mirdalux
