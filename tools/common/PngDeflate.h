// The fixed tables of the deflate format that both the PNG writer and the reader need: the base
// values and extra bits of the length and distance codes, and the order of the code-length codes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirdalux {
namespace deflate {

constexpr int kWindowSize = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kEndOfBlock = 256;
constexpr int kLengthCodes = 29;    // literal/length symbols 257..285
constexpr int kDistanceCodes = 30;  // distance symbols 0..29
constexpr int kLiteralLengthSymbols = 257 + kLengthCodes;
constexpr int kCodeLengthSymbols = 19;
constexpr int kMaxCodeLength = 15;
constexpr int kMaxCodeLengthCodeLength = 7;

inline constexpr std::uint16_t kLengthBase[kLengthCodes] = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr std::uint8_t kLengthExtraBits[kLengthCodes] = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
inline constexpr std::uint16_t kDistanceBase[kDistanceCodes] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr std::uint8_t kDistanceExtraBits[kDistanceCodes] = {
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Code lengths of the code-length alphabet are sent in this order, so trailing zeros can be cut.
inline constexpr std::uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The code lengths of the fixed Huffman codes (block type 1): 288 literal/length symbols, then
// 32 distance symbols, all of five bits.
constexpr int kFixedLiteralSymbols = 288;
constexpr int kFixedDistanceSymbols = 32;
inline std::vector<std::uint8_t> FixedLiteralLengths()
{
    std::vector<std::uint8_t> lengths(kFixedLiteralSymbols);
    for (int s = 0; s < kFixedLiteralSymbols; ++s)
        lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    return lengths;
}
constexpr int kFixedDistanceLength = 5;

// The canonical Huffman codes for the given code lengths (0: symbol unused), each bit-reversed
// because deflate packs a Huffman code starting from its most significant bit.
inline std::vector<std::uint16_t> ReversedCanonicalCodes(const std::uint8_t* lengths,
                                                         std::size_t count)
{
    int perLength[kMaxCodeLength + 1] = {};
    for (std::size_t s = 0; s < count; ++s)
        ++perLength[lengths[s]];
    perLength[0] = 0;
    int next[kMaxCodeLength + 1] = {};
    for (int bits = 1, value = 0; bits <= kMaxCodeLength; ++bits) {
        value = (value + perLength[bits - 1]) << 1;
        next[bits] = value;
    }
    std::vector<std::uint16_t> codes(count, 0);
    for (std::size_t s = 0; s < count; ++s) {
        const int length = lengths[s];
        if (!length)
            continue;
        const int value = next[length]++;
        int reversed = 0;
        for (int bit = 0; bit < length; ++bit)
            reversed |= ((value >> bit) & 1) << (length - 1 - bit);
        codes[s] = std::uint16_t(reversed);
    }
    return codes;
}

}  // namespace deflate
}  // namespace mirdalux
