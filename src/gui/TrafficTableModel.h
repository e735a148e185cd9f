#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <deque>
#include <vector>

#include "monitor/TrafficReading.h"

namespace quillora {

// The monitor's rows: one per call, mirroring the log's window of kept calls. Only the
// rows on screen are read, and each row's ESC/POS reading is made once, when first shown.
class TrafficTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Port, Direction, Count, Hex, Reading, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The Count column's text for the largest counts a call can carry, for its width.
    static QString WidestCount();

    // Removes the rows older than `firstKept`, then appends `entries`.
    void Update(std::uint64_t firstKept, std::vector<TrafficLog::Entry> entries);
    void Clear();
    const TrafficRows& Rows() const { return rows_; }
    // The row of the call `sequence`; -1 when it is not shown.
    int RowOf(std::uint64_t sequence) const;

private:
    TrafficRows rows_;
    mutable std::deque<QString> readings_;  // null until shown
};

}  // namespace quillora
