#include "status/StatusLights.h"

#include <QCoreApplication>

#include "platform/CodePage936.h"

namespace quillora {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("PrinterStatus", text);
}

Light YesNo(const char* key, const char* name, bool fault, const char* yes, const char* no) {
    return {key, Tr(name), Tr(fault ? yes : no), fault ? LightColour::Red : LightColour::Green};
}

Light Paper(PaperLevel paper) {
    switch (paper) {
        case PaperLevel::NearEnd:
            return {"paper", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "纸")),
                    Tr(QT_TRANSLATE_NOOP("PrinterStatus", "纸将尽")), LightColour::Yellow};
        case PaperLevel::Out:
            return {"paper", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "纸")),
                    Tr(QT_TRANSLATE_NOOP("PrinterStatus", "缺纸")), LightColour::Red};
        case PaperLevel::Present:
            break;
    }
    return {"paper", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "纸")),
            Tr(QT_TRANSLATE_NOOP("PrinterStatus", "有纸")), LightColour::Green};
}

Light Responding(bool responding) {
    return {"responding", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "打印机")),
            responding ? Tr(QT_TRANSLATE_NOOP("PrinterStatus", "有响应")) : NoResponseText(),
            responding ? LightColour::Green : LightColour::Grey};
}

}  // namespace

QString NoResponseText() {
    return Tr(QT_TRANSLATE_NOOP("PrinterStatus", "无响应"));
}

std::vector<Light> LightsOf(const StatusReading& reading) {
    const PrinterState& s = reading.state;
    std::vector<Light> lights{
        YesNo("online", QT_TRANSLATE_NOOP("PrinterStatus", "联机"), !s.online,
              QT_TRANSLATE_NOOP("PrinterStatus", "脱机"),
              QT_TRANSLATE_NOOP("PrinterStatus", "联机")),
        Paper(s.paper),
        YesNo("cover", QT_TRANSLATE_NOOP("PrinterStatus", "上盖"), s.coverOpen,
              QT_TRANSLATE_NOOP("PrinterStatus", "打开"),
              QT_TRANSLATE_NOOP("PrinterStatus", "关闭")),
        // The drawer pin's level means open or shut depending on the drawer; say the level.
        {"drawer", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "钱箱")),
         Tr(s.drawerPinHigh ? QT_TRANSLATE_NOOP("PrinterStatus", "引脚高电平")
                            : QT_TRANSLATE_NOOP("PrinterStatus", "引脚低电平")),
         LightColour::Green},
        {"feedButton", Tr(QT_TRANSLATE_NOOP("PrinterStatus", "走纸键")),
         Tr(s.feedButton ? QT_TRANSLATE_NOOP("PrinterStatus", "按下")
                         : QT_TRANSLATE_NOOP("PrinterStatus", "未按")),
         s.feedButton ? LightColour::Yellow : LightColour::Green},
        YesNo("cutterError", QT_TRANSLATE_NOOP("PrinterStatus", "切刀错误"), s.cutterError,
              QT_TRANSLATE_NOOP("PrinterStatus", "有"), QT_TRANSLATE_NOOP("PrinterStatus", "无")),
        YesNo("unrecoverableError", QT_TRANSLATE_NOOP("PrinterStatus", "不可恢复错误"),
              s.unrecoverableError, QT_TRANSLATE_NOOP("PrinterStatus", "有"),
              QT_TRANSLATE_NOOP("PrinterStatus", "无")),
        YesNo("autoRecoverableError", QT_TRANSLATE_NOOP("PrinterStatus", "可自动恢复错误"),
              s.autoRecoverableError, QT_TRANSLATE_NOOP("PrinterStatus", "有"),
              QT_TRANSLATE_NOOP("PrinterStatus", "无")),
    };
    if (!reading.responding) {
        for (Light& light : lights) {
            light.value = NoResponseText();
            light.colour = LightColour::Grey;
        }
    }
    return lights;
}

std::vector<Light> ChangesBetween(const StatusReading& before, const StatusReading& after) {
    if (!after.responding) {
        if (before.responding) return {Responding(false)};
        return {};
    }
    const std::vector<Light> now = LightsOf(after);
    if (!before.responding) {
        std::vector<Light> changes{Responding(true)};
        changes.insert(changes.end(), now.begin(), now.end());
        return changes;
    }
    const std::vector<Light> then = LightsOf(before);
    std::vector<Light> changes;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i].value != then[i].value) changes.push_back(now[i]);
    }
    return changes;
}

std::vector<std::pair<QString, QString>> InformationFields(const PrinterInformation& information) {
    std::vector<std::pair<QString, QString>> fields;
    const auto text = [&](const char* caption, const std::optional<std::string>& value) {
        if (value) fields.emplace_back(Tr(caption), QString::fromStdString(FromGbk(*value)));
    };
    const auto byte = [&](const char* caption, const std::optional<std::uint8_t>& value) {
        if (value)
            fields.emplace_back(Tr(caption),
                                QStringLiteral("0x%1").arg(*value, 2, 16, QLatin1Char('0')));
    };
    text(QT_TRANSLATE_NOOP("PrinterStatus", "型号"), information.model);
    byte(QT_TRANSLATE_NOOP("PrinterStatus", "型号ID"), information.modelId);
    byte(QT_TRANSLATE_NOOP("PrinterStatus", "类型ID"), information.typeId);
    text(QT_TRANSLATE_NOOP("PrinterStatus", "固件版本"), information.firmware);
    text(QT_TRANSLATE_NOOP("PrinterStatus", "厂商"), information.maker);
    text(QT_TRANSLATE_NOOP("PrinterStatus", "序列号"), information.serial);
    return fields;
}

QString LightLine(const Light& light) {
    return light.name + QStringLiteral(": ") + light.value;
}

}  // namespace quillora
