#pragma once
// The "Edit Room Bitvectors" window: names, bit values and descriptions of the 31 room
// flags. Created once at start-up (which reads rmbitvec.txt of the start-up directory into
// the table and refreshes the banks), then only shown and hidden.
#include <QPushButton>
#include <functional>
#include <string>

#include "defs/definition_table_window.h"

class Prompts;
class QLabel;

// A value button: a left click (released over the button) raises the value, a right
// click lowers it.
class FlagValueButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
signals:
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool rightPressed_ = false;
};

class TfrmSetBit : public DefinitionTableWindow<BitvectorTable> {
    Q_OBJECT
public:
    TfrmSetBit(BitvectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
               QWidget* parent = nullptr);

    FlagValueButton* valueButton(int slot) const { return valueButtons_.at(static_cast<size_t>(slot)); }
    QLineEdit* editNote = nullptr;  // the disabled " See Note" field in the 32nd row
    QPushButton* btnNote = nullptr;

    void valueButtonClick(int slot);       // left: increase
    void valueButtonRightClick(int slot);  // right: decrease
    void btnNoteClick();

protected:
    void showSlotValue(int slot) override;

private:
    std::vector<FlagValueButton*> valueButtons_;  // 1..31
};
