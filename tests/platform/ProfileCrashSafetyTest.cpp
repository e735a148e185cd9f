// "Option.ini" under a writer that is killed at random moments: the file is always whole,
// and what killed writers leave behind goes with the next write.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "platform/ProfileFile.h"

namespace quillora {
namespace {

constexpr int kKeys = 8;
constexpr int kKills = 200;

// Write number i (from 1) sets K<i % kKeys> of [Keys] to i. The value of `key` after the
// first n writes: the last write to it, or 0 before any.
int ValueAfter(int n, int key) {
    const int last = n - ((n - key) % kKeys + kKeys) % kKeys;
    return last >= 1 ? last : 0;
}

// The whole file after n writes; every line but the keys' stays as it was.
std::string SettingsAfter(int n) {
    std::string text = "; bench settings\r\n[System]\r\nPort=3\r\nIp1=127\r\n\r\n[Keys]\r\n";
    for (int key = 0; key < kKeys; ++key) {
        text += "K" + std::to_string(key) + "=" + std::to_string(ValueAfter(n, key)) + "\r\n";
    }
    return text + "\r\n[COM1]\r\nBaudrate=9600\r\nFlowCtl=2\r\n";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Writes number `first` onwards until killed, reporting each finished write on `report`.
[[noreturn]] void WriteUntilKilled(const std::string& path, int first, int report) {
    for (int i = first;; ++i) {
        if (WriteProfileInt(path, "Keys", "K" + std::to_string(i % kKeys), i)) _exit(3);
        if (write(report, &i, sizeof i) != sizeof i) _exit(4);
    }
}

std::set<std::string> TempFilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Option.ini.quillora-")) names.insert(name);
    }
    return names;
}

TEST(ProfileCrashSafety, KilledWritersLeaveTheOldOrTheNewFileAndTheirLeftoversGo) {
    // In memory where there is such a folder: fsync on a disk would make 200 rounds slow, and
    // a killed process loses nothing that fsync guards against.
    QTemporaryDir dir(std::filesystem::is_directory("/dev/shm") ? "/dev/shm/profile-XXXXXX"
                                                                 : QString());
    const std::string folder = dir.path().toStdString();
    const std::string path = folder + "/Option.ini";
    std::ofstream(path, std::ios::binary) << SettingsAfter(0);
    // Not ours, or not left behind: a writer at work holds its file locked.
    const std::set<std::string> kept{"Option.ini.bak", "Option.ini.quillora-12345",
                                     "Option.ini.quillora-1234567", "Other.ini.quillora-abc123",
                                     "Option.ini.quillora-busy01"};
    for (const std::string& name : kept) std::ofstream(folder + "/" + name) << "x";
    const int busy = open((folder + "/Option.ini.quillora-busy01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(busy, LOCK_EX), 0);
    std::ofstream(folder + "/Option.ini.quillora-dead01") << "x";  // as a killed writer leaves it

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pauseMicroseconds(0, 3000);
    int done = 0;  // writes known to be in the file
    int survived = 0, leftovers = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        std::set<std::string> abandoned = TempFilesIn(folder);
        for (const std::string& name : kept) abandoned.erase(name);
        if (kill > 0) leftovers += int(abandoned.size());
        int report[2];
        ASSERT_EQ(pipe2(report, O_CLOEXEC), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) WriteUntilKilled(path, done + 1, report[1]);
        close(report[1]);
        // After the first write, nothing a killed writer left is there any more.
        pollfd firstWrite{report[0], POLLIN, 0};
        ASSERT_EQ(poll(&firstWrite, 1, 10000), 1);
        for (const std::string& name : abandoned) {
            EXPECT_FALSE(std::filesystem::exists(folder + "/" + name)) << name;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pauseMicroseconds(random)));
        ASSERT_EQ(::kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;
        for (int finished = 0; read(report[0], &finished, sizeof finished) == sizeof finished;) {
            done = finished;
        }
        close(report[0]);

        // The write under way when the kill came is either all there or not at all.
        const std::string text = ReadAll(path);
        if (text == SettingsAfter(done + 1)) ++done;
        ASSERT_EQ(text, SettingsAfter(done)) << "kill " << kill;
        for (int key = 0; key < kKeys; ++key) {
            EXPECT_EQ(ReadProfileInt(path, "Keys", "K" + std::to_string(key), -1),
                      ValueAfter(done, key));
        }
        ++survived;
    }
    EXPECT_EQ(survived, kKills);
    std::printf("%d kills survived, %d writes, %d temporary files left by killed writers\n",
                survived, done, leftovers);
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder + "/" + name));

    close(busy);  // that writer died too: the next write removes its file
    ASSERT_FALSE(WriteProfileInt(path, "System", "Port", 4));
    EXPECT_EQ(TempFilesIn(folder), (std::set<std::string>{"Option.ini.quillora-12345",
                                                          "Option.ini.quillora-1234567"}));
}

}  // namespace
}  // namespace quillora
