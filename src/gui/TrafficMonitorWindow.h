#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "gui/ChosenFileSave.h"
#include "preview/ReceiptPreview.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;
class QTimer;

namespace quillora {

class FileDialogService;
class MessageService;
class PreviewScheduler;
class ReceiptPreviewPane;
class TrafficLog;
class TrafficTableModel;

// "通信监视": every call the port driver carried, one line each, newest at the bottom.
// Not modal. It reads the log on a timer in the UI thread, so recording (from any thread)
// never touches it; pause stops the reading, not the recording.
class TrafficMonitorWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPollMs = 100;

    TrafficMonitorWindow(TrafficLog& log, FileDialogService& files, MessageService& messages,
                         QWidget* parent);

    // Takes what the log has gained since the last look; the timer calls it.
    void Poll();

    const TrafficTableModel& Model() const { return *model_; }
    QPushButton* PauseButton() const { return pause_; }
    QPushButton* ClearButton() const { return clear_; }
    QPushButton* SaveTextButton() const { return saveText_; }
    QPushButton* SaveSentButton() const { return saveSent_; }
    QLabel* DroppedLabel() const { return dropped_; }
    QTableView* Table() const { return table_; }
    // The receipt preview beside the table, and the button that shows or hides it.
    ReceiptPreviewPane* Preview() const { return preview_; }
    QPushButton* PreviewButton() const { return previewToggle_; }

private:
    void TogglePause();
    void ClearAll();
    void SaveText();
    void SaveSentBytes();
    void WriteFile(const QString& filter, const QString& suggestedName, const std::string& bytes);
    // Asks for a file, writes it with `write`, and names the file and the reason if that fails.
    void SaveWithDialog(const QString& filter, const QString& suggestedName,
                        const FileWriter& write);
    // The selected line, else the last one; -1 when there are none.
    int ChosenRow() const;
    // Asks for the preview of the chosen line, unless it is hidden or already asked for.
    void RequestPreview();
    void ShowPreview(const PreviewPicture& drawn);
    void TogglePreview(bool shown);
    void SelectCall(std::uint64_t sequence);
    void SavePreview();

    TrafficLog& log_;
    FileDialogService& files_;
    MessageService& messages_;
    TrafficTableModel* model_;
    QTableView* table_;
    QLabel* dropped_;
    QPushButton* pause_;
    QPushButton* clear_;
    QPushButton* saveText_;
    QPushButton* saveSent_;
    QTimer* timer_;
    QSplitter* split_;
    ReceiptPreviewPane* preview_;
    QPushButton* previewToggle_;
    PreviewScheduler* scheduler_;
    std::uint64_t next_ = 0;
    std::uint64_t generation_ = 0;  // counts Clear: a cleared log is read afresh
    std::optional<PreviewRequest> asked_;
};

}  // namespace quillora
