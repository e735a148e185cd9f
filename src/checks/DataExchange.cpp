#include "checks/DataExchange.h"

#include <QCoreApplication>
#include <cstdint>

namespace quillora {

std::optional<int> ParseDialogInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto blank = [&](qsizetype k) { return text[k] == u' ' || text[k] == u'\t'; };
    while (i < n && blank(i)) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const qsizetype firstDigit = i;
    std::int64_t value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (i == firstDigit) return std::nullopt;
    while (i < n && blank(i)) ++i;
    if (i != n) return std::nullopt;
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int>(value);
}

QString EnterIntegerPrompt() {
    return QCoreApplication::translate("DataExchange", "请输入一个整数。");
}

QString EnterIntegerInRangePrompt(int low, int high) {
    return QCoreApplication::translate("DataExchange", "请输入一个介于 %1 和 %2 之间的整数。")
        .arg(low)
        .arg(high);
}

}  // namespace quillora
