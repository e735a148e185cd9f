// The window, its dialogs, the traffic monitor and every message in English and in Chinese:
// what a person reads changes with the language, what the printer gets does not.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTranslator>
#include <cerrno>
#include <cstring>

#include "BmpFiles.h"
#include "VisibleTexts.h"
#include "checks/SymbolChecks.h"
#include "gui/AboutDialog.h"
#include "gui/ControlTable.h"
#include "gui/IpAddressDialog.h"
#include "gui/PrinterChooserDialog.h"
#include "gui/SendProgressDialog.h"
#include "gui/SerialSettingsDialog.h"
#include "gui/StatusWindow.h"
#include "gui/SymbolDialog.h"
#include "monitor/MonitoredWindow.h"
#include "resources/AppResources.h"
#include "resources/Translation.h"
#include "status/StatusLights.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using test::ShownText;

// A text as it was on screen: the widget's name and what of it was cut off ("" for nothing).
struct Seen {
    QString widget;
    QString text;
    QString cutOff;
};

// The texts a session showed, and every call the printer got, in order.
struct Session {
    std::vector<Seen> screens;  // the windows' texts, widget by widget
    std::vector<QString> messages;
    std::vector<std::string> printerCalls;
};

// A checked window under `language`: the checks' buttons clicked once with every byte taken
// and once with none, the status queries with each kind of reply, the inputs each box and
// file refuses, and the switches on and off; every dialog and the traffic monitor opened.
class LanguageSession {
public:
    explicit LanguageSession(UiLanguage language) {
        EXPECT_TRUE(InstallTranslation(language, translator_));
        w_.h.ports.lptCount = 1;
        w_.h.WriteFile("Option.ini", "[System]\nPort=0\nIp1=127\nIp2=0\nIp3=9\nIp4=1\n");
        w_.h.WriteFile("logo.bmp", test::MonochromeBmp(16, 8, test::PatternDot));
        w_.h.WriteFile("empty.bmp", "");
        w_.h.WriteFile("job.prn", "AB\r\n");
    }

    Session Run() {
        MainTestDialog& dialog = w_.Create();
        dialog.show();
        Look(dialog);
        SendEveryCheck(dialog);
        QueryEveryStatus(dialog);
        RefuseEveryInput(dialog);
        Look(dialog);  // the switches are off again: their captions as at the start
        OpenEveryDialog(dialog);
        for (const auto& shown : w_.h.messages.shown) session_.messages.push_back(shown.text);
        RecordCalls();
        return session_;
    }

private:
    void RecordCalls() {
        for (const auto& call : w_.h.ports.Calls())
            session_.printerCalls.push_back(call.operation + " " + call.port + " " +
                                            test::ToHex(call.bytes));
    }
    void Look(QWidget& window) {
        for (const ShownText& shown : test::VisibleTexts(window)) {
            const QString name = QString::fromLatin1(shown.widget->metaObject()->className()) +
                                 QLatin1Char(' ') + shown.widget->objectName();
            session_.screens.push_back({name, shown.text, test::CutOff(shown)});
        }
    }
    void Click(MainTestDialog& dialog, int id) {
        QTest::mouseClick(dialog.Control(id), Qt::LeftButton);
    }
    QString Path(const char* name) const { return QString::fromStdString(w_.h.Path(name)); }

    void SendEveryCheck(MainTestDialog& dialog) {
        for (const bool taken : {true, false}) {
            w_.h.ports.sendResult = [taken](const PortName&, int length) {
                return taken ? length : 0;
            };
            w_.h.ports.errorText =
                taken ? "" : "open /dev/ttyS0: " + std::generic_category().message(EACCES);
            for (int id : {ctl::SinglePrint, ctl::HalfCut, ctl::FullCut, ctl::Feed, ctl::CashDrawer,
                           ctl::Barcode, ctl::Enlargement, ctl::BlackMarkFeed, ctl::Alignment,
                           ctl::BlackMarkSwitch, ctl::NearEndSwitch, ctl::PaperTakeSwitch,
                           ctl::CutterSwitch}) {
                Click(dialog, id);
                if (id == ctl::CutterSwitch) Look(dialog);  // every switch shows its off caption
            }
            w_.h.files.answers.push_back(Path("job.prn"));
            Click(dialog, ctl::PrintFile);
            dialog.DownloadNvLogo(Path("logo.bmp"));
            dialog.PrintRasterGraphics(Path("logo.bmp"));
        }
        w_.h.ports.errorText.clear();
        w_.h.ports.sendResult = [](const PortName&, int length) { return length; };
    }

    void QueryEveryStatus(MainTestDialog& dialog) {
        const std::vector<std::pair<int, std::vector<std::string>>> queries{
            {ctl::NearEndQuery, {"\x12"}},     {ctl::NearEndQuery, {"\x1e"}},
            {ctl::NearEndQuery, {}},           {ctl::PaperTakenQuery, {"\x12"}},
            {ctl::PaperTakenQuery, {"\x32"}},  {ctl::PaperTakenQuery, {"\x55"}},
            {ctl::PaperTakenQuery, {}},        {ctl::SerialStatus, {"\x12\x12"}},
            {ctl::SerialStatus, {"\x32\x1e"}}, {ctl::SerialStatus, {"\x16\x12"}},
            {ctl::SerialStatus, {"\x12"}}};
        for (const auto& [id, replies] : queries) {
            w_.h.ports.replies.assign(replies.begin(), replies.end());
            Click(dialog, id);
        }
    }

    void RefuseEveryInput(MainTestDialog& dialog) {
        dialog.DownloadNvLogo(Path("empty.bmp"));
        dialog.PrintRasterGraphics(Path("missing.bmp"));
        auto* interval = static_cast<QLineEdit*>(dialog.Control(ctl::Interval));
        for (const char* typed : {"x", "0", "1"}) {
            interval->setText(QString::fromLatin1(typed));
            dialog.UpdateData(true);
        }
        dialog.PrintDriverTestPage();  // no printer in the fake spooler
        dialog.SetChecked(ctl::PortMode, true);
        auto* ports = static_cast<QComboBox*>(dialog.Control(ctl::PortList));
        ports->setCurrentIndex(ports->findText(QStringLiteral("LPT1")));
        dialog.ApplyPortSelection();
        Click(dialog, ctl::SerialStatus);  // only serial printers answer
        ports->setCurrentIndex(0);
        dialog.ApplyPortSelection();
    }

    // The monitor's fixed columns are as wide as their contents: each header must fit too.
    void LookAtHeaders(QTableView& table) {
        const int margin = table.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &table);
        const QFontMetrics metrics(table.horizontalHeader()->font());
        for (int column = 0; column + 1 < table.model()->columnCount(); ++column) {
            const QString title = table.model()->headerData(column, Qt::Horizontal).toString();
            const int needed = metrics.horizontalAdvance(title) + 2 * margin;
            const int room = table.columnWidth(column);
            session_.screens.push_back({QStringLiteral("header"), title,
                                        needed <= room
                                            ? QString()
                                            : QStringLiteral("\"%1\" needs %2 px, has %3")
                                                  .arg(title)
                                                  .arg(needed)
                                                  .arg(room)});
        }
    }

    void LookAtModal(const std::function<void()>& open) {
        test::WhenModalOpens([this](QWidget* modal) {
            Look(*modal);
            static_cast<QDialog*>(modal)->reject();
        });
        open();
    }

    void OpenEveryDialog(MainTestDialog& dialog) {
        LookAtModal([&] { dialog.OnSysCommand(kAboutCommandId); });
        auto* ports = static_cast<QComboBox*>(dialog.Control(ctl::PortList));
        ports->setCurrentIndex(ports->findText(QStringLiteral("IP")));
        dialog.ApplyPortSelection();
        LookAtModal([&] { dialog.ShowPortProperties(); });
        ports->setCurrentIndex(0);
        dialog.ApplyPortSelection();

        PrinterChooserDialog chooser(w_.h.noPrinters, &dialog);
        chooser.show();
        Look(chooser);
        SerialSettingsDialog serial("COM1", w_.h.Path("Option.ini"), &dialog);
        serial.show();
        Look(serial);
        SendProgressDialog progress(&dialog, [] {});
        progress.show();
        Look(progress);

        // The status window, grey: the fake printer answers nothing. Its questions come as
        // time goes, so they are left out of the calls compared.
        RecordCalls();
        dialog.ShowStatusWindow();
        StatusWindow* status = dialog.OpenStatusWindow();
        ASSERT_NE(status, nullptr);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return status->LightText("cover") == QString::fromStdString(NoResponseText()); },
            10000));
        Look(*status);
        delete status;
        w_.h.ports.Clear();
        // The 2D codes' dialogs, each printing its default text.
        for (const SymbolKind kind : {SymbolKind::Qr, SymbolKind::Pdf417}) {
            dialog.ShowSymbolDialog(kind);
            auto* symbol = dialog.findChild<SymbolDialog*>();
            ASSERT_NE(symbol, nullptr);
            Look(*symbol);
            QTest::mouseClick(symbol->findChild<QPushButton*>(), Qt::LeftButton);
            delete symbol;
        }

        dialog.ShowTrafficMonitor();
        TrafficMonitorWindow* monitor = w_.Monitor();
        ASSERT_NE(monitor, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->Model().rowCount() > 0; }, 10000));
        Look(*monitor);
        LookAtHeaders(*monitor->findChild<QTableView*>());
        monitor->close();
    }

    QTranslator translator_;
    test::MonitoredWindow w_;
    Session session_;
};

TEST(WindowLanguage, EnglishShowsNoChineseAnywhereAndEveryCaptionFitsItsControl) {
    const Session english = LanguageSession(UiLanguage::English).Run();
    ASSERT_GT(english.screens.size(), 80u);
    ASSERT_GT(english.messages.size(), 30u);
    for (const Seen& shown : english.screens) {
        EXPECT_FALSE(test::HasChinese(shown.text)) << shown.text.toStdString();
        EXPECT_EQ(shown.cutOff.toStdString(), "") << shown.widget.toStdString();
    }
    for (const QString& message : english.messages)
        EXPECT_FALSE(test::HasChinese(message)) << message.toStdString();
    if (qEnvironmentVariableIsSet("SHOW_TEXTS")) {
        for (const Seen& shown : english.screens)
            qInfo() << "S" << shown.widget << shown.text << shown.cutOff;
        for (const QString& message : english.messages) qInfo() << "M" << message;
    }
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << QString::fromUtf8(text);
    return list;
}

TEST(WindowLanguage, ChineseShowsExactlyTodaysTexts) {
    const Session chinese = LanguageSession(UiLanguage::Chinese).Run();
    QStringList window;
    for (const Seen& shown : chinese.screens) {
        if (!window.isEmpty() && shown.text == QLatin1String("Corvanta")) break;
        window << shown.text;
    }
    EXPECT_EQ(window,
              Texts({"Corvanta",
                     "打印测试",
                     "端口选择",
                     "COM1",
                     "LPT1",
                     "IP",
                     "属性",
                     "打印机基本测试",
                     "打印参数设置",
                     "开启黑标",
                     "开启纸将尽检测",
                     "开启取纸传感功能",
                     "开启切刀功能",
                     "打印机连续疲劳测试",
                     "单张打印测试",
                     "半切",
                     "全切",
                     "走纸",
                     "弹钱箱",
                     "条码打印",
                     "字体多倍放大",
                     "下载位图打印",
                     "黑标检测",
                     "纸将尽检测",
                     "取纸报警测试",
                     "串口打印状态",
                     "驱动程序打印",
                     "图形打印",
                     "字体对齐",
                     "每张隔",
                     "1",
                     "秒,连续打印",
                     "1",
                     "张",
                     "直接写端口打印",
                     "驱动程序方式打印",
                     "自动切纸",
                     "混合大字",
                     "打印LOGO",
                     "开始连续打印",
                     "打印文件",
                     "使用说明:测试前,了解打印机当前的功能,如果使用端口打印请先选择相应的连接端口,"
                     "例如LPT1、COM1等。如果采用驱动测试打印,要先在系统上安装好打印机驱动。"}));
    const QString denied = QString::fromStdString(std::generic_category().message(EACCES));
    ASSERT_EQ(chinese.messages.size(), 34u);
    EXPECT_EQ(chinese.messages[0], QString::fromUtf8("下载NV图完成! "));
    EXPECT_EQ(chinese.messages[1],
              QString::fromUtf8("数据没有完全发送成功!0/603\n"
                                "“单张打印测试”的数据没有全部发送到 COM1,已发送字节:0/603。\n"
                                "错误:open /dev/ttyS0: ") +
                  denied +
                  QString::fromUtf8("\n提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 "
                                    "lp 组(打印机端口),然后重新登录。"));
    EXPECT_EQ(QStringList(chinese.messages.end() - 17, chinese.messages.end()),
              Texts({"纸ok", "纸将尽", "读取数据失败!", "有纸!", "无纸!", "返回数据不正确:0x55",
                     "读取返回数据失败!", "返回值:0x12,0x12,盖关好,有纸,",
                     "返回值:0x32,0x1e,盖关好,缺纸,纸将尽", "返回值:0x16,0x12,盖打开,有纸,",
                     "读取数据失败!", "BMP文件是空的!", "打开文件失败!", "请输入一个整数。",
                     "请输入一个介于 1 和 86400 之间的整数。",
                     "没有默认打印机,或者没有安装打印机!1030", "目前仅支持串口打印机!"}));
}

TEST(WindowLanguage, EachCheckSendsTheSameBytesInBothLanguages) {
    const Session chinese = LanguageSession(UiLanguage::Chinese).Run();
    const Session english = LanguageSession(UiLanguage::English).Run();
    ASSERT_GT(chinese.printerCalls.size(), 80u);
    EXPECT_EQ(english.printerCalls, chinese.printerCalls);
    // The same number of boxes, each saying its own thing in its own language.
    ASSERT_EQ(english.messages.size(), chinese.messages.size());
    for (std::size_t i = 0; i < chinese.messages.size(); ++i)
        EXPECT_NE(english.messages[i], chinese.messages[i]) << chinese.messages[i].toStdString();
}

TEST(WindowLanguage, TheStopCaptionFitsTheStartButtonInEnglish) {
    QTranslator translator;
    ASSERT_TRUE(InstallTranslation(UiLanguage::English, translator));
    test::DialogHarness h;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    auto* button = static_cast<QAbstractButton*>(dialog.Control(ctl::StartStop));
    button->setText(WindowCaption("结束连续打印"));
    EXPECT_EQ(button->text(), QStringLiteral("Stop printing"));
    EXPECT_EQ(test::CutOff({button, button->text()}), QString());
}

}  // namespace
}  // namespace quillora
