#pragma once

#include <cstddef>
#include <cstdint>

// The vector kernels of WriteBandDots and WriteColumnDots (imaging/BitTranspose.h), with
// the same arguments; only for a CPU that CpuRuns says runs them. x86-64 only.
namespace quillora {

void WriteBandDotsSse2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                       std::uint8_t* out);
void WriteBandDotsAvx2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                       std::uint8_t* out);
void WriteColumnDotsSse2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                         std::uint32_t rowGroups, std::uint8_t* out);
void WriteColumnDotsAvx2(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                         std::uint32_t rowGroups, std::uint8_t* out);

}  // namespace quillora
