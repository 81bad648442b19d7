#include "uibase/terminal_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <climits>
#include <cstdlib>

namespace {

QFont closestToTerminalCell() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    int bestSize = 12;
    int bestScore = INT_MAX;
    for (int pixels = 9; pixels <= 16; ++pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        // Width counts double: columns of text must line up at 8 pixels.
        const int score = 2 * std::abs(metrics.horizontalAdvance(QLatin1Char('M')) - 8) + std::abs(metrics.height() - 12);
        if (score < bestScore) {
            bestScore = score;
            bestSize = pixels;
        }
    }
    font.setPixelSize(bestSize);
    return font;
}

}  // namespace

QFont terminalFont() {
    static const QFont font = closestToTerminalCell();
    return font;
}
