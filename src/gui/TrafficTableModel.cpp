#include "gui/TrafficTableModel.h"

#include <algorithm>
#include <climits>

namespace quillora {
namespace {

QString CountText(int returned, int requested) {
    return QStringLiteral("%1/%2").arg(returned).arg(requested);
}

}  // namespace

QString TrafficTableModel::WidestCount() {
    return CountText(INT_MIN, INT_MIN);
}

int TrafficTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TrafficTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TrafficTableModel::data(const QModelIndex& index, int role) const {
    // The long columns show their whole text when the pointer rests on them.
    const bool tip =
        role == Qt::ToolTipRole && (index.column() == Hex || index.column() == Reading);
    if ((role != Qt::DisplayRole && !tip) || !index.isValid()) return {};
    const std::size_t row = static_cast<std::size_t>(index.row());
    const TrafficEvent& event = *rows_[row].event;
    switch (index.column()) {
        case Time:
            return QString::fromStdString(FormatTrafficTime(event.timeMicros));
        case Port:
            return QString::fromLocal8Bit(event.port);
        case Direction:
            return event.direction == TrafficDirection::Sent ? QStringLiteral("TX")
                                                             : QStringLiteral("RX");
        case Count:
            return CountText(event.returned, event.requested);
        case Hex:
            return QString::fromStdString(ShownHex(rows_[row]));
        case Reading:
            if (readings_[row].isNull()) {
                readings_[row] = QString::fromStdString(ReadingOf(rows_, row));
            }
            return readings_[row];
        default:
            return {};
    }
}

QVariant TrafficTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static const char* const kHeaders[] = {QT_TR_NOOP("时间"),     QT_TR_NOOP("端口"),
                                           QT_TR_NOOP("方向"),     QT_TR_NOOP("字节"),
                                           QT_TR_NOOP("十六进制"), "ESC/POS"};
    return section >= 0 && section < ColumnCount ? tr(kHeaders[section]) : QVariant();
}

void TrafficTableModel::Update(std::uint64_t firstKept, std::vector<TrafficLog::Entry> entries) {
    std::size_t gone = 0;
    while (gone < rows_.size() && rows_[gone].sequence < firstKept) ++gone;
    if (gone > 0) {
        beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(gone));
        readings_.erase(readings_.begin(), readings_.begin() + static_cast<std::ptrdiff_t>(gone));
        endRemoveRows();
    }
    if (entries.empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    for (TrafficLog::Entry& entry : entries) rows_.push_back(std::move(entry));
    readings_.resize(rows_.size());
    endInsertRows();
}

int TrafficTableModel::RowOf(std::uint64_t sequence) const {
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), sequence,
                                        [](const TrafficLog::Entry& entry, std::uint64_t wanted) {
                                            return entry.sequence < wanted;
                                        });
    if (found == rows_.end() || found->sequence != sequence) return -1;
    return static_cast<int>(found - rows_.begin());
}

void TrafficTableModel::Clear() {
    beginResetModel();
    rows_.clear();
    readings_.clear();
    endResetModel();
}

}  // namespace quillora
