#pragma once
// The "Set Colors" window: the code and colour of the 20 foreground and 20 background
// entries of the colour scheme, with a sample text drawn in colour as the builder edits.
// Created once at start-up, then only shown and hidden; opened from the main window or
// from the extra descriptions dialog, whichever is disabled while it is shown.
#include <QLabel>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "colour/colour_scheme.h"
#include "uibase/settings_window.h"

class ColourPicker;
class ColourPreviewPanel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The box beside a colour field: filled with the entry's colour; a click opens the
// colour picker.
class ColourBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setColour(ColourValue colour);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<ColourValue> shown_;  // a style sheet costs a polish: set only when the colour changes
};

class TfrmSetColor : public SettingsWindow {
    Q_OBJECT
public:
    enum class List { Foreground, Background };
    static constexpr int kGridColumns = 4;
    static constexpr int kGridRows = kColourEntries;  // ten foreground rows, then ten background rows

    TfrmSetColor(ColourScheme& scheme, Prompts& prompts, ColourPicker& picker, const std::string& startupDirectory,
                 QWidget* mainWindow, QWidget* parent = nullptr);
    ~TfrmSetColor() override;

    QLineEdit* codeField(List list, int entry) const { return row(list, entry).code; }
    QLineEdit* colourField(List list, int entry) const { return row(list, entry).colour; }
    ColourBox* colourBox(List list, int entry) const { return row(list, entry).box; }
    // The field at a place of the Shift+arrow grid: columns 1..4 are the code fields of
    // entries 1-10, their colour fields, the code fields of 11-20 and their colour
    // fields; rows 1..10 are foreground entries, rows 11..20 background entries.
    QLineEdit* gridField(int column, int row) const;

    QPlainTextEdit* memoSample = nullptr;
    ColourPreviewPanel* pnlSample = nullptr;
    QToolButton* sb_Continuous = nullptr;

    void colourBoxClick(List list, int entry);
    // Continuous updates switched on or off; on redraws at once.
    void sb_ContinuousClick();
    // The sample drawn again from its text (only while continuous updates are on).
    void redrawSample();

protected:
    void showWorkingCopy() override;
    void takeIntoUse() override;
    // Saving writes the scheme as it is; the fields keep what was typed in them.
    void showSaved() override {}
    void opened() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QLineEdit* code = nullptr;
        QLineEdit* colour = nullptr;
        ColourBox* box = nullptr;
    };
    const Row& row(List list, int entry) const;
    void buildList(List list, int top);
    void storeCode(List list, int entry);
    void storeColour(List list, int entry);
    void showColour(List list, int entry);
    // Which entry a field belongs to; false when it is not a code or colour field.
    bool locate(const QObject* field, List& list, int& entry, bool& isCode) const;
    bool moveInGrid(QLineEdit* from, int key);

    ColourScheme& scheme_;
    ColourPicker& picker_;
    QWidget* mainWindow_;
    std::array<Row, kColourEntries + 1> fg_{};  // entries 1..20
    std::array<Row, kColourEntries + 1> bg_{};
};
