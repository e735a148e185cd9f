#include "TestBitmaps.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "BmpFiles.h"

namespace quillora::test {

BmpReadResult ReadBmpBytes(const std::string& bytes, int rowMultiple) {
    std::string path = (std::filesystem::temp_directory_path() / "quillora-bmp-XXXXXX").string();
    const int fd = mkstemp(path.data());
    EXPECT_GE(fd, 0);
    close(fd);
    WriteBinaryFile(path, bytes);
    BmpReadResult result = ReadPaddedBitmap(path, rowMultiple);
    std::filesystem::remove(path);
    return result;
}

PaddedBitmap ReadGoodBmp(const std::string& bytes, int rowMultiple) {
    BmpReadResult result = ReadBmpBytes(bytes, rowMultiple);
    if (const auto* error = std::get_if<BmpReadError>(&result)) {
        ADD_FAILURE() << "refused: " << BmpReadFailureText(error->failure);
        return {};
    }
    return std::move(std::get<PaddedBitmap>(result));
}

std::string Hex(std::span<const std::uint8_t> bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t byte : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 0x0F];
    }
    return out;
}

std::string Hex(const std::string& bytes) {
    return Hex(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace quillora::test
