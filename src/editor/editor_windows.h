#pragma once
// The windows other than the main window, one pointer each, in the order the program
// creates them. The program (QuendryApp) owns them; the main window is handed this set.
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
class TfrmProblems;

struct EditorWindows {
    TExtraDesc* extraDesc = nullptr;
    TfrmMap* mapWindow = nullptr;
    TfrmNewZone* newZone = nullptr;
    TRlist* roomList = nullptr;
    TfrmSetColor* setColor = nullptr;
    TfrmVersionInfo* versionInfo = nullptr;
    Tminimap* minimap = nullptr;
    TfrmQuendryOut* output = nullptr;
    TfrmLoading* loading = nullptr;
    TfrmSetBit* setBit = nullptr;
    TfrmSetSect* setSect = nullptr;
    TfrmProblems* problems = nullptr;  // "Problems", beside the main window
};
