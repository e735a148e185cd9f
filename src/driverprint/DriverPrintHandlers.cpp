// Handlers of driver printing; filled in with the spooler layer.
#include "app/MainTestDialog.h"

namespace quillora {

void MainTestDialog::DriverPrintTest() {}
void MainTestDialog::PrintDriverTestPage() {}

}  // namespace quillora
