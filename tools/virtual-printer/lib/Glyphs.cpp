#include "Glyphs.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace vprinter {
namespace {

constexpr int kSmallPixels = 14;

QFont ReceiptFont(int pixelSize) {
    // A CJK monospace face: Latin at half the width of a Hanzi, as on a receipt printer.
    QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(255);
    return image;
}

}  // namespace

QImage BlankCell(int width, int height) {
    return WhiteImage(width, height);
}

QImage RenderCharacter(const QString& character, bool fullWidth, int widthFactor,
                       int heightFactor, CellFont font) {
    const int baseWidth = CellWidth(font, fullWidth);
    const int baseHeight = CellHeight(font);
    QImage cell = WhiteImage(baseWidth * widthFactor, baseHeight * heightFactor);
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.scale(widthFactor, heightFactor);
    painter.setFont(ReceiptFont(baseHeight - 2));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, baseWidth, baseHeight), Qt::AlignCenter, character);
    return cell;
}

QImage RenderHexMark(const QString& text) {
    const QFont font = ReceiptFont(kSmallPixels);
    const int width = QFontMetrics(font).horizontalAdvance(text) + 6;
    QImage mark(width, kCellHeight, QImage::Format_Grayscale8);
    mark.fill(0);
    QPainter painter(&mark);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, width, kCellHeight), Qt::AlignCenter, text);
    return mark;
}

QImage RenderNote(const QString& text, NoteStyle style, int width) {
    const QFont font = ReceiptFont(kSmallPixels);
    const QFontMetrics metrics(font);
    const QRect textArea(6, 4, width - 12, 1000);
    const int textHeight =
        metrics.boundingRect(textArea, Qt::TextWordWrap | Qt::AlignLeft, text).height();
    QImage note = WhiteImage(width, textHeight + 10);
    QPainter painter(&note);
    painter.setFont(font);
    if (style == NoteStyle::Problem) {
        note.fill(0);
        painter.setPen(Qt::white);
    } else {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(0, 1, width - 1, note.height() - 3);
        painter.setPen(Qt::black);
    }
    painter.drawText(textArea, Qt::TextWordWrap | Qt::AlignLeft, text);
    return note;
}

const QImage& GlyphCache::Character(const QString& character, bool fullWidth, int widthFactor,
                                    int heightFactor, CellFont font) {
    // Built by hand: QString::arg per character costs more than the lookup (factors are
    // single digits, 1 to 8).
    QString key;
    key.reserve(4 + character.size());
    key += u'c';
    key += QChar(u'0' + widthFactor);
    key += QChar(u'0' + heightFactor);
    key += font == CellFont::B ? u'b' : u'a';
    key += character;
    return Cached(key, [&] {
        return RenderCharacter(character, fullWidth, widthFactor, heightFactor, font);
    });
}

const QImage& GlyphCache::HexMark(const QString& text) {
    return Cached(QStringLiteral("m") + text, [&] { return RenderHexMark(text); });
}

const QImage& GlyphCache::Note(const QString& text, NoteStyle style, int width) {
    const QString key =
        QStringLiteral("n%1,%2,").arg(style == NoteStyle::Problem ? 'p' : 'e').arg(width) + text;
    return Cached(key, [&] { return RenderNote(text, style, width); });
}

const QImage& GlyphCache::Remember(const QString& key, QImage image) {
    if (images_.size() >= kMaxEntries) images_.clear();
    return *images_.insert(key, std::move(image));
}

}  // namespace vprinter
