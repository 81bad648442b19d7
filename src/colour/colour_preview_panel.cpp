#include "colour/colour_preview_panel.h"

#include <QPainter>

#include "colour/preview_painter.h"

ColourPreviewPanel::ColourPreviewPanel(QSize classicSize, int lines, QWidget* parent)
    : QWidget(parent), lines_(lines) {
    setFixedSize(previewPanelSize(classicSize));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourPreviewPanel::render(std::string_view text, const ColourLists& scheme) {
    labels_ = colouredPreview(text, lines_, scheme);
    update();
}

void ColourPreviewPanel::clearLabels() {
    labels_.clear();
    update();
}

void ColourPreviewPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintColourPreview(painter, rect(), labels_);
}
