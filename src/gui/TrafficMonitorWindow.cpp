#include "gui/TrafficMonitorWindow.h"

#include <QAccessibleWidget>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/ChosenFileSave.h"
#include "gui/ReceiptPreviewPane.h"
#include "gui/TrafficTableModel.h"
#include "monitor/TrafficLog.h"
#include "preview/PreviewScheduler.h"

namespace quillora {
namespace {

// Rows taken per look, so that a flood of small calls never stalls the window.
constexpr std::size_t kRowsPerPoll = 20000;

// A top-level QWidget is a "client" area (a "filler" to screen readers); this one is a
// window of its own, named by its title.
QAccessibleInterface* MonitorAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(TrafficMonitorWindow::staticMetaObject.className()) ||
        !object->isWidgetType()) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

TrafficMonitorWindow::TrafficMonitorWindow(TrafficLog& log, FileDialogService& files,
                                           MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window),
      log_(log),
      files_(files),
      messages_(messages),
      model_(new TrafficTableModel(this)),
      table_(new QTableView(this)),
      dropped_(new QLabel(this)),
      pause_(new QPushButton(tr("暂停"), this)),
      clear_(new QPushButton(tr("清除"), this)),
      saveText_(new QPushButton(tr("另存为文本..."), this)),
      saveSent_(new QPushButton(tr("保存发送数据(.bin)..."), this)),
      timer_(new QTimer(this)),
      split_(new QSplitter(this)),
      preview_(new ReceiptPreviewPane(*model_, this)),
      previewToggle_(new QPushButton(tr("预览"), this)),
      scheduler_(new PreviewScheduler(log_, this)) {
    QAccessible::installFactory(&MonitorAccessible);  // once: Qt skips a known factory
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("通信监视"));
    resize(1260, 640);

    table_->setModel(model_);
    table_->setWordWrap(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured over all rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (const auto& [column, digits] : {std::pair{TrafficTableModel::Time, 16},
                                         {TrafficTableModel::Port, 10},
                                         {TrafficTableModel::Direction, 4},
                                         {TrafficTableModel::Hex, 40}}) {
        table_->setColumnWidth(column, digits * digit);
    }
    // The widest count a call can have, with the cell's margins and a digit to spare.
    table_->setColumnWidth(
        TrafficTableModel::Count,
        fontMetrics().horizontalAdvance(TrafficTableModel::WidestCount()) + 2 * digit);
    dropped_->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {pause_, clear_, saveText_, saveSent_, previewToggle_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    previewToggle_->setCheckable(true);
    previewToggle_->setChecked(true);
    split_->addWidget(table_);
    split_->addWidget(preview_);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(dropped_);
    layout->addWidget(split_);

    connect(pause_, &QPushButton::clicked, this, &TrafficMonitorWindow::TogglePause);
    connect(clear_, &QPushButton::clicked, this, &TrafficMonitorWindow::ClearAll);
    connect(saveText_, &QPushButton::clicked, this, &TrafficMonitorWindow::SaveText);
    connect(saveSent_, &QPushButton::clicked, this, &TrafficMonitorWindow::SaveSentBytes);
    connect(timer_, &QTimer::timeout, this, &TrafficMonitorWindow::Poll);
    connect(previewToggle_, &QPushButton::toggled, this, &TrafficMonitorWindow::TogglePreview);
    connect(preview_->SaveButton(), &QPushButton::clicked, this,
            &TrafficMonitorWindow::SavePreview);
    connect(preview_, &ReceiptPreviewPane::ProblemChosen, this, &TrafficMonitorWindow::SelectCall);
    connect(scheduler_, &PreviewScheduler::Drawn, this, &TrafficMonitorWindow::ShowPreview);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TrafficMonitorWindow::RequestPreview);
    Poll();
    timer_->start(kPollMs);
}

void TrafficMonitorWindow::Poll() {
    TrafficLog::Update update = log_.Since(next_, kRowsPerPoll);
    next_ = update.entries.empty() ? std::max(next_, update.firstKept)
                                   : update.entries.back().sequence + 1;
    QScrollBar* scroll = table_->verticalScrollBar();
    const bool atBottom = scroll->value() == scroll->maximum();
    model_->Update(update.firstKept, std::move(update.entries));
    if (update.droppedCalls > 0 || update.droppedBytes > 0) {
        const std::size_t kib = log_.ByteLimit() / 1024;
        const QString limit = kib % 1024 == 0 ? QStringLiteral("%1 MiB").arg(kib / 1024)
                                              : QStringLiteral("%1 KiB").arg(kib);
        dropped_->setText(tr("最早的通信已丢弃(只保留最近 %1): %2 次调用, %3 字节")
                              .arg(limit)
                              .arg(update.droppedCalls)
                              .arg(update.droppedBytes));
        dropped_->show();
    } else {
        dropped_->hide();
    }
    if (atBottom) table_->scrollToBottom();
    RequestPreview();
}

void TrafficMonitorWindow::TogglePause() {
    if (timer_->isActive()) {
        timer_->stop();
        pause_->setText(tr("继续"));
    } else {
        Poll();
        timer_->start(kPollMs);
        pause_->setText(tr("暂停"));
    }
}

void TrafficMonitorWindow::ClearAll() {
    log_.Clear();
    model_->Clear();
    dropped_->hide();
    ++generation_;
    asked_.reset();
    preview_->Clear();
}

void TrafficMonitorWindow::SaveText() {
    WriteFile(QStringLiteral("Text Files (*.txt)|*.txt||"), QStringLiteral("traffic.txt"),
              TrafficText(model_->Rows()));
}

void TrafficMonitorWindow::SaveSentBytes() {
    // The port of the selected line, else the port of the last line.
    const int row = ChosenRow();
    if (row < 0) return;
    const TrafficRows& rows = model_->Rows();
    WriteFile(QStringLiteral("Binary Files (*.bin)|*.bin||"), QStringLiteral("sent.bin"),
              SentBytes(rows, rows[static_cast<std::size_t>(row)].event->port));
}

int TrafficMonitorWindow::ChosenRow() const {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    return selected.isEmpty() ? model_->rowCount() - 1 : selected.first().row();
}

void TrafficMonitorWindow::RequestPreview() {
    const int row = ChosenRow();
    if (!preview_->isVisibleTo(this) || row < 0) return;
    const TrafficLog::Entry& entry = model_->Rows()[static_cast<std::size_t>(row)];
    const PreviewRequest request{entry.event->port, entry.sequence, generation_};
    if (asked_ == request) return;
    asked_ = request;
    scheduler_->Request(request);
}

void TrafficMonitorWindow::ShowPreview(const PreviewPicture& drawn) {
    // A drawing of the log before it was cleared is of nothing shown any more.
    if (drawn.request.generation == generation_) preview_->Show(drawn);
}

void TrafficMonitorWindow::TogglePreview(bool shown) {
    preview_->setVisible(shown);
    RequestPreview();
}

void TrafficMonitorWindow::SelectCall(std::uint64_t sequence) {
    const int row = model_->RowOf(sequence);
    if (row < 0) return;
    table_->selectRow(row);
    table_->scrollTo(model_->index(row, 0));
}

void TrafficMonitorWindow::SavePreview() {
    const QImage picture = preview_->Picture();
    if (picture.isNull()) return;
    SaveWithDialog(QStringLiteral("PNG Files (*.png)|*.png||"), QStringLiteral("receipt.png"),
                   [&](QFile& file) { return picture.save(&file, "PNG"); });
}

void TrafficMonitorWindow::WriteFile(const QString& filter, const QString& suggestedName,
                                     const std::string& bytes) {
    SaveWithDialog(filter, suggestedName,
                   [&](QFile& file) { return WriteWhole(file, QByteArrayView(bytes)); });
}

void TrafficMonitorWindow::SaveWithDialog(const QString& filter, const QString& suggestedName,
                                          const FileWriter& write) {
    SaveToChosenFile(files_, messages_, this, filter, suggestedName, write,
                     [](const QString& path, const QString& error) {
                         return tr("无法保存 %1: %2").arg(path, error);
                     });
}

}  // namespace quillora
