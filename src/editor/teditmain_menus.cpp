// The menus, Load and New Area, the buttons that open other windows, and the end of
// the program.
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "colour/colour_preview_panel.h"
#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/tfrmnewzone.h"
#include "editor/teditmain.h"
#include "editor/tfrmproblems.h"
#include "editor/tfrmversioninfo.h"
#include "map/tfrmmap.h"
#include "uibase/commit_path.h"
#include "uibase/edit_history.h"
#include "wldfile/tfrmquendryout.h"
#include "world/prompts.h"

namespace {
QAction* item(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

const char* const kFirstText =
    "QuendryEdit edits the rooms of one zone at a time.\n\n"
    "Start with Project | New Area to give the zone its name, number and lowest room "
    "number, or with File | Load .wld... to open an existing world file.\n\n"
    "New Room offers the next free room number; fill in the name and the description, "
    "pick the flags and the sector type, and press UPDATE to make the room. UPDATE also "
    "takes every later change of the room shown.\n\n"
    "MAP... lays the rooms out on a grid; rooms placed side by side are linked by exits.\n\n"
    "File | Save .wld... shows the world file and writes it in DOS or UNIX form.";
}  // namespace

void TEditMain::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    itemLoad = item(file, "itemLoad", "&Load .wld...");
    itemSavewld = item(file, "itemSavewld", "&Save .wld...");
    itemSavewld->setEnabled(false);
    itemSaveNewer = item(file, "itemSaveNewer", "Save in &Newer Form (four flag words)");
    itemSaveNewer->setCheckable(true);
    itemSaveNewer->setEnabled(false);
    file->addSeparator();
    itemQuit = item(file, "itemQuit", "&Quit");

    // "Ed&it": Alt+E already goes to "Room D&escription" and Alt+D to "Make &Default".
    menuEdit = menuBar()->addMenu(QStringLiteral("Ed&it"));
    menuEdit->setObjectName(QStringLiteral("menuEdit"));

    QMenu* project = menuBar()->addMenu(QStringLiteral("&Project"));
    itemNewArea = item(project, "itemNewArea", "&New Area");
    itemNewProject = item(project, "itemNewProject", "&New Project");
    itemNewProject->setEnabled(false);
    itemSelectProject = item(project, "itemSelectProject", "&Select Project...");
    itemSelectProject->setEnabled(false);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    itemQuendryOutput = item(view, "itemQuendryOutput", "&Quendry Output");
    itemProblems = item(view, "itemProblems", "&Problems");
    itemProblems->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    itemSetupColors = item(options, "itemSetupColors", "Set up &Colors");
    itemSetupBitvectors = item(options, "itemSetupBitvectors", "Set up &Bitvectors");
    itemSetupSectors = item(options, "itemSetupSectors", "Set up &Sector Types");
    itemcheckorder = item(options, "itemcheckorder", "Check room &order while loading");
    itemcheckorder->setCheckable(true);
    itemcheckorder->setChecked(true);
    itemCheckDesc = item(options, "itemCheckDesc", "Search checks Room &Description also");
    itemCheckDesc->setCheckable(true);

    QMenu* readMe = menuBar()->addMenu(QStringLiteral("&ReadMe"));
    itemFirst = item(readMe, "itemFirst", "&First");
    itemVersionInfo = item(readMe, "itemVersionInfo", "&Version Info");

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    itemWhatHelp = item(help, "itemWhatHelp", "What Help?");
    itemWhatHelp->setEnabled(false);

    connect(itemLoad, &QAction::triggered, this, &TEditMain::itemLoadClick);
    connect(itemSavewld, &QAction::triggered, this, &TEditMain::itemSavewldClick);
    connect(itemSaveNewer, &QAction::triggered, this, &TEditMain::itemSaveNewerClick);
    connect(itemQuit, &QAction::triggered, this, &TEditMain::itemQuitClick);
    connect(itemNewArea, &QAction::triggered, this, &TEditMain::itemNewAreaClick);
    connect(itemQuendryOutput, &QAction::triggered, this, &TEditMain::itemSavewldClick);
    connect(itemProblems, &QAction::triggered, this, &TEditMain::itemProblemsClick);
    connect(itemSetupColors, &QAction::triggered, this, &TEditMain::itemSetupColorsClick);
    connect(itemSetupBitvectors, &QAction::triggered, this, &TEditMain::itemSetupBitvectorsClick);
    connect(itemSetupSectors, &QAction::triggered, this, &TEditMain::itemSetupSectorsClick);
    connect(itemFirst, &QAction::triggered, this, &TEditMain::itemFirstClick);
    connect(itemVersionInfo, &QAction::triggered, this, &TEditMain::itemVersionInfoClick);
}

void TEditMain::setHistory(EditHistory& history) {
    history_ = &history;
    QUndoStack& stack = history.stack();
    itemUndo = history.createUndoAction(this);
    itemUndo->setObjectName(QStringLiteral("itemUndo"));
    itemUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    itemRedo = history.createRedoAction(this);
    itemRedo->setObjectName(QStringLiteral("itemRedo"));
    itemRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menuEdit->addAction(itemUndo);
    menuEdit->addAction(itemRedo);
    // The title bar's mark: changes since the last load, New Area or save.
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    setWindowModified(!stack.isClean());
}

void TEditMain::itemLoadClick() {
    const std::string path =
        files_.openFile("Load .wld file", FileFilter{"Quendry World Files (.wld)", "*.wld"});
    if (!path.empty()) loadChosenFile(path);
}

void TEditMain::loadChosenFile(const std::string& path) {
    if (!store_.empty() && !prompts_.confirm("Load new file, DELETING all existing rooms?")) return;
    if (!QFileInfo(QString::fromStdString(path)).isFile()) return;
    if (zoneReplacing_) zoneReplacing_(false);
    setHelpText(QStringLiteral("Deleting Rooms..."));
    // The steps of the old zone go with it.
    if (history_) history_->clear();
    store_.deleteAllRooms();
    setHelpText(QString());
    readWorld(path);
    if (zoneReplacing_) zoneReplacing_(true);
}

void TEditMain::itemNewAreaClick() {
    if (!store_.empty() && !prompts_.confirm("Create NEW area, deleting all current rooms?")) return;
    if (zoneReplacing_) zoneReplacing_(false);
    if (windows_.output) windows_.output->setZonePath({});
    if (history_) history_->clear();
    store_.deleteAllRooms();
    if (zoneReplacing_) zoneReplacing_(true);
    clearFlagsAndDefaults();
    if (!windows_.newZone) return;
    windows_.newZone->openFrom(this);
    windows_.newZone->reset();
}

void TEditMain::handleFirstActivation() {
    if (startupFileDone_) return;
    startupFileDone_ = true;
    if (startupOffer_ && startupOffer_()) {
        startupFileRead_ = true;
        return;
    }
    if (!startupFile_.empty() && QFileInfo(QString::fromStdString(startupFile_)).isFile()) readWorld(startupFile_);
    startupFileRead_ = true;
}

// On a display without a window manager the main window is never activated; the
// command-line file is then read once the window is on screen and the event loop runs.
void TEditMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!startupFileDone_) QTimer::singleShot(0, this, &TEditMain::handleFirstActivation);
}

void TEditMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        update();
        handleFirstActivation();
    }
}

void TEditMain::itemQuitClick() {
    if (!prompts_.confirm("Quit: Are you sure?")) return;
    if (history_) history_->clear();  // the steps hold rooms of the zone being released
    store_.releaseAll(&prompts_);
    quitConfirmed_ = true;
    close();
}

void TEditMain::closeEvent(QCloseEvent* event) {
    if (!quitConfirmed_) {
        if (!store_.empty() && !prompts_.confirm("Quit: Are you sure?")) {
            event->ignore();
            return;
        }
        if (history_) history_->clear();
        store_.releaseAll(&prompts_);
    }
    event->accept();
    emit programEnding();
}

void TEditMain::itemFirstClick() { prompts_.message(kFirstText); }

void TEditMain::itemVersionInfoClick() {
    if (!windows_.versionInfo) return;
    windows_.versionInfo->openFrom(this);
}

void TEditMain::itemSetupColorsClick() {
    if (windows_.setColor) windows_.setColor->openFrom(this);
}

void TEditMain::itemSetupBitvectorsClick() {
    if (windows_.setBit) windows_.setBit->openFrom(this);
}

void TEditMain::itemSetupSectorsClick() {
    if (windows_.setSect) windows_.setSect->openFrom(this);
}

// Beside the main window, which stays usable.
void TEditMain::itemProblemsClick() {
    if (windows_.problems) windows_.problems->openBeside(*this);
}

void TEditMain::itemSavewldClick() {
    if (windows_.output) windows_.output->buildOutput();
}

void TEditMain::itemSaveNewerClick() {
    const WorldForm form = itemSaveNewer->isChecked() ? WorldForm::Newer : WorldForm::Classic;
    // A field typed into elsewhere reaches the zone before its form changes.
    if (!CommitPath::commitEverywhere() || form == store_.zoneForm) {
        showZoneForm();
        return;
    }
    recordStep(history_, [&] { store_.zoneForm = form; },
               [form] {
                   return form == WorldForm::Newer ? QStringLiteral("Save in Newer Form")
                                                   : QStringLiteral("Save in Classic Form");
               });
    // The text on screen is the one a save writes: it shows the form the item now says.
    if (windows_.output && windows_.output->isVisible()) windows_.output->buildOutput();
}

void TEditMain::showZoneForm() { itemSaveNewer->setChecked(store_.zoneForm == WorldForm::Newer); }

void TEditMain::btnMapClick() {
    if (store_.empty()) {
        prompts_.message(store_.newRoomPending()
                             ? "You need to UPDATE the room to complete it.  There must be at least one room "
                               "defined before you can Map."
                             : "You need to define a room before you can add to the map.  Use New Room then UPDATE.");
        return;
    }
    if (windows_.mapWindow) windows_.mapWindow->openMap(this);
}

void TEditMain::btnExtraClick() {
    if (store_.newRoomPending()) {
        prompts_.message(
            "You need to UPDATE the room to complete it.  You must define a room before you can add extra "
            "descriptions to it.");
        return;
    }
    if (store_.empty()) {
        prompts_.message("You need to define a room before you can add extra descriptions.  Use New Room then UPDATE.");
        return;
    }
    if (!store_.current() || !windows_.extraDesc) return;
    windows_.extraDesc->openFromMain(this, *store_.current()->room);
}

void TEditMain::sb_WordWrapClick() {
    memoRoom->setLineWrapMode(sb_WordWrap->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (previewShown()) {
        ColorPanel->hide();
        showPreview();
    }
}

void TEditMain::sb_DrawClick() {
    if (sb_Draw->isChecked())
        showPreview();
    else
        hidePreview();
}

void TEditMain::Label9Click() {
    prompts_.message("okay");
    editJump->setFocus(Qt::MouseFocusReason);
}
