#include "colour/preview_painter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>
#include <set>

namespace {

void guiApplication() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

std::set<QRgb> coloursIn(const QImage& image, const QRect& rect) {
    std::set<QRgb> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

QRgb rgb(ColourValue colour) {
    return previewColour(colour).rgb() | 0xFF000000u;
}

const QRgb kBlack = 0xFF000000u;

}  // namespace

TEST(PreviewPainter, CharactersAreDrawnInTheirCellsInTheirColours) {
    guiApplication();
    const QSize cell = previewCellSize();
    EXPECT_GE(cell.width(), 6);
    EXPECT_LE(cell.width(), 10);
    EXPECT_GE(cell.height(), 10);
    EXPECT_LE(cell.height(), 16);
    EXPECT_EQ(previewCell(3, 2), QRect(2 * cell.width() + 1, cell.height(), cell.width(), cell.height()));

    const ColourLists scheme = ColourLists::builtIn();
    const QSize size = previewPanelSize(QSize(644, 177));
    EXPECT_GE(size.width(), 80 * cell.width());
    EXPECT_GE(size.height(), 14 * cell.height());
    const QImage image =
        colourPreviewImage(size, colouredPreview("/cRRoses /bbare/b0 x\r\n/crred/bw \\c99q", 14, scheme));

    const QRgb lightRed = rgb(scheme.fgColours[12]), navy = rgb(scheme.bgColours[5]),
               red = rgb(scheme.fgColours[2]);
    const QRgb grey = rgb(scheme.bgColours[8]), offColour = rgb(scheme.fgColours[1]);
    struct Case {
        int column, line;
        std::set<QRgb> colours;  // exactly the colours found in the cell
    };
    const Case cases[] = {
        {1, 1, {kBlack, lightRed}},   // R, foreground 12 on background 1
        {6, 1, {kBlack}},             // the blank after "Roses"
        {7, 1, {navy, lightRed}},     // a of "are", on background 5
        {9, 1, {navy, lightRed}},     // e
        {10, 1, {kBlack}},            // /b0: the blank is on black again
        {11, 1, {kBlack, lightRed}},  // x keeps its foreground
        {12, 1, {kBlack}},            // nothing drawn after the text
        {1, 2, {kBlack, red}},        // colours set on line 2 by its own codes
        {4, 2, {grey}},               // a blank on background 8
        {5, 2, {grey, offColour}},    // \c99 draws with entry 1's foreground
        {1, 3, {kBlack}},
    };
    for (const Case& c : cases) {
        const QRect r = previewCell(c.column, c.line);
        EXPECT_EQ(coloursIn(image, r), c.colours) << "column " << c.column << " line " << c.line;
    }
    // The column left of the first cell stays black.
    EXPECT_EQ(coloursIn(image, QRect(0, 0, 1, size.height())), std::set<QRgb>{kBlack});
}

TEST(PreviewPainter, TextIsCutAtThePanelEdge) {
    guiApplication();
    const ColourLists scheme = ColourLists::builtIn();
    const QSize cell = previewCellSize();
    // A panel 10 cells wide inside a white picture: a line of 30 cells on background 8
    // fills the panel to its edge and not a pixel beyond it.
    QImage image(QSize(40 * cell.width(), 4 * cell.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect panel(0, 0, 10 * cell.width(), 2 * cell.height());
    {
        QPainter painter(&image);
        paintColourPreview(painter, panel,
                           colouredPreview("/bw" + std::string(30, ' ') + "\r\n\r\nlast", 3, scheme));
    }
    EXPECT_EQ(coloursIn(image, QRect(panel.right() - 2, 0, 3, cell.height())),
              std::set<QRgb>{rgb(scheme.bgColours[8])});
    EXPECT_EQ(coloursIn(image, QRect(panel.right() + 1, 0, image.width() - panel.width(), image.height())),
              std::set<QRgb>{0xFFFFFFFFu});
    EXPECT_EQ(coloursIn(image, QRect(0, panel.bottom() + 1, image.width(), image.height() - panel.height())),
              std::set<QRgb>{0xFFFFFFFFu});
}
