#include "gui/StatusWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ChosenFileSave.h"
#include "status/StatusWatcher.h"

namespace quillora {
namespace {

QString Colour(LightColour colour) {
    switch (colour) {
        case LightColour::Green:
            return QStringLiteral("#2e9d3a");
        case LightColour::Yellow:
            return QStringLiteral("#e0a800");
        case LightColour::Red:
            return QStringLiteral("#d32f2f");
        case LightColour::Grey:
            break;
    }
    return QStringLiteral("#9e9e9e");
}

constexpr int kDot = 14;

}  // namespace

StatusWindow::StatusWindow(const Services& services, PortName port, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), port_(std::move(port)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("打印机状态"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("端口: %1").arg(QString::fromLocal8Bit(port_.c_str())), this));

    auto* lightsBox = new QGroupBox(tr("状态"), this);
    auto* grid = new QGridLayout(lightsBox);
    int row = 0;
    for (const Light& light : LightsOf({})) {
        auto* dot = new QLabel(lightsBox);
        dot->setFixedSize(kDot, kDot);
        auto* value = new QLabel(QString::fromStdString(light.value), lightsBox);
        grid->addWidget(dot, row, 0);
        grid->addWidget(new QLabel(QString::fromStdString(light.name), lightsBox), row, 1);
        grid->addWidget(value, row, 2);
        lights_.emplace_back(dot, value);
        keys_.push_back(light.key);
        ++row;
    }
    layout->addWidget(lightsBox);

    auto* informationBox = new QGroupBox(tr("打印机信息"), this);
    information_ = new QLabel(tr("正在读取..."), informationBox);
    information_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(informationBox))->addWidget(information_);
    layout->addWidget(informationBox);

    polling_ = new QCheckBox(tr("轮询(不用自动状态返回)"), this);
    mode_ = new QLabel(this);
    layout->addWidget(polling_);
    layout->addWidget(mode_);

    layout->addWidget(new QLabel(tr("变化记录"), this));
    historyView_ = new QPlainTextEdit(this);
    historyView_->setReadOnly(true);
    historyView_->setMinimumHeight(120);
    layout->addWidget(historyView_);
    auto* save = new QPushButton(tr("另存为文本..."), this);
    layout->addWidget(save);
    connect(save, &QPushButton::clicked, this, &StatusWindow::SaveHistory);
    connect(polling_, &QCheckBox::toggled, this, [this](bool polling) {
        Stop();
        Start(polling ? StatusMode::Polling : StatusMode::Automatic);
    });

    Show({}, {});
    Start(StatusMode::Automatic);
}

StatusWindow::~StatusWindow() {
    Stop();
}

void StatusWindow::Start(StatusMode mode) {
    monitor_ = std::make_unique<StatusMonitor>(services_.ports, services_.gate, services_.clock,
                                               port_, mode);
    // The worker never touches a widget: each change is queued to this window's thread.
    QPointer<StatusWindow> self(this);
    const auto onWindow = [self](auto call) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, call] {
                if (self) call(*self);
            },
            Qt::QueuedConnection);
    };
    const bool askInformation = !std::exchange(informationAsked_, true);
    StatusMonitor& monitor = *monitor_;
    watcher_ = std::make_unique<StatusWatcher>(
        monitor,
        [onWindow](const StatusReading& reading, const std::vector<Light>& changes) {
            onWindow([reading, changes](StatusWindow& window) { window.Show(reading, changes); });
        },
        [this, onWindow, askInformation] {
            if (!askInformation) return;
            PrinterInformation information;
            {
                const GateHold hold(services_.gate);
                information = QueryPrinterInformation(services_.ports, port_);
            }
            onWindow([information](StatusWindow& window) { window.ShowInformation(information); });
        });
}

void StatusWindow::Stop() {
    watcher_.reset();
    monitor_.reset();
}

void StatusWindow::SetPolling(bool polling) {
    polling_->setChecked(polling);
}

bool StatusWindow::Polling() const {
    return polling_->isChecked();
}

void StatusWindow::Show(const StatusReading& reading, const std::vector<Light>& changes) {
    const std::vector<Light> lights = LightsOf(reading);
    for (size_t i = 0; i < lights.size(); ++i) {
        lights_[i].first->setStyleSheet(QStringLiteral("background:%1; border-radius:%2px;")
                                            .arg(Colour(lights[i].colour))
                                            .arg(kDot / 2));
        lights_[i].second->setText(QString::fromStdString(lights[i].value));
    }
    mode_->setText(!reading.responding ? QString::fromStdString(NoResponseText())
                   : reading.automatic ? tr("自动状态返回")
                                       : tr("每0.5秒查询"));
    if (changes.empty()) return;
    history_.Add(services_.clock.LocalTime(), changes);
    historyView_->setPlainText(QString::fromStdString(history_.Text()));
    historyView_->moveCursor(QTextCursor::End);
}

void StatusWindow::ShowInformation(const PrinterInformation& information) {
    const std::string lines = quillora::InformationText(information, "\n");
    information_->setText(lines.empty() ? tr("打印机没有回答!") : QString::fromStdString(lines));
}

QString StatusWindow::LightText(const char* key) const {
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (QLatin1String(keys_[i]) == QLatin1String(key)) return lights_[i].second->text();
    }
    return {};
}

QString StatusWindow::InformationText() const {
    return information_->text();
}

void StatusWindow::SaveHistory() {
    const QByteArray text = QByteArray::fromStdString(history_.Text());
    SaveToChosenFile(
        services_.files, services_.messages, this, tr("文本文件 (*.txt)|*.txt||"),
        QStringLiteral("printer-status.txt"), [&](QFile& file) { return WriteWhole(file, text); },
        [](const QString&, const QString& error) { return tr("变化记录没有保存成功!\n") + error; });
}

}  // namespace quillora
