#pragma once

#include <QRect>
#include <QString>
#include <span>

namespace quillora {

enum class ControlKind {
    GroupBox,
    MultiLineEdit,
    DropDownList,
    PushButton,
    StaticText,
    LineEdit,
    RadioButton,
    CheckBox,
    EtchedLine,
};

inline constexpr int kNoId = -1;

struct TemplateControl {
    int id;  // kNoId for frames, labels and lines
    ControlKind kind;
    const char* caption;  // UTF-8; "" when the control has none
    QRect position;       // dialog units: x, y, width, height
    bool tabStop;
};

// The main test window's controls in template order, which is also the tab order.
std::span<const TemplateControl> MainWindowControls();

// A caption of the window's template (or one its buttons switch to) in the user's language;
// the template keeps the Chinese source.
QString WindowCaption(const char* caption);

// The ids that SetTestControlsEnabled switches, in the order it switches them.
std::span<const int> TestControlIds();

// Control ids of the main window.
namespace ctl {
inline constexpr int TextBox = 1000, PortList = 1001, PortProperties = 1002;
inline constexpr int BlackMarkSwitch = 1003, NearEndSwitch = 1004, PaperTakeSwitch = 1005,
                     CutterSwitch = 1006;
inline constexpr int SinglePrint = 1007, HalfCut = 1008, FullCut = 1009, Feed = 1010,
                     CashDrawer = 1011, Barcode = 1012, Enlargement = 1013, NvLogo = 1014,
                     BlackMarkFeed = 1015, NearEndQuery = 1016, PaperTakenQuery = 1017,
                     SerialStatus = 1018, DriverPrint = 1019, RasterGraphics = 1020,
                     Alignment = 1021;
inline constexpr int Interval = 1022, Copies = 1023, PortMode = 1024, DriverMode = 1025;
inline constexpr int AutoCut = 1026, MixedSize = 1027, PrintLogo = 1028;
inline constexpr int StartStop = 1029, PrintFile = 1030;
}  // namespace ctl

}  // namespace quillora
