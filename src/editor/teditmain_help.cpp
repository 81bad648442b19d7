// The help line: the texts of the controls and the filter that shows them.
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "editor/teditmain.h"
#include "uibase/help_line.h"

void TEditMain::setHelpLines() {
    // The bank controls carry their own texts; the direction buttons, the three room
    // fields and "Set..." have none.
    const std::pair<QWidget*, const char*> texts[] = {
        {sb_WordWrap, "Wrap: Turn Word Wrap On/Off"},
        {sb_Draw, "Color - Show: Preview the room description in color."},
        {btnMap, "Map: Mapping Features for world creation"},
        {btnExtra, "Extra Descriptions: Add/Edit/Delete Extra Descriptions for this room."},
        {btnwld_NewRoom, "New Room: Click to add a room"},
        {btnwld_Update, "UPDATE: Click to make changes take effect"},
        {btnwld_Clear, "Clear: Clear all descriptions (including Extra Descriptions)"},
        {btnwld_DeleteRoom, "Delete Room: Remove room entirely"},
        {sb_confirm, "Confirm Clear/Delete"},
        {btnwld_Jumpto, "Jump To: Go to another room"},
        {btnwld_MakeDefault, "Make default template correspond to current room"},
        {btnwld_ClearDefault, "Clear default template"},
        {editJump, "Jump To First Room which matches Number or Name (string matching)"},
        {Label9, "Jump To a room by Number or Name (string matching)"},
        {btnJp, "Jump To PREVIOUS room matching Number or Name"},
        {btnJn, "Jump To NEXT room matching Number or Name"},
        {btnPrev, "Jump To PREVIOUS ROOM (in order)"},
        {btnNext, "Jump To NEXT ROOM (in order)"},
        {edit_Dir, "Enter a letter (N S E W U D) to NAVIGATE (if option above is selected)"},
        {sb_ct_Navigate, "The Direction Buttons navigate in that direction when clicked"},
        {sb_ct_Add, "The Direction Buttons add a default room in that direction when clicked"},
        {editFlagWords, "Flags 2-4: flag words 2, 3 and 4 of the newer form, three numbers (UPDATE stores them)"},
        {editTriggers, "Triggers: the numbers of the scripts attached to the room, separated by blanks"},
    };
    for (const auto& [control, text] : texts) setHelpLine(control, QString::fromLatin1(text));
}

void TEditMain::setHelpText(const QString& text) {
    pnlWorldHelp->setText(text);
    pnlWorldHelp->repaint();
}

bool TEditMain::eventFilter(QObject* watched, QEvent* event) {
    // A world file dropped on a text field loads it rather than pasting its name.
    if (worldFileDrag(event)) return true;
    switch (event->type()) {
    case QEvent::Enter: {
        const QString help = helpLineOf(watched);
        if (!help.isNull()) pnlWorldHelp->setText(help);
        break;
    }
    case QEvent::MouseButtonPress:
        // Clicking a field's label puts the focus into the field.
        if (watched == Label9) {
            Label9Click();
            return true;
        }
        if (auto* l = qobject_cast<QLabel*>(watched); l && l->buddy() && l->parentWidget() == tabWorld) {
            l->buddy()->setFocus(Qt::MouseFocusReason);
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (watched == edit_Dir && directionFieldKey(event)) return true;
        break;
    case QEvent::FocusOut:
        if (watched == editRoomName) editRoomNameExit();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
