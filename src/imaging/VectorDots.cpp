// The dot conversions on 16 (SSE2) or 32 (AVX2) column groups at once. One body written
// with the compiler's vector types serves both: it is inlined into each entry point, and
// the AVX2 entry point's target attribute makes it 32-byte AVX2 code, chosen at run time.
#include "imaging/VectorDots.h"

#if defined(__x86_64__)

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace quillora {
namespace {

template <typename Element, int Size>
struct Vector {
    typedef Element Type __attribute__((vector_size(Size)));
    // The same at any address and read as any type, for loads and stores.
    typedef Element Unaligned __attribute__((vector_size(Size), aligned(1), may_alias));
};

// Index `i` of the interleave of the low (or high) halves of a and b within each 16-byte
// lane, as the unpack instructions do it: a's element, b's, a's next, b's next...
constexpr int InterleaveSource(int i, int count, int perLane, bool high) {
    const int lane = i / perLane, within = i % perLane;
    const int source = lane * perLane + within / 2 + (high ? perLane / 2 : 0);
    return within % 2 == 0 ? source : count + source;
}

// The conversions on Size bytes of each row at once. Vectors go by reference only: these
// are inlined into the entry points, and a 32-byte vector passed by value outside AVX code
// would have another calling convention.
template <int Size>
struct Dots {
    using Bytes = typename Vector<std::uint8_t, Size>::Type;
    using Words = typename Vector<std::uint16_t, Size>::Type;
    using Quads = typename Vector<std::uint64_t, Size>::Type;
    using Unaligned = typename Vector<std::uint8_t, Size>::Unaligned;

    // One load or store, not pieces of one through memory.
    [[gnu::always_inline]] static inline void Load(Bytes& to, const std::uint8_t* from) {
        to = *reinterpret_cast<const Unaligned*>(from);
    }
    template <typename Value>
    [[gnu::always_inline]] static inline void Store(std::uint8_t* to, const Value& value) {
        *reinterpret_cast<Unaligned*>(to) = (Bytes)value;
    }

    // Interleaves the low (High false) or high halves of a and b, Element by Element.
    template <typename Element, bool High, std::size_t... I>
    [[gnu::always_inline]] static inline void Interleave(const Bytes& a, const Bytes& b, Bytes& out,
                                                         std::index_sequence<I...>) {
        using Elements = typename Vector<Element, Size>::Type;
        constexpr int count = Size / sizeof(Element), perLane = 16 / sizeof(Element);
        out = (Bytes)__builtin_shufflevector((Elements)a, (Elements)b,
                                             InterleaveSource(int(I), count, perLane, High)...);
    }

    // One round of a byte transposition: register i and the one half the array further on
    // become registers 2i (their low halves interleaved) and 2i + 1 (the high halves).
    // Every loop over registers here is spelled out at compile time, so that the registers
    // stay registers at -O2 too.
    template <typename Element, std::size_t Count, std::size_t... I>
    [[gnu::always_inline]] static inline void InterleaveRound(std::array<Bytes, Count>& x,
                                                              std::index_sequence<I...>) {
        constexpr auto elements = std::make_index_sequence<Size / sizeof(Element)>();
        std::array<Bytes, Count> next;
        ((Interleave<Element, false>(x[I], x[I + Count / 2], next[2 * I], elements),
          Interleave<Element, true>(x[I], x[I + Count / 2], next[2 * I + 1], elements)),
         ...);
        x = next;
    }
    template <typename Element, std::size_t Count>
    [[gnu::always_inline]] static inline void InterleaveRound(std::array<Bytes, Count>& x) {
        InterleaveRound<Element>(x, std::make_index_sequence<Count / 2>());
    }

    // Exchanges the bits of `a` in `mask` with the bits of `b` `shift` places higher: one
    // step of an 8 x 8 bit transposition done byte by byte across 8 registers.
    template <int Shift, std::uint8_t Mask>
    [[gnu::always_inline]] static inline void SwapBits(Bytes& a, Bytes& b) {
        // 16-bit shifts: the mask drops what crosses from the neighbouring byte.
        const Bytes t = (a ^ (Bytes)((Words)b >> Shift)) & Mask;
        a ^= t;
        b ^= (Bytes)((Words)t << Shift);
    }
    // The step between registers k and k + Shift, for each k whose bit Shift is clear.
    template <int Shift, std::uint8_t Mask, std::size_t K>
    [[gnu::always_inline]] static inline void SwapPair(std::array<Bytes, 8>& r) {
        if constexpr ((K & Shift) == 0) SwapBits<Shift, Mask>(r[K], r[K + Shift]);
    }
    template <int Shift, std::uint8_t Mask, std::size_t... K>
    [[gnu::always_inline]] static inline void SwapRound(std::array<Bytes, 8>& r,
                                                        std::index_sequence<K...>) {
        (SwapPair<Shift, Mask, K>(r), ...);
    }

    // 8 rows, `stride` apart, inverted (1 = dot).
    template <std::size_t... K>
    [[gnu::always_inline]] static inline void LoadInverted(std::array<Bytes, 8>& r,
                                                           const std::uint8_t* rows,
                                                           std::size_t stride,
                                                           std::index_sequence<K...>) {
        ((Load(r[K], rows + K * stride), r[K] = ~r[K]), ...);
    }

    // The registers of a band's columns, groups 2i and 2i + 1 of each 16-byte lane in
    // register i, stored in order. Groups 16 to 31 are in the upper lanes: the lower lanes
    // of two registers go together, and so do the upper ones.
    template <std::size_t... I>
    [[gnu::always_inline]] static inline void StoreBand(const std::array<Bytes, 8>& x,
                                                        std::uint8_t* out,
                                                        std::index_sequence<I...>) {
        if constexpr (Size == 16) {
            (Store(out + 16 * I, x[I]), ...);
        } else {
            (Store(out + 32 * I,
                   __builtin_shufflevector((Quads)x[2 * I], (Quads)x[2 * I + 1], 0, 1, 4, 5)),
             ...);
            (Store(out + 128 + 32 * I,
                   __builtin_shufflevector((Quads)x[2 * I], (Quads)x[2 * I + 1], 2, 3, 6, 7)),
             ...);
        }
    }

    // Size column groups of a band (Size bytes of each of its 8 rows) into Size * 8
    // column bytes in order.
    [[gnu::always_inline]] static inline void BandBlock(const std::uint8_t* rows,
                                                        std::size_t stride, std::uint8_t* out) {
        std::array<Bytes, 8> r;
        constexpr auto eight = std::make_index_sequence<8>();
        LoadInverted(r, rows, stride, eight);
        SwapRound<4, 0x0F>(r, eight);
        SwapRound<2, 0x33>(r, eight);
        SwapRound<1, 0x55>(r, eight);
        // Byte c of r[j] is now column 8c + j. Taken in this order, three rounds put each
        // group's 8 columns side by side, groups 2i and 2i + 1 of each lane in register i.
        std::array<Bytes, 8> x{r[0], r[4], r[2], r[6], r[1], r[5], r[3], r[7]};
        InterleaveRound<std::uint8_t>(x);
        InterleaveRound<std::uint16_t>(x);
        InterleaveRound<std::uint32_t>(x);
        StoreBand(x, out, std::make_index_sequence < Size == 16 ? 8 : 4 > ());
    }

    // A band as column bytes: blocks of Size groups, then blocks of 16, the last of them
    // ending with the band (going over groups already done gives the same bytes again). A
    // band narrower than 16 groups goes through a block of 16 padded with blanks.
    [[gnu::always_inline]] static inline void Band(const std::uint8_t* rows, std::size_t stride,
                                                   std::uint32_t groups, std::uint8_t* out) {
        std::uint32_t group = 0;
        for (; group + Size <= groups; group += Size) {
            BandBlock(rows + group, stride, out + 8 * group);
        }
        if (groups >= 16) {
            for (; group < groups; group += 16) {
                const std::uint32_t at = std::min(group, groups - 16);
                Dots<16>::BandBlock(rows + at, stride, out + 8 * at);
            }
            return;
        }
        if (group == groups) return;
        std::uint8_t padded[8 * 16], columns[8 * 16];
        std::memset(padded, 0xFF, sizeof padded);
        for (std::size_t k = 0; k < 8; ++k) std::memcpy(padded + 16 * k, rows + k * stride, groups);
        Dots<16>::BandBlock(padded, 16, columns);
        std::memcpy(out, columns, 8 * std::size_t(groups));
    }
};

// 16 rows of 16 bytes, `stride` apart, turned into 16 columns of 16 bytes, `outStride`
// apart: out[x * outStride + y] = in[y * stride + x]. The rows are taken in bit-reversed
// order, so that four rounds leave the columns in order.
template <std::size_t... Y>
[[gnu::always_inline]] inline void TransposeBytes16(const std::uint8_t* in, std::size_t stride,
                                                    std::uint8_t* out, std::size_t outStride,
                                                    std::index_sequence<Y...>) {
    std::array<Dots<16>::Bytes, 16> x;
    (Dots<16>::Load(x[Y],
                    in + ((Y & 1) << 3 | (Y & 2) << 1 | (Y & 4) >> 1 | (Y & 8) >> 3) * stride),
     ...);
    Dots<16>::InterleaveRound<std::uint8_t>(x);
    Dots<16>::InterleaveRound<std::uint16_t>(x);
    Dots<16>::InterleaveRound<std::uint32_t>(x);
    Dots<16>::InterleaveRound<std::uint64_t>(x);
    (Dots<16>::Store(out + Y * outStride, x[Y]), ...);
}

// Rows of band bytes (`bands` rows of `width` bytes, `bandStride` apart) written column by
// column: out[x * outStride + band]. Blocks of 16 by 16, the last of each direction ending
// with the rows or columns (going over some again gives the same bytes). Each block's
// stores land within the columns of the block, one block of columns after the other.
[[gnu::always_inline]] inline void BandsToColumns(const std::uint8_t* bandRows,
                                                  std::size_t bandStride, std::uint32_t bands,
                                                  std::uint32_t width, std::uint8_t* out,
                                                  std::size_t outStride) {
    if (bands < 16 || width < 16) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (std::uint32_t band = 0; band < bands; ++band) {
                out[x * outStride + band] = bandRows[band * bandStride + x];
            }
        }
        return;
    }
    for (std::uint32_t next = 0; next < width; next += 16) {
        const std::uint32_t x = std::min(next, width - 16);
        for (std::uint32_t nextBand = 0; nextBand < bands; nextBand += 16) {
            const std::uint32_t band = std::min(nextBand, bands - 16);
            TransposeBytes16(bandRows + band * bandStride + x, bandStride,
                             out + x * outStride + band, outStride, std::make_index_sequence<16>());
        }
    }
}

// Bands converted a block of up to 128 bands by Size groups at a time into band rows, then
// written column by column, so that each block's output (Size * 8 columns of up to 128
// bytes) is written while it is in the cache. The last block of each direction ends with
// the picture, over bands or groups already done when there are enough.
constexpr std::uint32_t kBlockBands = 128;

template <int Size>
[[gnu::always_inline]] inline void ColumnDots(const std::uint8_t* rows, std::size_t stride,
                                              std::uint32_t groups, std::uint32_t rowGroups,
                                              std::uint8_t* out) {
    constexpr std::uint32_t kWidth = 8 * Size;
    alignas(64) std::uint8_t bandRows[kBlockBands * kWidth];
    const std::uint32_t bands = std::min(kBlockBands, rowGroups);
    for (std::uint32_t nextGroup = 0; nextGroup < groups; nextGroup += Size) {
        // Size groups, or what is left rounded up to 16 and moved back to end with the row.
        const std::uint32_t left = groups - nextGroup;
        const std::uint32_t width = left >= Size ? Size : std::min(groups, (left + 15) / 16 * 16);
        const std::uint32_t group = std::min(nextGroup, groups - width);
        for (std::uint32_t nextBand = 0; nextBand < rowGroups; nextBand += kBlockBands) {
            const std::uint32_t first = std::min(nextBand, rowGroups - bands);
            for (std::uint32_t band = 0; band < bands; ++band) {
                Dots<Size>::Band(rows + 8 * std::size_t(first + band) * stride + group, stride,
                                 width, bandRows + band * kWidth);
            }
            BandsToColumns(bandRows, kWidth, bands, 8 * width,
                           out + 8 * std::size_t(group) * rowGroups + first, rowGroups);
        }
    }
}

}  // namespace

void WriteBandDotsSse2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                       std::uint8_t* out) {
    Dots<16>::Band(rows, stride, groups, out);
}

[[gnu::target("avx2")]] void WriteBandDotsAvx2(const std::uint8_t* rows, std::size_t stride,
                                               std::uint32_t groups, std::uint8_t* out) {
    Dots<32>::Band(rows, stride, groups, out);
}

void WriteColumnDotsSse2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                         std::uint32_t rowGroups, std::uint8_t* out) {
    ColumnDots<16>(rows, stride, groups, rowGroups, out);
}

[[gnu::target("avx2")]] void WriteColumnDotsAvx2(const std::uint8_t* rows, std::size_t stride,
                                                 std::uint32_t groups, std::uint32_t rowGroups,
                                                 std::uint8_t* out) {
    ColumnDots<32>(rows, stride, groups, rowGroups, out);
}

}  // namespace quillora

#endif
