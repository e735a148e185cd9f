#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "platform/ProfileFile.h"

namespace quillora {
namespace {

class ProfileFileTest : public testing::Test {
protected:
    std::string path() const { return dir.filePath("Option.ini").toStdString(); }
    void Write(const std::string& text) const { std::ofstream(path(), std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(path(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, MissingFileSectionKeyOrEmptyValueGiveTheDefault) {
    EXPECT_EQ(ReadProfileInt(path(), "System", "Port", 7), 7);
    Write("[System]\r\nPort=\r\nOther=1\r\n");
    EXPECT_EQ(ReadProfileInt(path(), "System", "Port", 7), 7);
    EXPECT_EQ(ReadProfileInt(path(), "System", "Missing", -3), -3);
    EXPECT_EQ(ReadProfileInt(path(), "COM1", "Other", 9600), 9600);
}

TEST_F(ProfileFileTest, IntegerRulesBlanksSignDigitsAndLetters) {
    Write("[System]\nA=  42\nB=-1\nC=+17x9\nD=abc\nE=12 34\nF=-\nG=\t300\n");
    EXPECT_EQ(ReadProfileInt(path(), "System", "A", 0), 42);
    EXPECT_EQ(ReadProfileInt(path(), "System", "B", 0), -1);
    EXPECT_EQ(ReadProfileInt(path(), "System", "C", 0), 17);
    EXPECT_EQ(ReadProfileInt(path(), "System", "D", 5), 0);
    EXPECT_EQ(ReadProfileInt(path(), "System", "E", 0), 12);
    EXPECT_EQ(ReadProfileInt(path(), "System", "F", 5), 0);
    EXPECT_EQ(ReadProfileInt(path(), "System", "G", 0), 300);
}

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCase) {
    Write("[sYsTeM]\r\n  pOrT = 2\r\n");
    EXPECT_EQ(ReadProfileInt(path(), "System", "Port", 0), 2);
}

TEST_F(ProfileFileTest, WriteCreatesFileSectionAndKey) {
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Port", -1));
    EXPECT_EQ(Read(), "[System]\r\nPort=-1\r\n");
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Ip1", 192));
    EXPECT_EQ(Read(), "[System]\r\nPort=-1\r\nIp1=192\r\n");
    ASSERT_FALSE(WriteProfileInt(path(), "COM1", "Baudrate", 9600));
    EXPECT_EQ(Read(), "[System]\r\nPort=-1\r\nIp1=192\r\n\r\n[COM1]\r\nBaudrate=9600\r\n");
}

TEST_F(ProfileFileTest, WriteLeavesEveryOtherLineUntouched) {
    Write("; notes\n[COM1]\nBaudrate=19200\n\n[system]\nIp1=10\nport=5\n\n[Other]\nx=y\n");
    ASSERT_FALSE(WriteProfileInt(path(), "System", "Port", 2));
    EXPECT_EQ(Read(),
              "; notes\n[COM1]\nBaudrate=19200\n\n[system]\nIp1=10\nPort=2\n\n[Other]\nx=y\n");
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
