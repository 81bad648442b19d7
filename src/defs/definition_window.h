#pragma once
// What the room flag and sector type windows have in common: a name field per slot in two
// columns, a value control beside each, the description field of the current slot, and
// the keys and drags that move between and reorder the slots. Each window adds its value
// controls and what Use does with the slots.
#include <QLineEdit>
#include <QPushButton>
#include <vector>

class QMimeData;

#include "defs/definition_slots.h"
#include "uibase/settings_window.h"

// A slot's name field. It can be dragged onto another name field of the same window,
// which swaps the two slots; nothing else can be dropped on it.
class SlotNameField : public QLineEdit {
    Q_OBJECT
public:
    SlotNameField(int slot, QWidget* window, QWidget* parent);
    int slot() const { return slot_; }

    // What a drag of this field carries.
    QMimeData* dragData() const;

signals:
    void dropped(int fromSlot, int toSlot);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int draggedSlot(const QMimeData* data) const;  // 0 when not a slot of this window

    int slot_;
    QWidget* window_;
    QPoint pressPos_;
    bool pressed_ = false;
};

class DefinitionWindow : public SettingsWindow {
    Q_OBJECT
public:
    int slotCount() const { return slotCount_; }
    // The slot whose description the description field shows, 1..slotCount.
    int currentSlot() const { return currentSlot_; }
    const DefinitionSlots& workingSlots() const { return copies_.working; }

    SlotNameField* nameField(int slot) const { return nameFields_.at(static_cast<size_t>(slot)); }
    QLineEdit* editDescription = nullptr;

    // The drop of slot `from`'s name field onto slot `to`'s: the two slots change places
    // whole (name, value, description), and `to` takes the focus.
    void swapSlots(int from, int to);

protected:
    struct Layout {
        int rowsInLeftColumn;
        int firstRowY;
        int nameX[2];  // left and right column
        int nameWidth;
        int valueOffset;  // the value control's left edge, from the name field's
        int valueWidth;
    };

    // fileText gives the bytes Save writes; replaceQuestion is asked before it replaces
    // an existing file.
    DefinitionWindow(int slotCount, Copies<DefinitionSlots>::FileText fileText, Prompts& prompts,
                     const char* replaceQuestion, std::string filePath, const Layout& layout, QWidget* parent);

    // Where slot's row lies.
    QPoint rowPosition(int slot, int x) const;
    // Where slot's value control goes.
    QRect valueGeometry(int slot) const;
    // The headings above both columns, the value heading valueHeadingWidth wide.
    void placeHeadings(const QString& nameHeading, const QString& valueHeading, int valueHeadingWidth);
    // Defaults, Revert, Save, Use and Cancel side by side at `y`; Cancel ends at `rightEdge`.
    void placeButtonRow(int y, int rightEdge);
    int columnOf(int slot) const { return slot <= layout_.rowsInLeftColumn ? 0 : 1; }

    // The value control of a slot shows the working copy's value.
    virtual void showSlotValue(int slot) = 0;
    // A field beside the name that Up and Down also move through; null when there is none.
    virtual QLineEdit* valueField(int /*slot*/) const { return nullptr; }
    // Stores the text of a value field; false when refused.
    virtual bool storeValueField(int /*slot*/) { return true; }

    void showWorkingCopy() override;
    void opened() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Value controls report here when they take the focus; a value field (valueField)
    // commits through storeValueField.
    void watchValueControl(QWidget* control, int slot);

    Copies<DefinitionSlots> copies_;

private:
    void makeCurrent(int slot);
    void storeName(int slot);
    void storeDescription();
    bool fieldKey(QLineEdit* field, int slot, bool isName, QKeyEvent* key);
    int slotOfValueControl(QObject* control) const;

    int slotCount_;
    Layout layout_;
    int currentSlot_ = 1;
    std::vector<SlotNameField*> nameFields_;   // 1..slotCount
    std::vector<QWidget*> valueControls_;      // 1..slotCount
};
