// Build-time tool: draws the program's own icon (the XPM that the window uses) at the
// sizes the icon theme wants, so the menu shows the same picture as the window.
// Usage: quillora-icon-render ICON.xpm OUT_DIR NAME SIZE...
// Writes OUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for each SIZE.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

// Pixel art stays crisp when blown up by whole steps; a size between two steps is
// reached by blowing up past it and then smoothing down, which keeps edges sharper than
// smoothing up.
QImage Render(const QImage& icon, int size) {
    const int step = (size + icon.width() - 1) / icon.width();
    const QImage blown = icon.scaled(icon.width() * step, icon.height() * step,
                                     Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (blown.width() == size) return blown;
    return blown.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s ICON.xpm OUT_DIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QImage icon =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (icon.isNull() || icon.width() != icon.height()) {
        std::fprintf(stderr, "%s: not a square picture\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "%s: not a size\n", argv[i]);
            return 2;
        }
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QString path =
            folder + QLatin1Char('/') + QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !Render(icon, size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
