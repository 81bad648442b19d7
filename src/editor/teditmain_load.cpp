// Reading a world file into the editor: the reader fills the emptied store, adopts the
// world (which shows its first room), lays it out on the map and lists the rooms left off.
#include <QAction>
#include <QFileInfo>

#include "editor/teditmain.h"
#include "map/map_model.h"
#include "uibase/byte_text.h"
#include "wldfile/tfrmquendryout.h"
#include "wldfile/world_reader.h"

void TEditMain::readWorld(const std::string& path) {
    if (reading_) return;
    reading_ = true;
    struct ReadEnds {
        bool& reading;
        ~ReadEnds() { reading = false; }
    } readEnds{reading_};
    NoProgress silent;
    LoadRoad road{store_, map_, prompts_, progress_ ? *progress_ : silent, itemcheckorder->isChecked(),
                  [this](const std::string& text) { setHelpText(bytesToQString(text)); }};
    readWorldFile(path, road);
    // Absolute, as the working directory was when the zone was read: the save dialog and the
    // recovery copy find the file from there on, wherever a later editor is started.
    if (windows_.output)
        windows_.output->setZonePath(qStringToBytes(QFileInfo(bytesToQString(path)).absoluteFilePath()));
}
