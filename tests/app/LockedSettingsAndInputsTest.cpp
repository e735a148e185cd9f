// The window with a settings file the user locked or linked, a stored selection out of
// range, nothing selected, and a print file that is a pipe.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <thread>

#include "gui/ControlTable.h"
#include "platform/UniqueFd.h"
#include "support/DialogHarness.h"

namespace quillora::test {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class LockedSettingsTest : public testing::Test {
protected:
    MainTestDialog& Open(const std::string& settings) {
        h.ports.comCount = 2;
        h.ports.lptCount = 1;
        if (!settings.empty()) h.WriteFile("Option.ini", settings);
        MainTestDialog& dialog = h.Create();
        dialog.show();
        h.ports.Clear();
        return dialog;
    }
    QComboBox* List() const { return static_cast<QComboBox*>(h.dialog->Control(ctl::PortList)); }
    void Click(int id) { QTest::mouseClick(h.dialog->Control(id), Qt::LeftButton); }

    DialogHarness h;
};

TEST_F(LockedSettingsTest, AReadOnlySettingsFileKeepsItsSelectionAndTheUserIsTold) {
    const std::string settings = "[System]\r\nPort=1\r\n";
    Open(settings);
    ASSERT_EQ(::chmod(h.Path("Option.ini").c_str(), 0444), 0);
    List()->setCurrentIndex(2);
    h.dialog->done(0);
    EXPECT_EQ(h.ReadFile("Option.ini"), settings);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, Text("端口选择没有保存成功!\nPermission denied"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST_F(LockedSettingsTest, AReadOnlySettingsFileHoldingTheSameSelectionIsNoNews) {
    Open("[System]\nPort=1\n");
    ASSERT_EQ(::chmod(h.Path("Option.ini").c_str(), 0444), 0);
    h.dialog->done(0);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(LockedSettingsTest, ALinkedSettingsFileIsWrittenThroughToItsTarget) {
    h.WriteFile("shared.ini", "[System]\nPort=0\nIp1=127\n");
    ASSERT_EQ(::symlink("shared.ini", h.Path("Option.ini").c_str()), 0);
    Open("");
    List()->setCurrentIndex(2);
    h.dialog->done(0);
    struct stat status {};
    ASSERT_EQ(::lstat(h.Path("Option.ini").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(h.ReadFile("shared.ini"), "[System]\nPort=2\nIp1=127\n");
    EXPECT_TRUE(h.messages.shown.empty());
}

// A hand-edited index far past the list selects nothing, as any index past it does.
TEST_F(LockedSettingsTest, ASendWithNothingSelectedSaysSoInsteadOfBlamingTheDevice) {
    Open("[System]\nPort=99999999\n");
    ASSERT_EQ(List()->currentIndex(), -1);
    h.ports.sendResult = [](const PortName&, int) { return 0; };
    h.ports.errorText = "open : " + std::generic_category().message(ENOENT);
    Click(ctl::FullCut);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              Text("“全切”的数据没有全部发送到 (未选择端口),已发送字节:0/3。\n错误:open : ") +
                  QString::fromStdString(std::generic_category().message(ENOENT)) +
                  Text("\n提示:没有选择端口。请在端口列表中选择打印机所接的端口。"));
}

TEST_F(LockedSettingsTest, PrintFileSendsWhatAPipeCarries) {
    Open("[System]\nPort=0\n");
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    UniqueFd readEnd(ends[0]), writeEnd(ends[1]);
    std::jthread writer([&] {
        const char bytes[] = "\x1b@x\n";
        EXPECT_EQ(::write(writeEnd.Get(), bytes, 4), 4);
        writeEnd.Reset();
    });
    h.files.answers.push_back(QStringLiteral("/proc/self/fd/%1").arg(readEnd.Get()));
    Click(ctl::PrintFile);
    EXPECT_EQ(h.ports.SentBlocks(), std::vector<std::string>{"\x1b@x\n"});
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora::test
