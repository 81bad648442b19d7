#pragma once
// The program's data and windows, created once in the order the program starts them
// and kept until it ends. The desktop program and the window tests both build this.
//
// The store and the map model live here rather than inside a window, so that every
// window can be handed references to them when it is created and they outlive all
// windows when the program ends.
#include <memory>
#include <string>

#include "colour/colour_scheme.h"
#include "map/map_model.h"
#include "world/prompts.h"
#include "world/world_store.h"

class TEditMain;
class TExtraDesc;
class TfrmMap;
class TfrmNewZone;
class TRlist;
class TfrmSetColor;
class TfrmVersionInfo;
class Tminimap;
class TfrmQuendryOut;
class TfrmLoading;
class TfrmSetBit;
class TfrmSetSect;

class QuendryApp {
public:
    // Without a colour picker the platform's colour dialog is used.
    QuendryApp(Prompts& prompts, FileChooser& files, ColourPicker* colourPicker = nullptr);
    ~QuendryApp();

    // Creates every window, hidden, in start-up order, and shows the main window.
    void createWindows(const std::string& startupFile = {});

    Prompts& prompts;
    FileChooser& files;
    ColourPicker* colourPicker;  // never null
    WorldStore store;
    MapModel map{store};
    // The one colour scheme: the colour scheme dialog edits it, every preview reads it.
    ColourScheme colours;

    std::unique_ptr<TEditMain> mainWindow;
    std::unique_ptr<TExtraDesc> extraDesc;
    std::unique_ptr<TfrmMap> mapWindow;
    std::unique_ptr<TfrmNewZone> newZone;
    std::unique_ptr<TRlist> roomList;
    std::unique_ptr<TfrmSetColor> setColor;
    std::unique_ptr<TfrmVersionInfo> versionInfo;
    std::unique_ptr<Tminimap> minimap;
    std::unique_ptr<TfrmQuendryOut> output;
    std::unique_ptr<TfrmLoading> loading;
    std::unique_ptr<TfrmSetBit> setBit;
    std::unique_ptr<TfrmSetSect> setSect;

private:
    std::unique_ptr<ColourPicker> ownPicker_;
};
