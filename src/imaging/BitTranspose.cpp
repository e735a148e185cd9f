#include "imaging/BitTranspose.h"

#include <bit>
#include <cstring>

#include "imaging/VectorDots.h"

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace quillora {
namespace {

#if defined(__x86_64__)
constexpr bool kVectorKernels = true;

// Asked at the first picture. The compiler's own CPU probe runs at every program start,
// picture or not, and its cpuid instructions each trap to the hypervisor on a virtual
// machine: a command-line run that only cuts paid for it.
bool CpuHasAvx2() {
    static const bool has = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
        if ((ecx & bit_OSXSAVE) == 0 || (ecx & bit_AVX) == 0) return false;
        std::uint32_t low = 0, high = 0;
        asm("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        // The system must save the SSE and AVX registers across task switches.
        if ((low & 0x6u) != 0x6u) return false;
        if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
        return (ebx & bit_AVX2) != 0;
    }();
    return has;
}
#else
constexpr bool kVectorKernels = false;
#endif

// One 8-dot column group of 8 picture rows: the byte at `first` and the 7 below it,
// `stride` bytes apart, the first in the top byte.
std::uint64_t GatherColumnGroup(const std::uint8_t* first, std::size_t stride) {
    std::uint64_t rows = 0;
    for (int row = 0; row < 8; ++row) rows = rows << 8 | first[std::size_t(row) * stride];
    return rows;
}

// Turns 8 picture rows of one 8-dot column group (first row in the top byte) into its 8
// printer columns (leftmost column in the top byte): an inversion and an 8 x 8 bit
// transposition.
std::uint64_t DotColumns(std::uint64_t rows) {
    std::uint64_t x = ~rows;
    std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    return x;
}

// Byte `index` (0 = top) of a value built by DotColumns.
std::uint8_t ByteOf(std::uint64_t value, int index) {
    return std::uint8_t(value >> (56 - 8 * index));
}

// Stores a value built by DotColumns as 8 consecutive bytes, the top byte first.
void StoreColumns(std::uint8_t* out, std::uint64_t value) {
    if constexpr (std::endian::native == std::endian::little) value = __builtin_bswap64(value);
    std::memcpy(out, &value, sizeof value);
}

void WriteBandDotsScalar(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                         std::uint8_t* out) {
    for (std::uint32_t group = 0; group < groups; ++group) {
        StoreColumns(out + 8 * std::size_t(group),
                     DotColumns(GatherColumnGroup(rows + group, stride)));
    }
}

void WriteColumnDotsScalar(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                           std::uint32_t rowGroups, std::uint8_t* out) {
    for (std::uint32_t group = 0; group < groups; ++group) {
        // Dot columns 8 * group to 8 * group + 7, each rowGroups bytes long.
        std::uint8_t* columns = out + std::size_t(group) * 8 * rowGroups;
        for (std::uint32_t g = 0; g < rowGroups; ++g) {
            const std::uint64_t dots =
                DotColumns(GatherColumnGroup(rows + 8 * g * stride + group, stride));
            for (int column = 0; column < 8; ++column) {
                columns[std::size_t(column) * rowGroups + g] = ByteOf(dots, column);
            }
        }
    }
}

}  // namespace

bool CpuRuns(DotKernel kernel) {
    switch (kernel) {
        case DotKernel::Scalar:
            return true;
        case DotKernel::Sse2:
            return kVectorKernels;  // part of every x86-64 CPU
        case DotKernel::Avx2:
#if defined(__x86_64__)
            return CpuHasAvx2();
#else
            return false;
#endif
    }
    return false;
}

DotKernel FastestDotKernel() {
    if (CpuRuns(DotKernel::Avx2)) return DotKernel::Avx2;
    return CpuRuns(DotKernel::Sse2) ? DotKernel::Sse2 : DotKernel::Scalar;
}

void WriteBandDots(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                   std::uint8_t* out, DotKernel kernel) {
#if defined(__x86_64__)
    if (kernel == DotKernel::Avx2) return WriteBandDotsAvx2(rows, stride, groups, out);
    if (kernel == DotKernel::Sse2) return WriteBandDotsSse2(rows, stride, groups, out);
#endif
    WriteBandDotsScalar(rows, stride, groups, out);
}

void WriteColumnDots(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                     std::uint32_t rowGroups, std::uint8_t* out, DotKernel kernel) {
#if defined(__x86_64__)
    if (kernel == DotKernel::Avx2) return WriteColumnDotsAvx2(rows, stride, groups, rowGroups, out);
    if (kernel == DotKernel::Sse2) return WriteColumnDotsSse2(rows, stride, groups, rowGroups, out);
#endif
    WriteColumnDotsScalar(rows, stride, groups, rowGroups, out);
}

}  // namespace quillora
