#pragma once
// Painting the coloured preview: the labels of renderColoured drawn in the terminal
// font on a black panel, each character in its own cell, cut at the panel's edges.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include "colour/coloured_text.h"

class QPainter;

// A scheme colour (red in the low byte) as a QColor.
QColor previewColour(ColourValue colour);

// The character cell of the terminal font: the advance of a character and the line
// height, close to 8 x 12 pixels.
QSize previewCellSize();

// A panel size given for the classic 8 x 12 cell (644 x 177 for the main window's
// 14 lines), scaled to the cell of the font in use.
QSize previewPanelSize(QSize classicSize);

// The cell at column and line (both from 1): x = width * (column - 1) + 1,
// y = height * (line - 1).
QRect previewCell(int column, int line);

// Fills the panel black and paints the labels over it.
void paintColourPreview(QPainter& painter, const QRect& panel, const ColourLabelList& labels);

// The panel as an image of the given size.
QImage colourPreviewImage(QSize size, const ColourLabelList& labels);
