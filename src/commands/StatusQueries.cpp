// The status queries of MainTestDialog: serial connections only; every outcome is shown.
#include "app/MainTestDialog.h"
#include "commands/StatusExchange.h"

namespace quillora {
namespace {

void Query(MainTestDialog& dialog, const StatusQuery& query) {
    const PortName port = dialog.CurrentPortName(true);
    dialog.ShowMessage(RunStatusQuery(dialog.Services().ports, port, query),
                       MessageIcon::Information);
}

}  // namespace

void MainTestDialog::PaperNearEndQuery() {
    Query(*this, NearEndQuery());
}
void MainTestDialog::PaperTakenQuery() {
    Query(*this, quillora::PaperTakenQuery());
}
void MainTestDialog::SerialStatusQuery() {
    Query(*this, quillora::SerialStatusQuery());
}

}  // namespace quillora
