#include "gui/ReceiptPreviewPane.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/TrafficTableModel.h"
#include "virtual-printer/lib/Paper.h"

namespace quillora {

ReceiptPreviewPane::ReceiptPreviewPane(const TrafficTableModel& rows, QWidget* parent)
    : QWidget(parent),
      rows_(rows),
      scroll_(new QScrollArea(this)),
      paper_(new QLabel),
      problems_(new QListWidget(this)),
      save_(new QPushButton(tr("保存预览(.png)…"), this)) {
    paper_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    paper_->setBackgroundRole(QPalette::Base);
    paper_->setAutoFillBackground(true);
    scroll_->setWidget(paper_);
    scroll_->setWidgetResizable(true);
    scroll_->setMinimumWidth(vprinter::Paper::kWidthDots + 2 * scroll_->frameWidth() +
                             scroll_->verticalScrollBar()->sizeHint().width());
    problems_->setMaximumHeight(6 * fontMetrics().height());
    problems_->setAccessibleName(tr("预览中的问题"));
    save_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_, 1);
    layout->addWidget(problems_);
    layout->addWidget(save_, 0, Qt::AlignLeft);
    connect(problems_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit ProblemChosen(item->data(Qt::UserRole).toULongLong());
    });
    Clear();
}

void ReceiptPreviewPane::Show(const PreviewPicture& drawn) {
    shown_ = drawn.request;
    picture_ = drawn.picture;
    save_->setEnabled(!picture_.isNull());
    if (picture_.isNull()) {
        paper_->setPixmap({});
        paper_->setText(tr("这一行之前没有打印内容"));
    } else {
        paper_->setPixmap(QPixmap::fromImage(picture_));
    }
    problems_->clear();
    for (const PreviewProblem& problem : drawn.problems) {
        const QString text = QString::fromStdString(problem.text);
        const int row = rows_.RowOf(problem.sequence);
        auto* item = new QListWidgetItem(
            row < 0 ? text
                    : tr("%1  %2").arg(
                          rows_.data(rows_.index(row, TrafficTableModel::Time), Qt::DisplayRole)
                              .toString(),
                          text),
            problems_);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(problem.sequence));
    }
    // The latest print is at the bottom, as it leaves the printer; the range is known once
    // the label has taken its new size.
    QTimer::singleShot(0, this, [this] {
        scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->maximum());
    });
}

void ReceiptPreviewPane::Clear() {
    shown_.reset();
    picture_ = {};
    paper_->setPixmap({});
    paper_->setText(tr("没有发送数据"));
    problems_->clear();
    save_->setEnabled(false);
}

}  // namespace quillora
