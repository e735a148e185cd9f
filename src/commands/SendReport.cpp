#include "commands/SendReport.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <initializer_list>

namespace quillora {
namespace {

// The driver's texts come from the system's own error messages, in whatever language the
// locale gives them, so they are compared with that same function's words.
bool MentionsAny(const std::string& text, std::initializer_list<int> errors) {
    return std::any_of(errors.begin(), errors.end(), [&](int error) {
        return text.find(std::generic_category().message(error)) != std::string::npos;
    });
}

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

QString ConnectionName(const PortName& port) {
    return port.empty() ? QCoreApplication::translate("SendReport", "(未选择端口)")
                        : QString::fromStdString(port);
}

}  // namespace

QString SendFailureHint(const std::string& driverError) {
    if (MentionsAny(driverError, {EACCES, EPERM})) {
        return QCoreApplication::translate(
            "SendReport",
            "提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 lp 组(打印机端口),"
            "然后重新登录。");
    }
    if (MentionsAny(driverError, {ENOENT, ENODEV, ENXIO})) {
        return QCoreApplication::translate("SendReport",
                                           "提示:设备不存在。请检查打印机是否已连接并打开电源。");
    }
    if (MentionsAny(driverError, {ECONNREFUSED, ETIMEDOUT, EHOSTUNREACH, ENETUNREACH})) {
        return QCoreApplication::translate(
            "SendReport", "提示:无法连接打印机。请检查IP地址以及打印机是否已打开电源。");
    }
    return {};
}

QString NoPortSelectedHint() {
    return QCoreApplication::translate("SendReport",
                                       "提示:没有选择端口。请在端口列表中选择打印机所接的端口。");
}

QString SendFailureText(const QString& test, const PortName& port, const SendTally& tally,
                        const std::string& driverError, const QString& firstLine) {
    if (tally.Complete()) return {};
    QStringList lines;
    if (!firstLine.isEmpty()) lines << firstLine;
    const QString counts = QStringLiteral("%1/%2").arg(tally.taken).arg(tally.total);
    if (tally.cancelled) {
        lines << QCoreApplication::translate("SendReport", "“%1”已取消,已发送到 %2 的字节:%3。")
                     .arg(test, ConnectionName(port), counts);
    } else {
        lines << QCoreApplication::translate("SendReport",
                                             "“%1”的数据没有全部发送到 %2,已发送字节:%3。")
                     .arg(test, ConnectionName(port), counts);
    }
    if (!driverError.empty())
        lines << QCoreApplication::translate("SendReport", "错误:") + Local(driverError);
    // With nothing selected the driver's "no such device" is about the empty name: the
    // cause is the selection, not the printer.
    const QString hint =
        port.empty() && !driverError.empty() ? NoPortSelectedHint() : SendFailureHint(driverError);
    if (!hint.isEmpty()) lines << hint;
    return lines.join(QLatin1Char('\n'));
}

QString LostCopiesText(int copies, int lost, int firstLost) {
    return QCoreApplication::translate("SendReport",
                                       "连续打印 %1 份,有 %2 份没有完全发送成功!第一份是第 %3 份")
        .arg(copies)
        .arg(lost)
        .arg(firstLost);
}

QString FileUnreadableText(const std::string& path, const std::error_code& error) {
    return QCoreApplication::translate("SendReport", "无法读取文件 %1\n错误:%2")
        .arg(QString::fromLocal8Bit(path.c_str()), Local(error.message()));
}

QString SendProgressText(const PortName& port, std::int64_t taken, std::int64_t total,
                         std::int64_t bytesPerSecond) {
    return QCoreApplication::translate("SendReport", "正在发送到 %1:%2/%3 字节,%4 字节/秒")
        .arg(ConnectionName(port))
        .arg(taken)
        .arg(total)
        .arg(bytesPerSecond);
}

QString SendCancellingText() {
    return QCoreApplication::translate("SendReport", "正在取消发送……");
}

}  // namespace quillora
