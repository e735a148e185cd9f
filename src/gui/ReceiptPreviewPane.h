#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

#include "preview/ReceiptPreview.h"

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;

namespace quillora {

class TrafficTableModel;

// The traffic monitor's preview: the receipt the selected port's sends made up to the
// selected line, as the virtual printer draws it (one dot a pixel), and under it the
// commands a printer would not carry out, each naming the time of its line.
class ReceiptPreviewPane final : public QWidget {
    Q_OBJECT

public:
    ReceiptPreviewPane(const TrafficTableModel& rows, QWidget* parent);

    void Show(const PreviewPicture& drawn);
    void Clear();

    const QImage& Picture() const { return picture_; }
    // The request the picture shown answers; nothing before the first one.
    const std::optional<PreviewRequest>& Shown() const { return shown_; }
    QListWidget* ProblemList() const { return problems_; }
    QPushButton* SaveButton() const { return save_; }

signals:
    // A problem was clicked: the call of that sequence holds it.
    void ProblemChosen(std::uint64_t sequence);

private:
    const TrafficTableModel& rows_;
    QScrollArea* scroll_;
    QLabel* paper_;
    QListWidget* problems_;
    QPushButton* save_;
    QImage picture_;
    std::optional<PreviewRequest> shown_;
};

}  // namespace quillora
