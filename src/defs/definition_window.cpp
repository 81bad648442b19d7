#include "defs/definition_window.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "defs/definition_files.h"
#include "uibase/byte_text.h"
#include "uibase/character_limit.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"

namespace {
const QString kSlotMimeType = QStringLiteral("application/x-quendryedit-slot");
constexpr int kRowSpacing = 24;
}  // namespace

// ---- SlotNameField ----

SlotNameField::SlotNameField(int slot, QWidget* window, QWidget* parent)
    : QLineEdit(parent), slot_(slot), window_(window) {
    setAcceptDrops(true);
    setDragEnabled(false);
}

QMimeData* SlotNameField::dragData() const {
    auto* data = new QMimeData;
    data->setData(kSlotMimeType,
                  QByteArray::number(reinterpret_cast<quintptr>(window_)) + ':' + QByteArray::number(slot_));
    return data;
}

int SlotNameField::draggedSlot(const QMimeData* data) const {
    if (!data || !data->hasFormat(kSlotMimeType)) return 0;
    const QList<QByteArray> parts = data->data(kSlotMimeType).split(':');
    if (parts.size() != 2 || parts[0] != QByteArray::number(reinterpret_cast<quintptr>(window_))) return 0;
    bool ok = false;
    const int slot = parts[1].toInt(&ok);
    return ok ? slot : 0;
}

void SlotNameField::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    pressPos_ = event->position().toPoint();
    QLineEdit::mousePressEvent(event);
}

void SlotNameField::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        pressed_ = false;
        auto* drag = new QDrag(this);
        drag->setMimeData(dragData());
        drag->exec(Qt::MoveAction);
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void SlotNameField::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedSlot(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotNameField::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedSlot(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotNameField::dropEvent(QDropEvent* event) {
    const int from = draggedSlot(event->mimeData());
    if (from == 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dropped(from, slot_);
}

// ---- DefinitionWindow ----

DefinitionWindow::DefinitionWindow(int slotCount, Copies<DefinitionSlots>::FileText fileText, Prompts& prompts,
                                   const char* replaceQuestion, std::string filePath, const Layout& layout,
                                   QWidget* parent)
    // The base keeps a reference to the copies, which are made before it is first used.
    : SettingsWindow(copies_, prompts,
                     {"Restore defaults and lose current settings?", "Use saved settings, losing current ones?",
                      "Save these settings?", replaceQuestion},
                     std::move(filePath), {QStringLiteral("Use &Defaults"), QStringLiteral("&Revert to Saved")},
                     parent),
      copies_(std::move(fileText)),
      slotCount_(slotCount),
      layout_(layout),
      nameFields_(static_cast<size_t>(slotCount) + 1, nullptr),
      valueControls_(static_cast<size_t>(slotCount) + 1, nullptr) {
    const QFont terminal = terminalFont();
    for (int slot = 1; slot <= slotCount; ++slot) {
        auto* field = new SlotNameField(slot, this, this);
        field->setObjectName(QStringLiteral("editName%1").arg(slot));
        field->setFont(terminal);
        limitCharacters(*field, kMaxDefinitionNameLength);  // what the file keeps
        field->setGeometry(QRect(rowPosition(slot, layout.nameX[columnOf(slot)]), QSize(layout.nameWidth, 22)));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, slot] { storeName(slot); });
        connect(field, &SlotNameField::dropped, this, &DefinitionWindow::swapSlots);
        nameFields_[slot] = field;
    }
    editDescription = new QLineEdit(this);
    editDescription->setObjectName(QStringLiteral("editDescription"));
    limitCharacters(*editDescription, kMaxDefinitionDescriptionLength);
    editDescription->installEventFilter(this);  // Enter goes back to the slot's name
    connect(editDescription, &QLineEdit::textEdited, this, &DefinitionWindow::storeDescription);
}

QPoint DefinitionWindow::rowPosition(int slot, int x) const {
    const int row = columnOf(slot) == 0 ? slot - 1 : slot - 1 - layout_.rowsInLeftColumn;
    return {x, layout_.firstRowY + row * kRowSpacing};
}

QRect DefinitionWindow::valueGeometry(int slot) const {
    return {rowPosition(slot, layout_.nameX[columnOf(slot)] + layout_.valueOffset), QSize(layout_.valueWidth, 22)};
}

void DefinitionWindow::placeHeadings(const QString& nameHeading, const QString& valueHeading, int valueHeadingWidth) {
    for (int column = 0; column < 2; ++column) {
        const int x = layout_.nameX[column];
        makeLabel(this, column == 0 ? "Label1" : "Label3", nameHeading, QRect(x, 8, layout_.nameWidth, 18));
        makeLabel(this, column == 0 ? "Label2" : "Label4", valueHeading,
                  QRect(x + layout_.valueOffset, 8, valueHeadingWidth, 18));
    }
}

void DefinitionWindow::placeButtonRow(int y, int rightEdge) {
    btnDefaults->setGeometry(QRect(8, y, 100, 28));
    btnRevert->setGeometry(QRect(114, y, 116, 28));
    btnSave->setGeometry(QRect(236, y, 80, 28));
    btnUse->setGeometry(QRect(322, y, 80, 28));
    btnCancel->setGeometry(QRect(408, y, rightEdge - 408, 28));
}

void DefinitionWindow::watchValueControl(QWidget* control, int slot) {
    valueControls_[static_cast<size_t>(slot)] = control;
    control->installEventFilter(this);
    // A typed value reaches the working copy, or is refused, before any command reads it.
    if (control == valueField(slot)) commits().watch(control, [this, slot] { return storeValueField(slot); });
}

int DefinitionWindow::slotOfValueControl(QObject* control) const {
    for (int slot = 1; slot <= slotCount_; ++slot)
        if (valueControls_[static_cast<size_t>(slot)] == control) return slot;
    return 0;
}

void DefinitionWindow::showWorkingCopy() {
    for (int slot = 1; slot <= slotCount_; ++slot) {
        nameField(slot)->setText(bytesToQString(copies_.working[slot].name));
        showSlotValue(slot);
    }
    editDescription->setText(bytesToQString(copies_.working[currentSlot_].description));
}

void DefinitionWindow::opened() {
    makeCurrent(1);
    nameField(1)->setFocus(Qt::OtherFocusReason);
}

void DefinitionWindow::makeCurrent(int slot) {
    currentSlot_ = slot;
    editDescription->setText(bytesToQString(copies_.working[slot].description));
}

void DefinitionWindow::storeName(int slot) { copies_.working[slot].name = qStringToBytes(nameField(slot)->text()); }

void DefinitionWindow::storeDescription() {
    copies_.working[currentSlot_].description = qStringToBytes(editDescription->text());
}

void DefinitionWindow::swapSlots(int from, int to) {
    if (from < 1 || from > slotCount_ || to < 1 || to > slotCount_) return;
    if (from != to) {
        std::swap(copies_.working[from], copies_.working[to]);
        for (int slot : {from, to}) {
            nameField(slot)->setText(bytesToQString(copies_.working[slot].name));
            showSlotValue(slot);
        }
    }
    makeCurrent(to);
    nameField(to)->setFocus(Qt::OtherFocusReason);
}

bool DefinitionWindow::fieldKey(QLineEdit* field, int slot, bool isName, QKeyEvent* key) {
    if (key->modifiers() & ~(Qt::KeypadModifier)) return false;
    auto fieldOf = [&](int s) -> QWidget* { return isName ? nameField(s) : valueField(s); };
    const bool moves = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Up ||
                       key->key() == Qt::Key_Down;
    // A typed value is committed before the focus moves on; refused, it stays.
    if (moves && !commits().commit(field)) return true;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        editDescription->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Up:
        fieldOf(slot == 1 ? slotCount_ : slot - 1)->setFocus(Qt::BacktabFocusReason);
        return true;
    case Qt::Key_Down:
        fieldOf(slot == slotCount_ ? 1 : slot + 1)->setFocus(Qt::TabFocusReason);
        return true;
    default:
        return false;
    }
}

bool DefinitionWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* name = qobject_cast<SlotNameField*>(watched);
    const int nameSlot = name && name->window() == this ? name->slot() : 0;
    const int valueSlot = nameSlot ? 0 : slotOfValueControl(watched);
    const int slot = nameSlot ? nameSlot : valueSlot;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (slot) makeCurrent(slot);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (nameSlot) return fieldKey(nameField(nameSlot), nameSlot, true, key);
        if (valueSlot && valueField(valueSlot) == watched) return fieldKey(valueField(valueSlot), valueSlot, false, key);
        if (watched == editDescription && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            storeDescription();
            nameField(currentSlot_)->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return SettingsWindow::eventFilter(watched, event);
}
