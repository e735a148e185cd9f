// Handlers of the bitmap tests; filled in with the BMP reader and converters.
#include "app/MainTestDialog.h"

namespace quillora {

std::optional<QString> MainTestDialog::ChooseBmpFile() { return std::nullopt; }
void MainTestDialog::NvLogoButtonClicked() {}
void MainTestDialog::RasterGraphicsButtonClicked() {}
void MainTestDialog::DownloadNvLogo(const QString&) {}
void MainTestDialog::PrintRasterGraphics(const QString&) {}

}  // namespace quillora
