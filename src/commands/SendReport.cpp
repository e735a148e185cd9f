#include "commands/SendReport.h"

#include <algorithm>
#include <cerrno>
#include <initializer_list>
#include <vector>

#include "texts/Texts.h"

namespace quillora {
namespace {

using texts::Format;
using texts::translate;

// The driver's texts come from the system's own error messages, in whatever language the
// locale gives them, so they are compared with that same function's words.
bool MentionsAny(const std::string& text, std::initializer_list<int> errors) {
    return std::any_of(errors.begin(), errors.end(), [&](int error) {
        return text.find(std::generic_category().message(error)) != std::string::npos;
    });
}

std::string ConnectionName(const PortName& port) {
    return port.empty() ? translate("SendReport", "(未选择端口)") : port;
}

}  // namespace

std::string SendFailureHint(const std::string& driverError) {
    if (MentionsAny(driverError, {EACCES, EPERM})) {
        return translate(
            "SendReport",
            "提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 lp 组(打印机端口),"
            "然后重新登录。");
    }
    if (MentionsAny(driverError, {ENOENT, ENODEV, ENXIO})) {
        return translate("SendReport", "提示:设备不存在。请检查打印机是否已连接并打开电源。");
    }
    if (MentionsAny(driverError, {ECONNREFUSED, ETIMEDOUT, EHOSTUNREACH, ENETUNREACH})) {
        return translate("SendReport",
                         "提示:无法连接打印机。请检查IP地址以及打印机是否已打开电源。");
    }
    return {};
}

std::string NoPortSelectedHint() {
    return translate("SendReport", "提示:没有选择端口。请在端口列表中选择打印机所接的端口。");
}

std::string SendFailureText(const std::string& test, const PortName& port, const SendTally& tally,
                            const std::string& driverError, const std::string& firstLine) {
    if (tally.Complete()) return {};
    std::vector<std::string> lines;
    if (!firstLine.empty()) lines.push_back(firstLine);
    const std::string counts = std::to_string(tally.taken) + '/' + std::to_string(tally.total);
    lines.push_back(Format(tally.cancelled
                       ? translate("SendReport", "“%1”已取消,已发送到 %2 的字节:%3。")
                       : translate("SendReport", "“%1”的数据没有全部发送到 %2,已发送字节:%3。"),
                   {test, ConnectionName(port), counts}));
    if (!driverError.empty()) lines.push_back(translate("SendReport", "错误:") + driverError);
    // With nothing selected the driver's "no such device" is about the empty name: the
    // cause is the selection, not the printer.
    const std::string hint =
        port.empty() && !driverError.empty() ? NoPortSelectedHint() : SendFailureHint(driverError);
    if (!hint.empty()) lines.push_back(hint);
    return texts::Joined(lines, "\n");
}

std::string LostCopiesText(int copies, int lost, int firstLost) {
    return Format(
        translate("SendReport", "连续打印 %1 份,有 %2 份没有完全发送成功!第一份是第 %3 份"),
        {std::to_string(copies), std::to_string(lost), std::to_string(firstLost)});
}

std::string FileUnreadableText(const std::string& path, const std::error_code& error) {
    return Format(translate("SendReport", "无法读取文件 %1\n错误:%2"), {path, error.message()});
}

std::string SendProgressText(const PortName& port, std::int64_t taken, std::int64_t total,
                             std::int64_t bytesPerSecond) {
    return Format(translate("SendReport", "正在发送到 %1:%2/%3 字节,%4 字节/秒"),
                  {ConnectionName(port), std::to_string(taken), std::to_string(total),
                   std::to_string(bytesPerSecond)});
}

std::string SendCancellingText() {
    return translate("SendReport", "正在取消发送……");
}

}  // namespace quillora
