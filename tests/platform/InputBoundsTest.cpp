// Every input reader fed from pipes, devices, empty and huge sparse files and symbolic
// links: each gives a clear outcome, never waits for a pipe's missing writer, and never
// holds more than its bound. This program counts the bytes held through operator new
// (its own, replaced below), so a reader that grows without bound fails the count.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

#include "BmpFiles.h"
#include "checks/SampleText.h"
#include "commands/WholeFile.h"
#include "imaging/BmpReader.h"
#include "platform/ProfileFile.h"
#include "platform/ProfileTarget.h"
#include "platform/UniqueFd.h"

namespace {

std::atomic<std::int64_t> heldBytes{0}, peakBytes{0};

void* Take(std::size_t size) {
    // The size rides in front of the block, so that delete can count it back.
    auto* block = static_cast<std::max_align_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::int64_t now = heldBytes += std::int64_t(size);
    for (std::int64_t peak = peakBytes;
         now > peak && !peakBytes.compare_exchange_weak(peak, now);) {
    }
    return block + 1;
}

void Give(void* pointer) {
    if (pointer == nullptr) return;
    auto* block = static_cast<std::max_align_t*>(pointer) - 1;
    heldBytes -= std::int64_t(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Take(size);
}
void* operator new[](std::size_t size) {
    return Take(size);
}
void operator delete(void* pointer) noexcept {
    Give(pointer);
}
void operator delete[](void* pointer) noexcept {
    Give(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Give(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Give(pointer);
}
// The non-throwing forms too: a sanitizer's runtime brings its own, whose blocks the
// deletes above could not give back, and the library uses them (temporary buffers).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Take(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Give(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Give(pointer);
}

namespace quillora::test {
namespace {

constexpr std::int64_t kMiB = std::int64_t{1} << 20;

// The most a read may hold above what was held before it.
class HeldBytes {
public:
    HeldBytes() : start_(heldBytes) { peakBytes = start_; }
    std::int64_t PeakAbove() const { return peakBytes - start_; }

private:
    std::int64_t start_;
};

class InputBounds : public testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string Fifo() const {
        const std::string path = Path("fifo");
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    std::string Sparse(std::int64_t length) const {
        const std::string path = Path("sparse");
        const UniqueFd file(::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        EXPECT_EQ(::ftruncate(file.Get(), length), 0);
        return path;
    }
    std::string Linked(const std::string& target) const {
        const std::string path = Path("link");
        EXPECT_EQ(::symlink(target.c_str(), path.c_str()), 0);
        return path;
    }
    std::string Written(const char* name, const std::string& bytes) const {
        EXPECT_TRUE(WriteBinaryFile(Path(name), bytes));
        return Path(name);
    }

    QTemporaryDir dir;
};

// A pipe whose writer sends `bytes` and goes; its path as /proc gives it.
class Pipe {
public:
    explicit Pipe(std::string bytes) {
        int ends[2];
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        read_ = UniqueFd(ends[0]);
        writer_ = std::jthread([fd = UniqueFd(ends[1]), bytes = std::move(bytes)] {
            for (std::size_t done = 0; done < bytes.size();) {
                const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
                if (n <= 0) return;
                done += std::size_t(n);
            }
        });
    }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(read_.Get()); }

private:
    UniqueFd read_;
    std::jthread writer_;
};

struct FileCase {
    std::string path;
    WholeFile::Outcome outcome;
    std::int64_t length;
};

// The bounds below mean something only while the count sees the program's allocations;
// a sanitizer's runtime must not take them over unnoticed.
TEST(InputBoundsCount, EveryFormOfNewIsCounted) {
    const std::int64_t before = heldBytes;
    const HeldBytes held;
    void* plain = ::operator new(kMiB);
    void* array = ::operator new[](kMiB);
    void* nothrow = ::operator new(kMiB, std::nothrow);
    EXPECT_GE(held.PeakAbove(), 3 * kMiB);
    ::operator delete(nothrow, std::nothrow);
    ::operator delete[](array);
    ::operator delete(plain);
    EXPECT_EQ(heldBytes.load(), before) << "every block given back";
}

TEST_F(InputBounds, PrintFileReadsStreamsToTheirEndAndRefusesEndlessOnes) {
    Pipe pipe("x\n");
    const std::string data = Written("data", "abc");
    const std::vector<FileCase> cases{
        {pipe.Path(), WholeFile::Outcome::Read, 2},
        {Fifo(), WholeFile::Outcome::Read, 0},  // its writer never came: empty, no wait
        {"/dev/null", WholeFile::Outcome::Read, 0},
        {"/dev/zero", WholeFile::Outcome::TooLarge, 0},
        {Written("empty", ""), WholeFile::Outcome::Read, 0},
        {Linked(data), WholeFile::Outcome::Read, 3},
        {Sparse(std::int64_t{4} << 30), WholeFile::Outcome::TooLarge, 0},
    };
    for (const FileCase& test : cases) {
        SCOPED_TRACE(test.path);
        const HeldBytes held;
        const WholeFile file = ReadWholeFile(test.path);
        EXPECT_EQ(file.outcome, test.outcome);
        EXPECT_EQ(file.Length(), test.length);
        EXPECT_LE(held.PeakAbove(), 2 * kMaxStreamedFile + kMiB);
    }
}

// What a channel that takes everything was handed, without keeping it.
class CountingChannel final : public SendChannel {
public:
    int Send(const std::uint8_t* data, int length) override {
        calls.push_back(length);
        for (int i = 0; i < length; i += 4096) nonZero += data[i] != 0;
        return length;
    }
    std::vector<int> calls;
    int nonZero = 0;
};

TEST_F(InputBounds, ALargeFileGoesOutInPiecesHoldingOnePieceAtATime) {
    const std::int64_t length = 40 * kMiB + 5;
    const std::string path = Sparse(length);
    const HeldBytes held;
    const WholeFile file = ReadWholeFile(path);
    ASSERT_EQ(file.outcome, WholeFile::Outcome::Read);
    CountingChannel channel;
    const SendTally tally = SendWholeFile(channel, file);
    EXPECT_EQ(tally.taken, length);
    EXPECT_EQ(tally.total, length);
    ASSERT_EQ(channel.calls.size(), 41u);
    EXPECT_EQ(channel.calls.front(), kFilePieceBytes);
    EXPECT_EQ(channel.calls.back(), 5);
    EXPECT_EQ(channel.nonZero, 0);
    EXPECT_LE(held.PeakAbove(), kFilePieceBytes + 64 * 1024);
}

struct TextCase {
    std::string path;
    std::optional<std::string> text;
    std::string problem;
};

TEST_F(InputBounds, TextFilesAreReadWithinTheirBound) {
    Pipe pipe("\xb2\xe2\r\n");  // GBK "测", CR LF
    const std::string data = Written("data", "abc");
    const std::string tooLong = "longer than 1048576 bytes";
    const std::vector<TextCase> cases{
        {pipe.Path(), "测\n", ""},
        {Fifo(), "", ""},
        {"/dev/null", "", ""},
        {"/dev/zero", std::nullopt, tooLong},
        {Linked(data), "abc", ""},
        {Sparse(std::int64_t{4} << 30), std::nullopt, tooLong},
        {Path("missing"), std::nullopt, "no such file"},
    };
    for (const TextCase& test : cases) {
        SCOPED_TRACE(test.path);
        const HeldBytes held;
        const TextFile read = ReadTextFile(test.path);
        EXPECT_EQ(read.text, test.text);
        EXPECT_EQ(read.problem, test.problem);
        EXPECT_LE(held.PeakAbove(), 2 * kMaxTextFileBytes + kMiB);
    }
}

TEST_F(InputBounds, PicturesFromStreamsAreReadWithinTheirBound) {
    const std::string bmp = MonochromeBmp(16, 8, PatternDot);
    Pipe pipe(bmp);
    const std::string data = Written("data.bmp", bmp);
    const std::vector<std::pair<std::string, std::optional<BmpReadFailure>>> cases{
        {pipe.Path(), std::nullopt},
        {Linked(data), std::nullopt},
        {Fifo(), BmpReadFailure::Empty},
        {"/dev/null", BmpReadFailure::Empty},
        {Written("empty.bmp", ""), BmpReadFailure::Empty},
        {"/dev/zero", BmpReadFailure::TooLarge},
        {Sparse(std::int64_t{4} << 30), BmpReadFailure::InvalidSize},  // all-zero headers
    };
    for (const auto& [path, failure] : cases) {
        SCOPED_TRACE(path);
        const HeldBytes held;
        const BmpReadResult read = ReadPaddedBitmap(path, 8);
        if (failure) {
            ASSERT_TRUE(std::holds_alternative<BmpReadError>(read));
            EXPECT_EQ(std::get<BmpReadError>(read).failure, *failure);
        } else {
            ASSERT_TRUE(std::holds_alternative<PaddedBitmap>(read));
            EXPECT_EQ(std::get<PaddedBitmap>(read).Width, 16);
        }
        EXPECT_LE(held.PeakAbove(), 2 * kMaxStreamedBitmap + kMiB);
    }
    EXPECT_STREQ(BmpReadFailureText(BmpReadFailure::Empty), "BMP文件是空的!");
}

TEST_F(InputBounds, SettingsFilesInOddPlacesReadAsDefaultsAndRefuseWrites) {
    struct SettingsCase {
        std::string target;  // what Option.ini is a link to
        std::string error;   // what a write says
    };
    const std::vector<SettingsCase> cases{
        {"/dev/zero", "not a regular file"},
        {"/dev/null", "not a regular file"},
        {Fifo(), "not a regular file"},
        {Sparse(std::int64_t{4} << 30), std::make_error_code(std::errc::file_too_large).message()},
    };
    const std::string settings = Path("Option.ini");
    for (const SettingsCase& test : cases) {
        SCOPED_TRACE(test.target);
        ::unlink(settings.c_str());
        ASSERT_EQ(::symlink(test.target.c_str(), settings.c_str()), 0);
        const HeldBytes held;
        EXPECT_EQ(ReadProfileInt(settings, "System", "Port", 7), 7);
        EXPECT_EQ(WriteProfileInt(settings, "System", "Port", 1).message(), test.error);
        EXPECT_LE(held.PeakAbove(), 2 * kMaxSettingsFileBytes + kMiB);
        struct stat status {};
        ASSERT_EQ(::lstat(settings.c_str(), &status), 0);
        EXPECT_TRUE(S_ISLNK(status.st_mode));
    }
}

TEST_F(InputBounds, ASettingsWriteGoesThroughLinksAndRespectsAReadOnlyFile) {
    ::mkdir(Path("elsewhere").c_str(), 0700);
    const std::string target = Written("elsewhere/real.ini", "[System]\nPort=0\n");
    ASSERT_EQ(::symlink("elsewhere/real.ini", Path("hop").c_str()), 0);
    ASSERT_EQ(::symlink("hop", Path("Option.ini").c_str()), 0);
    EXPECT_FALSE(WriteProfileInt(Path("Option.ini"), "System", "Port", 3));
    EXPECT_EQ(ReadProfileInt(target, "System", "Port", 0), 3);
    struct stat status {};
    ASSERT_EQ(::lstat(Path("Option.ini").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    // No temporary file left behind in either folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
    EXPECT_EQ(QDir(dir.filePath("elsewhere")).entryList(QDir::Files).size(), 1);

    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(WriteProfileInt(Path("Option.ini"), "System", "Port", 4),
              std::make_error_code(std::errc::permission_denied));
    EXPECT_EQ(ReadProfileInt(target, "System", "Port", 0), 3);
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
}

}  // namespace
}  // namespace quillora::test
