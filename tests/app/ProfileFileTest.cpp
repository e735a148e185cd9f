#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

#include "platform/ProfileFile.h"

namespace quillora {
namespace {

class ProfileFileTest : public testing::Test {
protected:
    std::string path() const { return dir.filePath("Option.ini").toStdString(); }
    void Write(const std::string& text) const { std::ofstream(path(), std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    int Read(const char* section, const char* key, int fallback) const {
        return ReadProfileInt(path(), section, key, fallback);
    }
    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, IntegerRulesDefaultsAndNamesWithoutRegardToCase) {
    EXPECT_EQ(Read("System", "Port", 7), 7);  // no file
    Write("[sYsTeM]\r\n  pOrT = 2\r\nH=\r\nA= \t42\nB=-1\nC=+17x9\nD=abc\nE=12 34\nF=-\n");
    EXPECT_EQ(Read("System", "Port", 0), 2);
    EXPECT_EQ(Read("System", "H", 7), 7);  // empty value
    EXPECT_EQ(Read("System", "Missing", -3), -3);
    EXPECT_EQ(Read("COM1", "A", 9600), 9600);
    EXPECT_EQ(Read("System", "a", 0), 42);
    EXPECT_EQ(Read("System", "B", 0), -1);
    EXPECT_EQ(Read("System", "C", 0), 17);
    EXPECT_EQ(Read("System", "D", 5), 0);
    EXPECT_EQ(Read("System", "E", 0), 12);
    EXPECT_EQ(Read("System", "F", 5), 0);
}

TEST_F(ProfileFileTest, WriteCreatesFileSectionAndKeyAndLeavesOtherLinesUntouched) {
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Port", -1));
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Ip1", 192));
    ASSERT_FALSE(WriteProfileInt(path(), "COM1", "Baudrate", 9600));
    EXPECT_EQ(Read(), "[System]\r\nPort=-1\r\nIp1=192\r\n\r\n[COM1]\r\nBaudrate=9600\r\n");

    Write("; notes\n[COM1]\nBaudrate=19200\n\n[system]\nIp1=10\nport=5\n\n[Other]\nx=y\n");
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Port", 2));
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Ip4", 10));
    EXPECT_EQ(
        Read(),
        "; notes\n[COM1]\nBaudrate=19200\n\n[system]\nIp1=10\nPort=2\nIp4=10\n\n[Other]\nx=y\n");
}

TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFileWhole) {
    Write("[System]\nPort=3\n");
    const std::string inMissingFolder = dir.filePath("no/such/Option.ini").toStdString();
    EXPECT_TRUE(WriteProfileInt(inMissingFolder, "System", "Port", 1));
    EXPECT_EQ(Read(), "[System]\nPort=3\n");
}

}  // namespace
}  // namespace quillora
