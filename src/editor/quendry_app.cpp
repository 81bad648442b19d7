#include "editor/quendry_app.h"

#include "colour/colour_file.h"
#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/tfrmnewzone.h"
#include "dialogs/trlist.h"
#include "editor/qt_prompts.h"
#include "editor/teditmain.h"
#include "editor/tfrmversioninfo.h"
#include "map/tfrmmap.h"
#include "map/tminimap.h"
#include "wldfile/tfrmloading.h"
#include "wldfile/tfrmquendryout.h"

QuendryApp::QuendryApp(Prompts& p, FileChooser& f, ColourPicker* picker)
    : prompts(p), files(f), colourPicker(picker) {
    if (!colourPicker) {
        ownPicker_ = std::make_unique<QtColourPicker>();
        colourPicker = ownPicker_.get();
    }
}

QuendryApp::~QuendryApp() {
    // Windows go before the data they point at; the main window last, as it came first.
    setSect.reset();
    setBit.reset();
    loading.reset();
    output.reset();
    minimap.reset();
    versionInfo.reset();
    setColor.reset();
    roomList.reset();
    newZone.reset();
    mapWindow.reset();
    extraDesc.reset();
    mainWindow.reset();
}

void QuendryApp::createWindows(const std::string& startupFile) {
    mainWindow = std::make_unique<TEditMain>(store, map, prompts, files);
    TEditMain* main = mainWindow.get();
    extraDesc = std::make_unique<TExtraDesc>(store, prompts, colours);
    mapWindow = std::make_unique<TfrmMap>();
    newZone = std::make_unique<TfrmNewZone>(store, prompts, main);
    roomList = std::make_unique<TRlist>(store);
    // The colour scheme is read from the start-up directory as its dialog is created.
    loadColourFile(colours, main->startupDirectory(), prompts);
    setColor = std::make_unique<TfrmSetColor>(colours, prompts, *colourPicker, main->startupDirectory(), main);
    versionInfo = std::make_unique<TfrmVersionInfo>();
    minimap = std::make_unique<Tminimap>();
    output = std::make_unique<TfrmQuendryOut>(store, prompts, files);
    loading = std::make_unique<TfrmLoading>();
    setBit = std::make_unique<TfrmSetBit>(main->bitvectorTable(), main->flagBanks(), prompts,
                                          main->startupDirectory());
    setSect = std::make_unique<TfrmSetSect>(main->sectorTable(), main->flagBanks(), prompts,
                                            main->startupDirectory());

    EditorWindows windows;
    windows.extraDesc = extraDesc.get();
    windows.map = mapWindow.get();
    windows.newZone = newZone.get();
    windows.roomList = roomList.get();
    windows.setColor = setColor.get();
    windows.versionInfo = versionInfo.get();
    windows.minimap = minimap.get();
    windows.output = output.get();
    windows.loading = loading.get();
    windows.setBit = setBit.get();
    windows.setSect = setSect.get();
    main->attachWindows(windows);
    main->setProgress(*loading);
    main->setColourScheme(colours);
    extraDesc->setColourSetup([this](QWidget* opener) { setColor->openFrom(opener); });
    main->setStartupFile(startupFile);
    main->show();
}
