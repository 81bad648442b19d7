#pragma once
// The black panel of a coloured preview (the main window's, the extra descriptions
// dialog's, the colour scheme dialog's sample). It keeps the labels of its last
// rendering and paints them; every rendering replaces the labels of the one before.
#include <QWidget>
#include <string_view>

#include "colour/coloured_text.h"

class ColourPreviewPanel : public QWidget {
    Q_OBJECT
public:
    // classicSize: the panel's size for the classic 8 x 12 cell (644 x 177 for 14
    // lines); the panel takes the size that holds as many cells in the font in use.
    ColourPreviewPanel(QSize classicSize, int lines, QWidget* parent = nullptr);

    // Draws the first lines of a text with its colour codes.
    void render(std::string_view text, const ColourLists& scheme);
    void clearLabels();

    const ColourLabelList& labels() const { return labels_; }
    int lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lines_;
    ColourLabelList labels_;
};
