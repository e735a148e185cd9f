#include "imaging/BmpReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "platform/InputFile.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

constexpr std::size_t kHeadersSize = 14 + 40;
constexpr std::size_t kWidthOffset = 18, kHeightOffset = 22, kBitCountOffset = 28;

BmpReadError Failure(BmpReadFailure failure, int osError = 0) {
    return {failure,
            osError == 0 ? std::error_code{} : std::error_code(osError, std::generic_category())};
}

// Where the bytes come from: the open file, or what a stream gave.
struct BmpSource {
    int fd = -1;
    const std::vector<char>* stream = nullptr;
};

// Reads exactly `size` bytes at `offset`; a file that ends early is Incomplete.
std::optional<BmpReadError> ReadAt(const BmpSource& source, std::uint8_t* buffer, std::size_t size,
                                   off_t offset) {
    if (source.stream != nullptr) {
        if (std::uint64_t(offset) + size > source.stream->size()) {
            return Failure(BmpReadFailure::Incomplete);
        }
        std::copy_n(source.stream->data() + offset, size, buffer);
        return std::nullopt;
    }
    while (size > 0) {
        const ssize_t got = pread(source.fd, buffer, size, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Failure(BmpReadFailure::ReadFailed, errno);
        if (got == 0) return Failure(BmpReadFailure::Incomplete);
        buffer += got;
        size -= std::size_t(got);
        offset += got;
    }
    return std::nullopt;
}

std::int32_t LittleEndian32(const std::uint8_t* bytes) {
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                        std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

std::uint16_t LittleEndian16(const std::uint8_t* bytes) {
    return std::uint16_t(bytes[0] | bytes[1] << 8);
}

// Blanks every bit of a row from `width` on.
void BlankPastWidth(std::uint8_t* row, std::uint32_t rowBytes, std::int32_t width) {
    const std::uint32_t whole = std::uint32_t(width) / 8;
    const int rest = width % 8;
    std::uint32_t firstBlank = whole;
    if (rest != 0) {
        row[whole] = MaskTrailingBits(row[whole], rest);
        firstBlank = whole + 1;
    }
    std::fill(row + firstBlank, row + rowBytes, std::uint8_t{0xFF});
}

// Takes Width, Height and BitCount from the two headers and derives the layout, refusing
// every size that cannot be read safely or that no printer could take.
std::optional<BmpReadError> TakeLayout(const std::uint8_t* headers, int rowMultiple,
                                       PaddedBitmap& bitmap) {
    bitmap.Width = LittleEndian32(headers + kWidthOffset);
    bitmap.Height = LittleEndian32(headers + kHeightOffset);
    bitmap.BitCount = LittleEndian16(headers + kBitCountOffset);
    if (bitmap.Height < 0) return Failure(BmpReadFailure::TopDown);
    if (bitmap.Width <= 0 || bitmap.Height == 0 || bitmap.BitCount == 0) {
        return Failure(BmpReadFailure::InvalidSize);
    }
    if (bitmap.Height > kMaxBitmapHeight) return Failure(BmpReadFailure::TooLarge);

    // 64-bit arithmetic: Width * BitCount alone can pass 2^32.
    const std::uint64_t rowBits = (std::uint64_t(bitmap.Width) * bitmap.BitCount + 31) / 32 * 32;
    const std::uint64_t multiple = std::uint64_t(std::max(rowMultiple, 1));
    const std::uint64_t paddedHeight =
        (std::uint64_t(bitmap.Height) + multiple - 1) / multiple * multiple;
    // Cannot overflow: rowBits / 8 < 2^45 and paddedHeight < 2^17.
    if (rowBits / 8 * paddedHeight > kMaxPixelBlockBytes) return Failure(BmpReadFailure::TooLarge);
    bitmap.RowBits = std::uint32_t(rowBits);
    bitmap.RowBytes = std::uint32_t(rowBits / 8);
    bitmap.PaddedHeight = std::uint32_t(paddedHeight);
    return std::nullopt;
}

// The pixel block holds the file's rows as stored, bottom row first, in its first
// Height rows: turn them top first, blank what lies past the width and below the height.
void PadRows(PaddedBitmap& bitmap) {
    std::uint8_t* pixels = bitmap.Pixels.data();
    const std::size_t rowBytes = bitmap.RowBytes;
    const std::uint32_t height = std::uint32_t(bitmap.Height);
    for (std::uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels + top * rowBytes, pixels + (top + 1) * rowBytes,
                         pixels + bottom * rowBytes);
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        BlankPastWidth(pixels + row * rowBytes, bitmap.RowBytes, bitmap.Width);
    }
    std::fill(pixels + height * rowBytes, pixels + bitmap.Pixels.size(), std::uint8_t{0xFF});
}

}  // namespace

std::uint8_t MaskTrailingBits(std::uint8_t value, int keep) {
    if (keep <= 0) return 0xFF;
    if (keep >= 8) return value;
    return std::uint8_t(value | (0xFFu >> keep));
}

BmpReadResult ReadPaddedBitmap(const std::string& path, int rowMultiple) {
    const OpenedInput file = OpenInput(path);
    if (file.error) return BmpReadError{BmpReadFailure::CannotOpen, file.error};
    BmpSource source{file.fd.Get(), nullptr};
    StreamBytes stream;
    if (!file.seekable) {
        stream = ReadToEnd(file.fd.Get(), kMaxStreamedBitmap);
        if (stream.error) return BmpReadError{BmpReadFailure::ReadFailed, stream.error};
        if (stream.tooLarge) return Failure(BmpReadFailure::TooLarge);
        source.stream = &stream.bytes;
    }
    const std::uint64_t fileSize = file.seekable ? std::uint64_t(file.length) : stream.bytes.size();

    std::uint8_t headers[kHeadersSize];
    if (fileSize == 0) return Failure(BmpReadFailure::Empty);
    if (fileSize < kHeadersSize) return Failure(BmpReadFailure::Incomplete);
    if (auto error = ReadAt(source, headers, kHeadersSize, 0)) return *error;
    PaddedBitmap bitmap;
    if (auto error = TakeLayout(headers, rowMultiple, bitmap)) return *error;
    const std::uint64_t pixelBytes = std::uint64_t(bitmap.RowBytes) * std::uint32_t(bitmap.Height);
    if (fileSize < pixelBytes) return Failure(BmpReadFailure::Incomplete);

    std::error_code mapError;
    bitmap.Pixels =
        LockedPages::Allocate(std::size_t(bitmap.RowBytes) * bitmap.PaddedHeight, mapError);
    if (mapError) return BmpReadError{BmpReadFailure::NoMemory, mapError};
    // The rows are the file's last pixelBytes bytes: one read instead of one per row.
    if (auto error =
            ReadAt(source, bitmap.Pixels.data(), pixelBytes, off_t(fileSize - pixelBytes))) {
        return *error;
    }
    PadRows(bitmap);
    return bitmap;
}

const char* BmpReadFailureText(BmpReadFailure failure) {
    switch (failure) {
        case BmpReadFailure::CannotOpen:
            return texts::TranslateLater("BmpReader", "打开文件失败!");
        case BmpReadFailure::Empty:
            return texts::TranslateLater("BmpReader", "BMP文件是空的!");
        case BmpReadFailure::Incomplete:
            return texts::TranslateLater("BmpReader", "BMP文件不完整!");
        case BmpReadFailure::TopDown:
            return texts::TranslateLater("BmpReader", "不支持自上而下存储的BMP文件!");
        case BmpReadFailure::InvalidSize:
            return texts::TranslateLater("BmpReader", "BMP文件的宽度、高度或位数无效!");
        case BmpReadFailure::TooLarge:
            return texts::TranslateLater("BmpReader", "BMP图像过大,打印机无法接受!");
        case BmpReadFailure::NoMemory:
            return texts::TranslateLater("BmpReader", "内存不足,无法完成测试!");
        case BmpReadFailure::ReadFailed:
            return texts::TranslateLater("BmpReader", "读取文件失败!");
    }
    return texts::TranslateLater("BmpReader", "打开文件失败!");
}

}  // namespace quillora
