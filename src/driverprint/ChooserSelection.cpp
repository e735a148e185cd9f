#include "driverprint/ChooserSelection.h"

#include <QString>

namespace quillora {

int PreselectedPrinter(const std::vector<std::string>& items, const std::string& defaultName,
                       int current) {
    if (defaultName.empty()) return items.empty() ? -1 : 0;
    const QString name = QString::fromUtf8(defaultName);
    const int count = static_cast<int>(items.size());
    // The prefix search alone would pick "Office-2" for the default "Office" when both
    // exist, and OK would then move the default away; an exact name wins first.
    for (int i = 0; i < count; ++i) {
        if (QString::fromUtf8(items[i]).compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    for (int step = 1; step <= count; ++step) {
        const int i = step % count;
        if (QString::fromUtf8(items[i]).startsWith(name, Qt::CaseInsensitive)) return i;
    }
    return current;
}

}  // namespace quillora
