#include "defs/tfrmsetbit.h"

#include <utility>

#include <QLabel>
#include <QMouseEvent>

#include "defs/definition_files.h"
#include "uibase/byte_text.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "world/prompts.h"

namespace {
constexpr int kLeftRows = 16;
constexpr int kFirstRowY = 28;
constexpr int kNameX[2] = {8, 256};
constexpr int kNameWidth = 97;
constexpr int kButtonOffset = 100;  // from the name field's left edge
constexpr int kButtonWidth = 123;
}  // namespace

void FlagValueButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightPressed_ = true;
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void FlagValueButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const bool over = rect().contains(event->position().toPoint());
        const bool wasPressed = rightPressed_;
        rightPressed_ = false;
        event->accept();
        if (wasPressed && over) emit rightClicked();
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

TfrmSetBit::TfrmSetBit(BitvectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                       QWidget* parent)
    : DefinitionTableWindow(table, std::move(refreshBank), QStringLiteral("Use Bitvectors"), prompts,
                            "Replace existing bitvector file?",
                            definitionFilePath(startupDirectory, kBitvectorFileName),
                            {kLeftRows, kFirstRowY, {kNameX[0], kNameX[1]}, kNameWidth, kButtonOffset, kButtonWidth},
                            parent),
      valueButtons_(kFlagSlots + 1, nullptr) {
    setObjectName("TfrmSetBit");
    setWindowTitle(QStringLiteral("Edit Room Bitvectors"));
    setFixedSize(498, 534);

    const QFont terminal = terminalFont();
    placeHeadings(QStringLiteral("Bit Name"), QStringLiteral("Bit Value"), kButtonWidth);
    for (int slot = 1; slot <= kFlagSlots; ++slot) {
        auto* button = new FlagValueButton(this);
        button->setObjectName(QStringLiteral("btnValue%1").arg(slot));
        button->setFont(terminal);
        button->setGeometry(valueGeometry(slot));
        connect(button, &QPushButton::clicked, this, [this, slot] { valueButtonClick(slot); });
        connect(button, &FlagValueButton::rightClicked, this, [this, slot] { valueButtonRightClick(slot); });
        valueButtons_[slot] = button;
        watchValueControl(button, slot);
    }
    // The 32nd row: no slot, but the note on why there are only 31.
    const QPoint noteRow(kNameX[1], kFirstRowY + (kLeftRows - 1) * 24);
    editNote = new QLineEdit(QStringLiteral(" See Note"), this);
    editNote->setObjectName("editNote");
    editNote->setFont(terminal);
    editNote->setEnabled(false);
    editNote->setGeometry(QRect(noteRow, QSize(kNameWidth, 22)));
    btnNote = new QPushButton(QStringLiteral("&Note..."), this);
    btnNote->setObjectName("btnNote");
    btnNote->setGeometry(QRect(noteRow + QPoint(kButtonOffset, 0), QSize(kButtonWidth, 22)));
    connect(btnNote, &QPushButton::clicked, this, &TfrmSetBit::btnNoteClick);

    const int hintY = kFirstRowY + kLeftRows * 24 + 2;
    makeLabel(this, "Label5", QStringLiteral("Left-Click to INCREASE"), QRect(kNameX[0], hintY, 220, 18));
    makeLabel(this, "Label6", QStringLiteral("Right-Click to DECREASE"), QRect(kNameX[1], hintY, 220, 18));
    makeLabel(this, "Label7", QStringLiteral("Bit Description"), QRect(8, hintY + 26, 200, 18));
    editDescription->setGeometry(QRect(8, hintY + 46, 482, 24));
    const int buttonsY = hintY + 84;
    placeButtonRow(buttonsY, 490);

    readStartupFile(loadBitvectorFile);
}

void TfrmSetBit::showSlotValue(int slot) {
    valueButton(slot)->setText(bytesToQString(flagValueCaption(copies_.working[slot].value)));
}

void TfrmSetBit::valueButtonClick(int slot) {
    copies_.working[slot].value = increasedFlagValue(copies_.working[slot].value);
    showSlotValue(slot);
}

void TfrmSetBit::valueButtonRightClick(int slot) {
    copies_.working[slot].value = decreasedFlagValue(copies_.working[slot].value);
    showSlotValue(slot);
}

void TfrmSetBit::btnNoteClick() { prompts().message(kBitvectorLimitNote); }
