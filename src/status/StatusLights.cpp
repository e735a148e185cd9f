#include "status/StatusLights.h"

#include "escpos/HexBytes.h"
#include "platform/CodePage936.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

std::string Tr(const char* text) {
    return texts::translate("PrinterStatus", text);
}

Light YesNo(const char* key, const char* name, bool fault, const char* yes, const char* no) {
    return {key, Tr(name), Tr(fault ? yes : no), fault ? LightColour::Red : LightColour::Green};
}

Light Paper(PaperLevel paper) {
    switch (paper) {
        case PaperLevel::NearEnd:
            return {"paper", texts::translate("PrinterStatus", "纸"),
                    texts::translate("PrinterStatus", "纸将尽"), LightColour::Yellow};
        case PaperLevel::Out:
            return {"paper", texts::translate("PrinterStatus", "纸"),
                    texts::translate("PrinterStatus", "缺纸"), LightColour::Red};
        case PaperLevel::Present:
            break;
    }
    return {"paper", texts::translate("PrinterStatus", "纸"),
            texts::translate("PrinterStatus", "有纸"), LightColour::Green};
}

Light Responding(bool responding) {
    return {"responding", texts::translate("PrinterStatus", "打印机"),
            responding ? texts::translate("PrinterStatus", "有响应") : NoResponseText(),
            responding ? LightColour::Green : LightColour::Grey};
}

}  // namespace

std::string NoResponseText() {
    return texts::translate("PrinterStatus", "无响应");
}

std::vector<Light> LightsOf(const StatusReading& reading) {
    const PrinterState& s = reading.state;
    std::vector<Light> lights{
        YesNo("online", texts::TranslateLater("PrinterStatus", "联机"), !s.online,
              texts::TranslateLater("PrinterStatus", "脱机"),
              texts::TranslateLater("PrinterStatus", "联机")),
        Paper(s.paper),
        YesNo("cover", texts::TranslateLater("PrinterStatus", "上盖"), s.coverOpen,
              texts::TranslateLater("PrinterStatus", "打开"),
              texts::TranslateLater("PrinterStatus", "关闭")),
        // The drawer pin's level means open or shut depending on the drawer; say the level.
        {"drawer", texts::translate("PrinterStatus", "钱箱"),
         s.drawerPinHigh ? texts::translate("PrinterStatus", "引脚高电平")
                         : texts::translate("PrinterStatus", "引脚低电平"),
         LightColour::Green},
        {"feedButton", texts::translate("PrinterStatus", "走纸键"),
         s.feedButton ? texts::translate("PrinterStatus", "按下")
                      : texts::translate("PrinterStatus", "未按"),
         s.feedButton ? LightColour::Yellow : LightColour::Green},
        YesNo("cutterError", texts::TranslateLater("PrinterStatus", "切刀错误"), s.cutterError,
              texts::TranslateLater("PrinterStatus", "有"),
              texts::TranslateLater("PrinterStatus", "无")),
        YesNo("unrecoverableError", texts::TranslateLater("PrinterStatus", "不可恢复错误"),
              s.unrecoverableError, texts::TranslateLater("PrinterStatus", "有"),
              texts::TranslateLater("PrinterStatus", "无")),
        YesNo("autoRecoverableError", texts::TranslateLater("PrinterStatus", "可自动恢复错误"),
              s.autoRecoverableError, texts::TranslateLater("PrinterStatus", "有"),
              texts::TranslateLater("PrinterStatus", "无")),
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

std::vector<std::pair<std::string, std::string>> InformationFields(
    const PrinterInformation& information) {
    std::vector<std::pair<std::string, std::string>> fields;
    const auto text = [&](const char* caption, const std::optional<std::string>& value) {
        if (value) fields.emplace_back(Tr(caption), FromGbk(*value));
    };
    const auto byte = [&](const char* caption, const std::optional<std::uint8_t>& value) {
        if (!value) return;
        fields.emplace_back(Tr(caption), "0x" + escpos::HexBytes(&*value, 1));
    };
    text(texts::TranslateLater("PrinterStatus", "型号"), information.model);
    byte(texts::TranslateLater("PrinterStatus", "型号ID"), information.modelId);
    byte(texts::TranslateLater("PrinterStatus", "类型ID"), information.typeId);
    text(texts::TranslateLater("PrinterStatus", "固件版本"), information.firmware);
    text(texts::TranslateLater("PrinterStatus", "厂商"), information.maker);
    text(texts::TranslateLater("PrinterStatus", "序列号"), information.serial);
    return fields;
}

std::string LightLine(const Light& light) {
    return light.name + ": " + light.value;
}

std::string InformationText(const PrinterInformation& information, std::string_view separator) {
    std::vector<std::string> lines;
    for (const auto& [caption, value] : InformationFields(information)) {
        lines.push_back(caption + ": " + value);
    }
    return texts::Joined(lines, separator);
}

}  // namespace quillora
