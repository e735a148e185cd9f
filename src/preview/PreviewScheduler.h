#pragma once

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "preview/ReceiptPreview.h"

namespace quillora {

// Draws previews on a thread of its own, so that the window's thread only asks and shows.
// Requests coalesce: while one is drawn, only the newest one waits, and a drawing starts
// at most every kMinInterval, and never sooner after the last one than that one took, so
// the worker takes at most half a core from the sends however long a drawing is.
// Drawn() is emitted on the thread the scheduler lives in (the window's).
class PreviewScheduler final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kMinInterval{250};

    PreviewScheduler(const TrafficLog& log, QObject* parent);
    ~PreviewScheduler() override;

    // Replaces any request still waiting.
    void Request(const PreviewRequest& request);

signals:
    void Drawn(const quillora::PreviewPicture& picture);

private:
    void Work();

    const TrafficLog& log_;
    ReceiptPreview preview_;  // the worker's alone
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<PreviewRequest> waiting_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace quillora
