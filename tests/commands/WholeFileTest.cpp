#include "commands/WholeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <fstream>

namespace quillora {
namespace {

class WholeFileTest : public testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string Write(const char* name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    QTemporaryDir dir;
};

TEST_F(WholeFileTest, ReadsEveryByteUnchanged) {
    std::string bytes;
    for (int value = 0; value < 256; ++value) bytes += char(value);
    bytes += std::string("\r\n\x00\xFF", 4) + std::string(70000, 'x');
    const WholeFile file = ReadWholeFile(Write("all.bin", bytes));
    EXPECT_EQ(file.outcome, WholeFile::Outcome::Read);
    EXPECT_EQ(file.bytes, bytes);
    EXPECT_FALSE(file.error);
}

TEST_F(WholeFileTest, EmptyFileIsReadAsNoBytes) {
    const WholeFile file = ReadWholeFile(Write("empty.bin", ""));
    EXPECT_EQ(file.outcome, WholeFile::Outcome::Read);
    EXPECT_TRUE(file.bytes.empty());
}

TEST_F(WholeFileTest, FailuresCarryTheOsError) {
    const WholeFile missing = ReadWholeFile(Path("missing.bin"));
    EXPECT_EQ(missing.outcome, WholeFile::Outcome::CannotOpen);
    EXPECT_EQ(missing.error, std::errc::no_such_file_or_directory);

    const WholeFile directory = ReadWholeFile(dir.path().toStdString());
    EXPECT_EQ(directory.outcome, WholeFile::Outcome::CannotRead);
    EXPECT_EQ(directory.error, std::errc::is_a_directory);
}

TEST_F(WholeFileTest, FileLongerThanOneSendIsRefusedWithoutReadingIt) {
    // Sparse: takes no disk space, and nothing of it may be allocated.
    const std::string path = Write("huge.bin", "");
    ASSERT_EQ(::truncate(path.c_str(), kMaxSendLength + 1), 0);
    const WholeFile file = ReadWholeFile(path);
    EXPECT_EQ(file.outcome, WholeFile::Outcome::TooLarge);
    EXPECT_TRUE(file.bytes.empty());
    EXPECT_EQ(file.error, std::errc::file_too_large);
}

}  // namespace
}  // namespace quillora
