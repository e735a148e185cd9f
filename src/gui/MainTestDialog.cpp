#include "gui/MainTestDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "checks/CheckCatalogue.h"
#include "checks/SampleText.h"
#include "gui/AboutDialog.h"
#include "gui/ControlTable.h"
#include "gui/DialogUnits.h"
#include "gui/StatusWindow.h"
#include "platform/AppPaths.h"
#include "platform/CodePage936.h"
#include "port/ConnectionList.h"
#include "resources/AppResources.h"

namespace quillora {
namespace {

constexpr QSize kTemplateSize{350, 281};
constexpr int kTemplateFontPoints = 12;
constexpr int kCaretTimerMs = 10;

using Handler = void (MainTestDialog::*)();

// The window's own controls; every check's button runs its catalogue entry instead.
const std::map<int, Handler>& CommandTable() {
    static const std::map<int, Handler> table{
        {ctl::PortList, &MainTestDialog::ApplyPortSelection},
        {ctl::PortProperties, &MainTestDialog::ShowPortProperties},
        {ctl::PortMode, &MainTestDialog::PrintModeChanged},
        {ctl::DriverMode, &MainTestDialog::PrintModeChanged},
    };
    return table;
}

}  // namespace

MainTestDialog::MainTestDialog(const AppServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      uiThread_(new UiThreadInvoker(this)),
      sender_(services.ports),
      continuous_(*this),
      gatedPorts_(services.ports, gate_) {
    setWindowIcon(AppIcon());
    CreateControls();
    InitDialog();
    InstallTrafficMonitorShortcut();
    InstallStatusShortcut();
}

MainTestDialog::~MainTestDialog() {
    if (!destroyed_) OnDestroy();
}

void MainTestDialog::CreateControls() {
    const DialogUnits units =
        SetUpTemplateDialog(*this, QStringLiteral("Corvanta"), kTemplateFontPoints, kTemplateSize);
    QWidget* previousTabStop = nullptr;
    for (const TemplateControl& entry : MainWindowControls()) {
        const QString caption = WindowCaption(entry.caption);
        QWidget* widget = nullptr;
        switch (entry.kind) {
            case ControlKind::GroupBox:
                widget = new QGroupBox(caption, this);
                break;
            case ControlKind::MultiLineEdit: {
                textBox_ = new QPlainTextEdit(this);
                textBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
                textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                textBox_->setTabChangesFocus(true);
                widget = textBox_;
                break;
            }
            case ControlKind::DropDownList: {
                portList_ = new QComboBox(this);
                portList_->setEditable(false);
                portList_->setMaxVisibleItems(8);
                connect(portList_, &QComboBox::activated, this,
                        [this] { RouteCommand(ctl::PortList); });
                widget = portList_;
                break;
            }
            case ControlKind::PushButton:
                widget = new QPushButton(caption, this);
                break;
            case ControlKind::StaticText: {
                auto* label = new QLabel(caption, this);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                widget = label;
                break;
            }
            case ControlKind::LineEdit:
                widget = new QLineEdit(this);
                break;
            case ControlKind::RadioButton:
                widget = new QRadioButton(caption, this);
                break;
            case ControlKind::CheckBox:
                widget = new QCheckBox(caption, this);
                break;
            case ControlKind::EtchedLine: {
                auto* line = new QFrame(this);
                line->setFrameShape(QFrame::HLine);
                line->setFrameShadow(QFrame::Sunken);
                widget = line;
                break;
            }
        }
        QRect geometry = units.ToPixels(entry.position);
        if (entry.kind == ControlKind::DropDownList) {
            // The template's height includes the dropped list; the closed box keeps its own.
            geometry.setHeight(widget->sizeHint().height());
        } else if (entry.kind == ControlKind::EtchedLine) {
            geometry.setHeight(2);
        }
        widget->setGeometry(geometry);
        if (entry.id == kNoId) continue;

        widget->setObjectName(QStringLiteral("ctl%1").arg(entry.id));
        controls_[entry.id] = widget;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (auto* push = qobject_cast<QPushButton*>(button)) push->setDefault(false);
            connect(button, &QAbstractButton::clicked, this,
                    [this, id = entry.id] { RouteCommand(id); });
        }
        if (entry.tabStop) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop) setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

void MainTestDialog::InitDialog() {
    UpdateData(false);
    BuildConnectionList();

    textBox_->setPlainText(QString::fromStdString(StartupText(DataFilePath("Print.txt"))));

    QTimer::singleShot(kCaretTimerMs, this, [this] {
        textBox_->setFocus();
        textBox_->moveCursor(QTextCursor::End);
    });

    portList_->setCurrentIndex(StoredSelection(SettingsPath(), portList_->count()));
    ApplyPortSelection();

    textBox_->setFocus();
    textBox_->selectAll();
}

bool MainTestDialog::PullInteger(int id, std::atomic<int>& field, const IntegerRange& range) {
    auto* edit = static_cast<QLineEdit*>(Control(id));
    const std::optional<int> value = ParseDialogInteger(edit->text().toStdString());
    std::string prompt;
    if (!value) {
        prompt = EnterIntegerPrompt();
    } else {
        field = *value;
        if (range.Contains(*value)) return true;
        prompt = EnterIntegerInRangePrompt(range.low, range.high);
    }
    ShowMessage(QString::fromStdString(prompt), MessageIcon::Exclamation);
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool MainTestDialog::UpdateData(bool pull) {
    if (!pull) {
        SetControlText(ctl::Interval, QString::number(IntervalSeconds));
        SetControlText(ctl::Copies, QString::number(CopyCount));
        SetChecked(PrintMode == 0 ? ctl::PortMode : ctl::DriverMode, true);
        for (int id : {ctl::AutoCut, ctl::MixedSize, ctl::PrintLogo}) SetChecked(id, false);
        return true;
    }
    if (!PullInteger(ctl::Interval, IntervalSeconds, kIntervalSecondsRange)) return false;
    if (!PullInteger(ctl::Copies, CopyCount, kCopyCountRange)) return false;
    PrintMode = IsChecked(ctl::DriverMode) ? 1 : 0;
    return true;
}

void MainTestDialog::SetTestControlsEnabled(bool enable) {
    for (int id : TestControlIds()) Control(id)->setEnabled(enable);
}

void MainTestDialog::OnSysCommand(unsigned commandId) {
    if ((commandId & 0xFFF0u) == kAboutCommandId) {
        AboutDialog about(this);
        about.exec();
    }
}

void MainTestDialog::RouteCommand(int controlId) {
    if (const Check* check = FindCheckByControl(controlId)) {
        if (check->runsUntilStopped) {
            ToggleContinuousPrint();
        } else {
            RunWindowCheck(*check);
        }
        return;
    }
    const auto& table = CommandTable();
    if (auto entry = table.find(controlId); entry != table.end()) (this->*(entry->second))();
}

QWidget* MainTestDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QString MainTestDialog::ControlText(int id) const {
    QWidget* widget = Control(id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
    return {};
}

void MainTestDialog::SetControlText(int id, const QString& text) {
    QWidget* widget = Control(id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text);
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) box->setPlainText(text);
}

bool MainTestDialog::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button && button->isChecked();
}

void MainTestDialog::SetChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) button->setChecked(checked);
}

std::string MainTestDialog::TextBoxBytes() const {
    return PrinterTextBytes(textBox_->toPlainText().toStdString());
}

std::string MainTestDialog::SelectedEntryText() const {
    return portList_->currentIndex() < 0 ? std::string()
                                         : ToGbk(portList_->currentText().toStdString());
}

void MainTestDialog::ShowMessage(const QString& text, MessageIcon icon) {
    // While the box waits for the user, the status window may ask the printer.
    gate_.SetAside([&] { services_.messages.Show(this, text, icon); });
}

void MainTestDialog::done(int result) {
    QDialog::done(result);
    if (!destroyed_) OnDestroy();
}

void MainTestDialog::OnDestroy() {
    destroyed_ = true;
    delete statusWindow_;  // its monitor uses the gate, which goes with this window
    continuous_.RequestStop();
    continuous_.WaitUntilIdle();
    // A settings file the user locked keeps its old selection, and the user is told so.
    if (const std::error_code error = WriteSelection(SettingsPath(), portList_->currentIndex())) {
        ShowMessage(tr("端口选择没有保存成功!\n") + QString::fromLocal8Bit(error.message().c_str()),
                    MessageIcon::Exclamation);
    }
}

void MainTestDialog::keyPressEvent(QKeyEvent* event) {
    // Enter on a control that does not take it itself is the dialog's OK: pull, and close
    // only when every value is valid. Escape stays the dialog's Cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (UpdateData(true)) accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainTestDialog::contextMenuEvent(QContextMenuEvent* event) {
    // The window system gives us no system menu to extend; the About entry lives here,
    // and the traffic monitor beside it, after the printer's status and the 2D codes.
    const QString caption = AboutMenuCaption();
    QMenu menu(this);
    AddStatusEntries(menu);
    if (!caption.isEmpty()) {
        menu.addAction(caption, this, [this] { OnSysCommand(kAboutCommandId); });
    }
    AddTrafficMonitorEntry(menu);
    if (!menu.isEmpty()) menu.exec(event->globalPos());
}

}  // namespace quillora
