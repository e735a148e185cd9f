#include "virtual-printer/lib/Glyphs.h"

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

QImage RenderCharacter(const QString& character, bool fullWidth, int widthFactor, int heightFactor,
                       CellFont font) {
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

const QImage& GlyphCache::Character(char16_t character, bool fullWidth, int widthFactor,
                                    int heightFactor, CellFont font) {
    // Bits 0-15 the character, 16 its width, 17 clear (a plain glyph), then the factors
    // (1 to 8) and the font.
    const std::uint64_t key = character | std::uint64_t{fullWidth} << 16 |
                              std::uint64_t(widthFactor) << 18 | std::uint64_t(heightFactor) << 22 |
                              std::uint64_t{font == CellFont::B} << 26;
    return cells_.Get(key, [&] {
        return RenderCharacter(QString(QChar(character)), fullWidth, widthFactor, heightFactor,
                               font);
    });
}

const QImage& GlyphCache::Styled(char16_t character, bool fullWidth, const TextStyle& style) {
    // As Character(), with bit 17 set and the style's key (39 bits) above it.
    const std::uint64_t key =
        character | std::uint64_t{fullWidth} << 16 | std::uint64_t{1} << 17 | style.Key() << 18;
    return cells_.Get(key, [&] {
        return StyleCell(
            Character(character, fullWidth, style.widthFactor, style.heightFactor, style.font),
            style, fullWidth);
    });
}

const QImage& GlyphCache::HexMark(const std::string& text) {
    return marks_.Get(text, [&] { return RenderHexMark(QString::fromStdString(text)); });
}

const QImage& GlyphCache::Note(const std::string& text, NoteStyle style, int width) {
    const std::string key =
        (style == NoteStyle::Problem ? 'p' : 'e') + std::to_string(width) + ',' + text;
    return notes_.Get(key, [&] { return RenderNote(QString::fromStdString(text), style, width); });
}

const QImage& GlyphCache::Blank(int width, int height) {
    // Bit 63 set: no character's key has it.
    const std::uint64_t key =
        std::uint64_t{1} << 63 | std::uint64_t(std::uint32_t(width)) << 24 | std::uint32_t(height);
    return cells_.Get(key, [&] { return WhiteImage(width, height); });
}

}  // namespace vprinter
