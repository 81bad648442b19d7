#include "editor/quendry_app.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QSettings>

#include "colour/colour_file.h"
#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/tfrmnewzone.h"
#include "dialogs/trlist.h"
#include "editor/flag_banks.h"
#include "editor/teditmain.h"
#include "editor/tfrmproblems.h"
#include "editor/tfrmversioninfo.h"
#include "map/cell_drawing.h"
#include "map/room_details.h"
#include "map/tfrmmap.h"
#include "map/tminimap.h"
#include "map/auto_placement.h"
#include "world/file_replace.h"
#include "world/platform_files.h"
#include "uibase/byte_text.h"
#include "uibase/one_line_fields.h"
#include "uibase/qt_prompts.h"
#include "uibase/text_redo_keys.h"
#include "wldfile/tfrmloading.h"
#include "wldfile/tfrmquendryout.h"

namespace {

// The map's view of the definition tables.
class TableNames : public DefinitionNames {
public:
    TableNames(const BitvectorTable& bits, const SectorTable& sectors) : bits_(bits), sectors_(sectors) {}
    std::string sectorName(int32_t sector) const override {
        for (int slot = 1; slot <= sectors_.count && slot <= kTableSlots; ++slot)
            if (sectors_.values[slot] == sector) return sectors_.names[slot];
        return {};
    }
    std::string flagName(int32_t bitValue) const override {
        for (int slot = 1; slot <= bits_.count && slot <= kTableSlots; ++slot)
            if (bits_.values[slot] == bitValue) return bits_.names[slot];
        return {};
    }
    std::vector<std::pair<int32_t, std::string>> sectors() const override {
        std::vector<std::pair<int32_t, std::string>> all;
        for (int slot = 1; slot <= sectors_.count && slot <= kTableSlots; ++slot)
            if (SectorTable::inUse(sectors_.values[slot])) all.emplace_back(sectors_.values[slot], sectors_.names[slot]);
        return all;
    }

private:
    const BitvectorTable& bits_;
    const SectorTable& sectors_;
};

}  // namespace

QuendryApp::QuendryApp(Prompts& p, FileChooser& f, ColourPicker* picker)
    : prompts(p),
      files(f),
      colourPicker(picker),
      settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QuendryEdit"),
                                           QStringLiteral("QuendryEdit"))) {
    if (!colourPicker) {
        ownPicker_ = std::make_unique<QtColourPicker>();
        colourPicker = ownPicker_.get();
    }
}

QuendryApp::~QuendryApp() {
    // Windows go before the data they point at, in the reverse of their creation; the
    // main window last, as it came first.
    while (!owned_.empty()) owned_.pop_back();
    mainWindow.reset();
}

void QuendryApp::createWindows(const std::string& startupFile) {
    MapBitmaps::instance();  // the map pictures, loaded once for the run
    mainWindow = std::make_unique<TEditMain>(store, map, prompts, files);
    TEditMain* main = mainWindow.get();
    extraDesc = own(std::make_unique<TExtraDesc>(store, prompts, colours));
    mapWindow = own(std::make_unique<TfrmMap>(store, map, prompts));
    // "E&xtra Descriptions..." of the map: the dialog disables the map while it is open
    // and, when it closes, the map draws its view again.
    mapWindow->setExtraDescOpener([this](RoomDataType& room) { extraDesc->openFromMap(mapWindow, room); });
    QObject::connect(extraDesc, &TExtraDesc::closedFromMap, mapWindow, &TfrmMap::extraDescsClosed);
    newZone = own(std::make_unique<TfrmNewZone>(store, prompts));
    roomList = own(std::make_unique<TRlist>(store));
    // The colour scheme is read from the start-up directory as its dialog is created.
    loadColourFile(colours, main->startupDirectory(), prompts);
    setColor = own(std::make_unique<TfrmSetColor>(colours, prompts, *colourPicker, main->startupDirectory(), main));
    versionInfo = own(std::make_unique<TfrmVersionInfo>());
    minimap = own(std::make_unique<Tminimap>(map));
    minimap->setMapWindow(mapWindow);
    mapWindow->setMinimap(minimap);
    mapWindow->setSearchChecksDescription([main] { return main->itemCheckDesc->isChecked(); });
    tableNames = std::make_unique<TableNames>(main->bitvectorTable(), main->sectorTable());
    mapWindow->setDefinitionNames(tableNames.get());
    output = own(std::make_unique<TfrmQuendryOut>(store, prompts, files));
    loading = own(std::make_unique<TfrmLoading>());
    setBit = own(std::make_unique<TfrmSetBit>(
        main->bitvectorTable(),
        [this, main] {
            main->flagBanks().refreshBitvectorBank();
            if (problems) problems->definitionsChanged();
        },
        prompts, main->startupDirectory()));
    setSect = own(std::make_unique<TfrmSetSect>(
        main->sectorTable(),
        [this, main] {
            main->flagBanks().refreshSectorBank();
            if (problems) problems->definitionsChanged();
        },
        prompts, main->startupDirectory()));
    // After the definitions: it holds the rooms' flags against the definitions in use.
    problems = own(std::make_unique<TfrmProblems>(store, map.grid, prompts, *settings));
    problems->setFlagNames([main] { return flagNamesOf(main->bitvectorTable(), main->sectorTable()); });
    // A finding's room in the main window and, when the map is open, on the map.
    problems->setNavigation([this, main](RoomIndexNode& node) {
        if (mapWindow->isVisible() && !mapWindow->selectRoomOnMap(*node.room)) return;
        main->roomChosenFromList(&node);
    });

    main->attachWindows(*this);
    connectHistory();
    keepOneLineFields(*main);
    for (const std::unique_ptr<QWidget>& window : owned_) keepOneLineFields(*window);
    main->setProgress(*loading);
    main->setColourScheme(colours);
    extraDesc->setColourSetup([this](QWidget* opener) { setColor->openFrom(opener); });
    main->setStartupFile(startupFile);
    startRecovery();
    main->show();
}

void QuendryApp::connectHistory() {
    TEditMain* main = mainWindow.get();
    main->setHistory(history);
    mapWindow->setHistory(&history);
    extraDesc->setHistory(&history);
    setBit->setHistory(&history);
    setSect->setHistory(&history);
    setColor->setHistory(&history);
    // The same Undo and Redo, with their shortcuts, while the map is the active window.
    mapWindow->addAction(main->itemUndo);
    mapWindow->addAction(main->itemRedo);
    problems->addAction(main->itemUndo);
    problems->addAction(main->itemRedo);
    keepRedoKeysInTextFields(*main);
    keepRedoKeysInTextFields(*mapWindow);
    QObject::connect(&history, &EditHistory::zoneRestored, main, &TEditMain::showRestoredZone);
    QObject::connect(&history, &EditHistory::zoneRestored, mapWindow, &TfrmMap::showRestoredZone);
    QObject::connect(&history, &EditHistory::zoneRestored, extraDesc, &TExtraDesc::showRestoredZone);
    QObject::connect(&history, &EditHistory::zoneRestored, roomList, &TRlist::showRestoredZone);
    QObject::connect(&history, &EditHistory::zoneChanged, problems, &TfrmProblems::zoneChanged);
    QObject::connect(output, &TfrmQuendryOut::outputBuilt, &history, &EditHistory::outputBuilt);
    QObject::connect(output, &TfrmQuendryOut::worldSaved, &history, &EditHistory::outputSaved);
}

void QuendryApp::enableRecovery(const std::string& directory, RecoveryQuestion& question, int delayMs) {
    recoverySettings_ = {directory, &question, delayMs};
}

void QuendryApp::startRecovery() {
    if (!recoverySettings_.question) return;
    const std::string directory = recoverySettings_.directory;
    RecoveryQuestion& question = *recoverySettings_.question;
    recovery = std::make_unique<RecoveryKeeper>(store, history, prompts, directory, recoverySettings_.delayMs);
    TEditMain* main = mainWindow.get();
    recovery->setZonePath([this] { return output->zonePath(); });
    // The definition files the banks were filled from, when there were any.
    auto definitionFile = [main](const char* name) {
        const std::string path = platform::joinPath(main->startupDirectory(), name);
        return QFileInfo(QString::fromStdString(path)).isFile() ? path : std::string("built-in");
    };
    recovery->setDefinitions([definitionFile] { return definitionFile("rmbitvec.txt"); },
                             [definitionFile] { return definitionFile("rsectype.txt"); });
    recovery->setBusy([main] { return main->reading(); });
    main->setZoneReplacing([this](bool done) {
        if (done)
            recovery->zoneReplaced();
        else
            recovery->zoneReplacing();
    });
    main->setStartupOffer([this, directory, &question] {
        return offerRecoveryFiles(directory, recovery->filePath(), question, prompts,
                                  [this](const RecoveryListing& listing) { recoverZone(listing); });
    });
}

void QuendryApp::recoverZone(const RecoveryListing& listing) {
    const RecoveryContents& c = listing.contents;
    // The reader takes files: the world and map texts go to a directory of their own,
    // under the original file's name (the map file's name follows from it).
    QTemporaryDir temporary;
    const std::string original = c.header.originalPath;
    std::string name = original.empty() ? std::string() : platform::utf8Path(platform::fsPath(original).filename());
    if (name.size() < 5 || name.substr(name.size() - 4) != ".wld") name = "recovered.wld";
    const std::string worldPath = platform::joinPath(temporary.path().toStdString(), name);
    const bool written = replaceFile(worldPath, c.worldText).empty() &&
                         replaceFile(mapFilePath(worldPath), c.mapText).empty();
    if (!written) {
        prompts.message("The recovered zone could not be put in " + temporary.path().toStdString() + ".");
        return;
    }
    history.clear();
    store.deleteAllRooms();
    mainWindow->readWorld(worldPath);
    if (c.mapText.empty()) {
        // No room was on the map: the load's automatic layout is taken back, so that the
        // zone comes back as it was, every room waiting in the placement list.
        for (RoomIndexNode* node = store.first(); node; node = node->next) {
            RoomDataType& room = *node->room;
            if (!room.onMap()) continue;
            map.grid.takeRoom(room.mapX, room.mapY, room.mapZ);
            map.placement.registerUnplacedRoom(room);
        }
        map.announceReset();
    }
    // The world file holds no zone name; the copy's header does.
    store.zoneName = c.header.zoneName;
    mainWindow->pnlZoneName->setText(bytesToQString(store.zoneName));
    output->setZonePath(original);
    output->suggestPath(original);
    // Not saved anywhere yet: the title shows it, and the copy goes on.
    history.stack().resetClean();
    recovery->adopt(listing.path);
}

void QuendryApp::setHistoryLimit(int steps) { history.setLimit(steps); }
