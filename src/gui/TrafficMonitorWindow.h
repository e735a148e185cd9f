#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace quillora {

class FileDialogService;
class MessageService;
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

private:
    void TogglePause();
    void ClearAll();
    void SaveText();
    void SaveSentBytes();
    void WriteFile(const QString& filter, const QString& suggestedName, const std::string& bytes);

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
    std::uint64_t next_ = 0;
};

}  // namespace quillora
