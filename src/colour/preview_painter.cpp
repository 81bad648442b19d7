#include "colour/preview_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "uibase/byte_text.h"
#include "uibase/terminal_font.h"

namespace {

// The terminal font as the preview draws it: at the size whose characters advance
// closest to the classic 8 pixels, without smoothing (like a raster font, every pixel
// of a character is its foreground colour). The cell is one advance wide and as high
// as the ink of capitals and descenders, so lines sit as close as a terminal's.
struct PreviewFont {
    QFont font;
    QSize cell;
    int baseline = 0;  // from the top of a cell
};

const PreviewFont& previewFont() {
    static const PreviewFont preview = [] {
        PreviewFont p;
        p.font = terminalFont();
        p.font.setStyleStrategy(QFont::NoAntialias);
        int bestPixels = p.font.pixelSize() > 0 ? p.font.pixelSize() : 12;
        int bestDistance = INT_MAX;
        for (int pixels = 8; pixels <= 24; ++pixels) {
            p.font.setPixelSize(pixels);
            const int distance = std::abs(QFontMetrics(p.font).horizontalAdvance(QLatin1Char('M')) - 8);
            if (distance < bestDistance) {
                bestDistance = distance;
                bestPixels = pixels;
            }
        }
        p.font.setPixelSize(bestPixels);
        const QFontMetrics metrics(p.font);
        const QRect ink = metrics.tightBoundingRect(QStringLiteral("Mgy"));
        p.cell = QSize(std::max(1, metrics.horizontalAdvance(QLatin1Char('M'))), std::max(1, ink.height()));
        p.baseline = std::max(0, -ink.top());
        return p;
    }();
    return preview;
}

}  // namespace

QColor previewColour(ColourValue colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QSize previewCellSize() {
    return previewFont().cell;
}

QSize previewPanelSize(QSize classicSize) {
    const QSize cell = previewCellSize();
    return QSize((classicSize.width() * cell.width() + 4) / 8,
                 (classicSize.height() * cell.height() + 6) / 12);
}

QRect previewCell(int column, int line) {
    const QSize cell = previewCellSize();
    return QRect(cell.width() * (column - 1) + 1, cell.height() * (line - 1), cell.width(), cell.height());
}

void paintColourPreview(QPainter& painter, const QRect& panel, const ColourLabelList& labels) {
    painter.save();
    painter.setClipRect(panel);
    painter.fillRect(panel, Qt::black);
    painter.setFont(previewFont().font);
    const int baseline = previewFont().baseline;
    for (const ColourLabel& label : labels) {
        if (label.text.empty()) continue;
        // One code point per cell, as the labels were laid out (a byte that is not
        // UTF-8 is one cell too).
        const QList<uint> characters = bytesToQString(label.text).toUcs4();
        const QRect first = previewCell(label.column, label.line).translated(panel.topLeft());
        if (first.left() > panel.right() || first.top() > panel.bottom()) continue;
        if (label.opaque) {
            painter.fillRect(QRect(first.left(), first.top(),
                                   first.width() * static_cast<int>(characters.size()), first.height()),
                             previewColour(label.background));
        }
        painter.setPen(previewColour(label.foreground));
        int x = first.left();
        for (const uint c : characters) {
            if (x > panel.right()) break;
            if (c >= 0x20 && c != 0x7F) {
                const char32_t codePoint = c;
                painter.drawText(QPoint(x, first.top() + baseline), QString::fromUcs4(&codePoint, 1));
            }
            x += first.width();
        }
    }
    painter.restore();
}

QImage colourPreviewImage(QSize size, const ColourLabelList& labels) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintColourPreview(painter, image.rect(), labels);
    painter.end();
    return image;
}
