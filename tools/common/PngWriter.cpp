// PNG encoding: each row gets the scanline filter with the smallest sum of absolute values, and
// the filtered rows are compressed with our own deflate (no compression library is available for
// the target), so the files stay small and readable by every viewer.
#include "PngWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <queue>
#include <utility>

#include "PngDeflate.h"

namespace mirdalux {
namespace {

using namespace deflate;

// Matches are looked for along at most this many earlier positions with the same hash, which
// keeps the time linear in the input (a longer chain gains a few percent on screenshots and
// costs much more time on dithered pictures).
constexpr int kMaxChain = 128;
// A match shorter than this is held back one byte in case the next position starts a longer one;
// that second look walks a quarter of the chain, which halves the time on dithered pictures.
constexpr int kLazyMatch = 32;
constexpr int kLazyChain = kMaxChain / 4;
// Tokens per block: each block gets Huffman codes fitted to its own content.
constexpr std::size_t kTokensPerBlock = 1 << 15;
constexpr int kHashBits = 15;

const std::uint32_t* CrcTable()
{
    static std::uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    return table;
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// Appends one chunk: length, type, data, then the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data,
              std::size_t size)
{
    PutBigEndian32(out, static_cast<std::uint32_t>(size));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size)
        out.insert(out.end(), data, data + size);
    PutBigEndian32(out, Crc32(out.data() + start, size + 4));
}

// Deflate packs bits from the least significant end of each byte.
class BitWriter
{
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void Put(std::uint32_t bits, int count)
    {
        m_buffer |= std::uint64_t(bits) << m_used;
        m_used += count;
        while (m_used >= 8) {
            m_out.push_back(static_cast<std::uint8_t>(m_buffer));
            m_buffer >>= 8;
            m_used -= 8;
        }
    }
    void AlignToByte()
    {
        if (m_used)
            Put(0, 8 - m_used);
    }

private:
    std::vector<std::uint8_t>& m_out;
    std::uint64_t m_buffer = 0;
    int m_used = 0;
};

// One LZ77 token: a literal byte (distance 0) or a back-reference of `value` bytes.
struct Token {
    std::uint16_t value;
    std::uint16_t distance;
};

int LengthCode(int length)
{
    return int(std::upper_bound(kLengthBase, kLengthBase + kLengthCodes, length) - kLengthBase) - 1;
}

int DistanceCode(int distance)
{
    return int(std::upper_bound(kDistanceBase, kDistanceBase + kDistanceCodes, distance) -
               kDistanceBase) -
           1;
}

std::vector<Token> FindMatches(const std::uint8_t* data, std::size_t size)
{
    std::vector<Token> tokens;
    tokens.reserve(size / 8 + 16);
    std::vector<std::int32_t> head(std::size_t(1) << kHashBits, -1);
    std::vector<std::int32_t> previous(kWindowSize, -1);
    std::size_t inserted = 0;
    auto hash = [data](std::size_t at) {
        const std::uint32_t three = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16);
        return (three * 2654435761u) >> (32 - kHashBits);
    };
    // Enters every position before `end` into the hash chains.
    auto insertUntil = [&](std::size_t end) {
        for (; inserted < end && inserted + kMinMatch <= size; ++inserted) {
            const std::uint32_t h = hash(inserted);
            previous[inserted & (kWindowSize - 1)] = head[h];
            head[h] = std::int32_t(inserted);
        }
        inserted = std::max(inserted, end);
    };
    // The longest match for the bytes at `at` longer than `shorter` (and than kMinMatch - 1)
    // among `chainLimit` earlier positions of the same hash; 0 when there is none.
    auto longestMatch = [&](std::size_t at, int& distance, int shorter, int chainLimit) {
        int best = std::max(shorter, kMinMatch - 1);
        if (at + kMinMatch > size)
            return 0;
        const int limit = int(std::min<std::size_t>(kMaxMatch, size - at));
        if (best >= limit)
            return 0;
        std::int32_t candidate = head[hash(at)];
        for (int chain = chainLimit; candidate >= 0 && chain > 0; --chain) {
            const std::size_t from = std::size_t(candidate);
            if (at - from > std::size_t(kWindowSize))
                break;
            if (data[from + best] == data[at + best]) {
                int length = 0;
                while (length < limit && data[from + length] == data[at + length])
                    ++length;
                if (length > best) {
                    best = length;
                    distance = int(at - from);
                    if (length >= limit)
                        break;
                }
            }
            candidate = previous[from & (kWindowSize - 1)];
        }
        return best > std::max(shorter, kMinMatch - 1) ? best : 0;
    };

    std::size_t at = 0;
    std::size_t cachedAt = SIZE_MAX;
    int cachedLength = 0, cachedDistance = 0;
    while (at < size) {
        int distance = 0, length = 0;
        if (cachedAt == at) {
            length = cachedLength;
            distance = cachedDistance;
        } else {
            insertUntil(at);
            length = longestMatch(at, distance, 0, kMaxChain);
        }
        if (length && length < kLazyMatch && at + 1 < size) {
            insertUntil(at + 1);
            cachedAt = at + 1;
            cachedLength = longestMatch(at + 1, cachedDistance, length, kLazyChain);
            if (cachedLength)
                length = 0;
        }
        if (length) {
            tokens.push_back({std::uint16_t(length), std::uint16_t(distance)});
            at += std::size_t(length);
        } else {
            tokens.push_back({data[at], 0});
            ++at;
        }
    }
    return tokens;
}

// Huffman code lengths for the symbol counts, none longer than `limit`. When the optimal tree is
// too deep the counts are halved and the tree built again, flattening it a little each time.
std::vector<std::uint8_t> BuildCodeLengths(const std::vector<std::uint32_t>& counts, int limit)
{
    std::vector<std::uint8_t> lengths(counts.size(), 0);
    std::vector<int> used;
    for (std::size_t i = 0; i < counts.size(); ++i)
        if (counts[i])
            used.push_back(int(i));
    if (used.size() < 2) {
        // One symbol still gets a complete two-code set: every decoder accepts that.
        const int first = used.empty() ? 0 : used[0];
        lengths[first] = 1;
        lengths[first == 0 ? 1 : 0] = 1;
        return lengths;
    }
    std::vector<std::uint64_t> weights(used.size());
    for (std::size_t i = 0; i < used.size(); ++i)
        weights[i] = counts[used[i]];
    using Node = std::pair<std::uint64_t, int>;
    for (;;) {
        // Nodes 0..used-1 are the symbols, later ones the merged pairs, so a parent always has a
        // higher index than its children.
        std::vector<int> parent(2 * used.size() - 1, -1);
        std::priority_queue<Node, std::vector<Node>, std::greater<Node>> queue;
        for (std::size_t i = 0; i < used.size(); ++i)
            queue.push({weights[i], int(i)});
        int next = int(used.size());
        while (queue.size() > 1) {
            const Node a = queue.top();
            queue.pop();
            const Node b = queue.top();
            queue.pop();
            parent[a.second] = parent[b.second] = next;
            queue.push({a.first + b.first, next++});
        }
        std::vector<int> depth(parent.size(), 0);
        for (int i = int(parent.size()) - 2; i >= 0; --i)
            depth[i] = depth[parent[i]] + 1;
        if (*std::max_element(depth.begin(), depth.begin() + used.size()) <= limit) {
            for (std::size_t i = 0; i < used.size(); ++i)
                lengths[used[i]] = std::uint8_t(depth[i]);
            return lengths;
        }
        for (std::uint64_t& weight : weights)
            weight = (weight + 1) / 2;
    }
}

// A Huffman code ready to write: lengths and the canonical codes, bit-reversed because deflate
// sends Huffman codes from their most significant bit.
struct HuffmanCode {
    std::vector<std::uint8_t> lengths;
    std::vector<std::uint16_t> codes;
};

HuffmanCode MakeCode(std::vector<std::uint8_t> lengths)
{
    HuffmanCode code;
    code.codes = ReversedCanonicalCodes(lengths.data(), lengths.size());
    code.lengths = std::move(lengths);
    return code;
}

const HuffmanCode& FixedLiteralCode()
{
    static const HuffmanCode code = MakeCode(FixedLiteralLengths());
    return code;
}

const HuffmanCode& FixedDistanceCode()
{
    static const HuffmanCode code =
        MakeCode(std::vector<std::uint8_t>(kFixedDistanceSymbols, kFixedDistanceLength));
    return code;
}

// A code-length alphabet symbol (0..18) with the value of its extra bits.
struct LengthSymbol {
    std::uint8_t symbol;
    std::uint8_t extra;
};

const std::uint8_t kCodeLengthExtraBits[kCodeLengthSymbols] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                               0, 0, 0, 0, 0, 0, 2, 3, 7};

// The literal/length and distance code lengths as one sequence, runs shortened with symbols 16
// (repeat the previous length 3-6 times), 17 (3-10 zeros) and 18 (11-138 zeros).
std::vector<LengthSymbol> RunLengthEncode(const std::vector<std::uint8_t>& lengths)
{
    std::vector<LengthSymbol> out;
    for (std::size_t i = 0; i < lengths.size();) {
        const std::uint8_t value = lengths[i];
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == value)
            ++run;
        i += run;
        if (value == 0) {
            while (run >= 11) {
                const std::size_t n = std::min<std::size_t>(run, 138);
                out.push_back({18, std::uint8_t(n - 11)});
                run -= n;
            }
            if (run >= 3) {
                out.push_back({17, std::uint8_t(run - 3)});
                run = 0;
            }
        } else {
            out.push_back({value, 0});
            --run;
            while (run >= 3) {
                const std::size_t n = std::min<std::size_t>(run, 6);
                out.push_back({16, std::uint8_t(n - 3)});
                run -= n;
            }
        }
        for (; run > 0; --run)
            out.push_back({value, 0});
    }
    return out;
}

// Bits needed for the tokens' codes (extra bits left out: they are the same in every block kind).
std::uint64_t CodeBits(const std::vector<std::uint32_t>& counts, const HuffmanCode& code)
{
    std::uint64_t bits = 0;
    for (std::size_t s = 0; s < counts.size(); ++s)
        bits += std::uint64_t(counts[s]) * code.lengths[s];
    return bits;
}

void WriteTokens(BitWriter& out, const Token* tokens, std::size_t count,
                 const HuffmanCode& literals, const HuffmanCode& distances)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Token& t = tokens[i];
        if (!t.distance) {
            out.Put(literals.codes[t.value], literals.lengths[t.value]);
            continue;
        }
        const int l = LengthCode(t.value);
        out.Put(literals.codes[257 + l], literals.lengths[257 + l]);
        out.Put(t.value - kLengthBase[l], kLengthExtraBits[l]);
        const int d = DistanceCode(t.distance);
        out.Put(distances.codes[d], distances.lengths[d]);
        out.Put(t.distance - kDistanceBase[d], kDistanceExtraBits[d]);
    }
    out.Put(literals.codes[kEndOfBlock], literals.lengths[kEndOfBlock]);
}

// Writes one block of tokens covering `raw`, in the shortest of the three block kinds.
void WriteBlock(BitWriter& out, const Token* tokens, std::size_t count, const std::uint8_t* raw,
                std::size_t rawSize, bool last)
{
    std::vector<std::uint32_t> literalCounts(kLiteralLengthSymbols, 0);
    std::vector<std::uint32_t> distanceCounts(kDistanceCodes, 0);
    std::uint64_t extraBits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!tokens[i].distance) {
            ++literalCounts[tokens[i].value];
            continue;
        }
        const int l = LengthCode(tokens[i].value), d = DistanceCode(tokens[i].distance);
        ++literalCounts[257 + l];
        ++distanceCounts[d];
        extraBits += kLengthExtraBits[l] + kDistanceExtraBits[d];
    }
    literalCounts[kEndOfBlock] = 1;

    const HuffmanCode literals = MakeCode(BuildCodeLengths(literalCounts, kMaxCodeLength));
    const HuffmanCode distances = MakeCode(BuildCodeLengths(distanceCounts, kMaxCodeLength));
    std::size_t literalCount = kLiteralLengthSymbols, distanceCount = kDistanceCodes;
    while (literalCount > 257 && !literals.lengths[literalCount - 1])
        --literalCount;
    while (distanceCount > 1 && !distances.lengths[distanceCount - 1])
        --distanceCount;
    std::vector<std::uint8_t> allLengths(literals.lengths.begin(),
                                         literals.lengths.begin() + literalCount);
    allLengths.insert(allLengths.end(), distances.lengths.begin(),
                      distances.lengths.begin() + distanceCount);
    const std::vector<LengthSymbol> runs = RunLengthEncode(allLengths);
    std::vector<std::uint32_t> runCounts(kCodeLengthSymbols, 0);
    for (const LengthSymbol& run : runs)
        ++runCounts[run.symbol];
    const HuffmanCode lengthCode = MakeCode(BuildCodeLengths(runCounts, kMaxCodeLengthCodeLength));
    int orderCount = kCodeLengthSymbols;
    while (orderCount > 4 && !lengthCode.lengths[kCodeLengthOrder[orderCount - 1]])
        --orderCount;

    std::uint64_t dynamicBits = 3 + 5 + 5 + 4 + 3 * std::uint64_t(orderCount) +
                                CodeBits(literalCounts, literals) +
                                CodeBits(distanceCounts, distances) + extraBits;
    for (const LengthSymbol& run : runs)
        dynamicBits += lengthCode.lengths[run.symbol] + kCodeLengthExtraBits[run.symbol];
    std::vector<std::uint32_t> fixedLiteralCounts = literalCounts;
    fixedLiteralCounts.resize(kFixedLiteralSymbols, 0);
    distanceCounts.resize(kFixedDistanceSymbols, 0);
    const std::uint64_t fixedBits = 3 + CodeBits(fixedLiteralCounts, FixedLiteralCode()) +
                                    CodeBits(distanceCounts, FixedDistanceCode()) + extraBits;
    const std::uint64_t storedBits = 8 * (std::uint64_t(rawSize) + 5 * (rawSize / 65535 + 1)) + 7;

    if (storedBits < fixedBits && storedBits < dynamicBits) {
        std::size_t offset = 0;
        do {
            const std::size_t piece = std::min<std::size_t>(rawSize - offset, 65535);
            const bool final = last && offset + piece == rawSize;
            out.Put(final ? 1 : 0, 3);  // BFINAL, block type 0
            out.AlignToByte();
            out.Put(std::uint32_t(piece), 16);
            out.Put(std::uint32_t(~piece & 0xFFFF), 16);
            for (std::size_t i = 0; i < piece; ++i)
                out.Put(raw[offset + i], 8);
            offset += piece;
        } while (offset < rawSize);
    } else if (fixedBits <= dynamicBits) {
        out.Put((last ? 1 : 0) | (1 << 1), 3);
        WriteTokens(out, tokens, count, FixedLiteralCode(), FixedDistanceCode());
    } else {
        out.Put((last ? 1 : 0) | (2 << 1), 3);
        out.Put(std::uint32_t(literalCount - 257), 5);
        out.Put(std::uint32_t(distanceCount - 1), 5);
        out.Put(std::uint32_t(orderCount - 4), 4);
        for (int i = 0; i < orderCount; ++i)
            out.Put(lengthCode.lengths[kCodeLengthOrder[i]], 3);
        for (const LengthSymbol& run : runs) {
            out.Put(lengthCode.codes[run.symbol], lengthCode.lengths[run.symbol]);
            out.Put(run.extra, kCodeLengthExtraBits[run.symbol]);
        }
        WriteTokens(out, tokens, count, literals, distances);
    }
}

// Filters one row of RGB bytes against the row above (null for the first row) into `out`, with
// the filter type first; returns the sum of the filtered bytes taken as signed values, the usual
// estimate of how well the row will compress.
unsigned FilterRow(int filter, const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
                   std::uint8_t* out)
{
    constexpr std::size_t kPixel = 3;
    out[0] = std::uint8_t(filter);
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int a = i >= kPixel ? row[i - kPixel] : 0;
        const int b = above ? above[i] : 0;
        const int c = (above && i >= kPixel) ? above[i - kPixel] : 0;
        int predicted = 0;
        switch (filter) {
        case 1:
            predicted = a;
            break;
        case 2:
            predicted = b;
            break;
        case 3:
            predicted = (a + b) / 2;
            break;
        case 4: {
            const int p = a + b - c;
            const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            break;
        }
        default:
            break;
        }
        const std::uint8_t value = std::uint8_t(row[i] - predicted);
        out[1 + i] = value;
        sum += value < 128 ? value : 256 - value;
    }
    return sum;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc)
{
    const std::uint32_t* table = CrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler)
{
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    // 5552 bytes is the most that can be summed before b may overflow 32 bits.
    while (size > 0) {
        const std::size_t n = std::min<std::size_t>(size, 5552);
        for (std::size_t i = 0; i < n; ++i) {
            a += data[i];
            b += a;
        }
        a %= 65521u;
        b %= 65521u;
        data += n;
        size -= n;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> CompressZlib(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> z;
    if (!data)
        size = 0;
    // Header: deflate with a 32K window, no dictionary, check bits making it a multiple of 31.
    z.push_back(0x78);
    z.push_back(0xDA);
    const std::vector<Token> tokens = FindMatches(data, size);
    BitWriter bits(z);
    std::size_t rawAt = 0;
    for (std::size_t first = 0;;) {
        const std::size_t count = std::min(kTokensPerBlock, tokens.size() - first);
        std::size_t rawSize = 0;
        for (std::size_t i = first; i < first + count; ++i)
            rawSize += tokens[i].distance ? tokens[i].value : 1;
        const bool last = first + count == tokens.size();
        WriteBlock(bits, tokens.data() + first, count, data + rawAt, rawSize, last);
        rawAt += rawSize;
        first += count;
        if (last)
            break;
    }
    bits.AlignToByte();
    PutBigEndian32(z, Adler32(data, size));
    return z;
}

std::vector<std::uint8_t> EncodePngBgrx(int width, int height, const void* pixels, int stride)
{
    std::vector<std::uint8_t> png;
    // 16384 x 16384 keeps every size computation far inside 32 bits.
    if (!pixels || width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        stride < width * 4)
        return png;

    // Each row: RGB bytes, then the best of the five filters against the row above.
    const std::size_t rgbBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t rowBytes = 1 + rgbBytes;
    std::vector<std::uint8_t> filtered(rowBytes * height);
    std::vector<std::uint8_t> rgb[2] = {std::vector<std::uint8_t>(rgbBytes),
                                        std::vector<std::uint8_t>(rgbBytes)};
    std::vector<std::uint8_t> trial(rowBytes);
    const std::uint8_t* src = static_cast<const std::uint8_t*>(pixels);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rgb[y & 1].data();
        const std::uint8_t* above = y > 0 ? rgb[(y - 1) & 1].data() : nullptr;
        const std::uint8_t* bgrx = src + static_cast<std::size_t>(stride) * y;
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = bgrx[4 * x + 2];
            row[3 * x + 1] = bgrx[4 * x + 1];
            row[3 * x + 2] = bgrx[4 * x + 0];
        }
        std::uint8_t* dst = &filtered[rowBytes * y];
        unsigned best = FilterRow(0, row, above, rgbBytes, dst);
        for (int filter = 1; filter <= 4 && best > 0; ++filter) {
            const unsigned sum = FilterRow(filter, row, above, rgbBytes, trial.data());
            if (sum < best) {
                best = sum;
                std::memcpy(dst, trial.data(), rowBytes);
            }
        }
    }
    const std::vector<std::uint8_t> z = CompressZlib(filtered.data(), filtered.size());

    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.insert(png.end(), signature, signature + 8);
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(width));
    PutBigEndian32(header, static_cast<std::uint32_t>(height));
    header.push_back(8);  // bits per sample
    header.push_back(2);  // colour type: RGB
    header.push_back(0);  // deflate
    header.push_back(0);  // adaptive filtering
    header.push_back(0);  // no interlace
    PutChunk(png, "IHDR", header.data(), header.size());
    PutChunk(png, "IDAT", z.data(), z.size());
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

bool WritePngBgrx(const char* path, int width, int height, const void* pixels, int stride)
{
    if (!path || !*path)
        return false;
    std::vector<std::uint8_t> png = EncodePngBgrx(width, height, pixels, stride);
    if (png.empty())
        return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        std::remove(path);
    return ok;
}

}  // namespace mirdalux
