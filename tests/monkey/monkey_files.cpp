#include "monkey_files.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>
#include <fstream>

#include "cli/zone_generator.h"
#include "monkey_report.h"

namespace monkey {
namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Doors, keys, extra descriptions, letters and numbers as bitvectors, bytes above 127,
// exits out of the zone and to rooms that do not exist, CR LF line ends.
const char* const kHandMade =
    "#4100\r\n"
    "The Old Well~\r\n"
    "A well of {Rcold{x stone.\r\n"
    "Moss grows \xe9verywhere.\r\n"
    "~\r\n"
    "41 dl 2\r\n"
    "D0\r\n"
    "A path leads north.\r\n"
    "~\r\n"
    "gate~\r\n"
    "1 -1 4101\r\n"
    "D5\r\n"
    "~\r\n"
    "~\r\n"
    "2 4150 4103\r\n"
    "E\r\n"
    "well stone~\r\n"
    "Very {Bold{x.\r\n"
    "~\r\n"
    "E\r\n"
    "moss~\r\n"
    "~\r\n"
    "S\r\n"
    "#4101\r\n"
    "North Path~\r\n"
    "Trees.\r\n"
    "~\r\n"
    "41 2056 3\r\n"
    "D2\r\n"
    "~\r\n"
    "~\r\n"
    "0 -1 4100\r\n"
    "D1\r\n"
    "~\r\n"
    "~\r\n"
    "0 -1 4102\r\n"
    "D3\r\n"
    "To another zone.\r\n"
    "~\r\n"
    "~\r\n"
    "0 -1 9999\r\n"
    "S\r\n"
    "#4102\r\n"
    "East Glade~\r\n"
    "~\r\n"
    "41 AB 0\r\n"
    "D3\r\n"
    "~\r\n"
    "~\r\n"
    "0 -1 4101\r\n"
    "D4\r\n"
    "~\r\n"
    "~\r\n"
    "0 -1 4077\r\n"
    "S\r\n"
    "#4103\r\n"
    "Under the Well~\r\n"
    "Dark.\r\n"
    "~\r\n"
    "41 0 0\r\n"
    "D4\r\n"
    "~\r\n"
    "~\r\n"
    "2 4150 4100\r\n"
    "S\r\n"
    "$\r\n";

// Positions for the hand-made zone, one of them outside the grid and one for a room
// the zone does not have.
const char* const kHandMadeMap =
    "4100 10 10 0\n"
    "4101 10 9 0\n"
    "4102 11 9 0\n"
    "4103 10 10 9\n"
    "4077 3 3 3\n"
    "4101 300 2 1\n";

// Out of order and a number twice: read in file order, the index is unsorted.
const char* const kOutOfOrder =
    "#7\nSeven~\n~\n7 0 0\nD1\n~\n~\n0 -1 5\nS\n"
    "#5\nFive~\nA room.\n~\n7 0 0\nD3\n~\n~\n0 -1 7\nS\n"
    "#5\nFive again~\n~\n7 0 0\nS\n"
    "#9\nNine~\n~\n7 0 0\nS\n$\n";

// A format error after two rooms: the rooms read so far stay.
const char* const kBroken =
    "#300\nThree hundred~\n~\n3 0 0\nD0\n~\n~\n0 -1 301\nS\n"
    "#301\nThree hundred one~\n~\n3 0 0\nD2\n~\n~\n0 -1 300\nS\n"
    "#302\nBroken~\n~\n3 zz 0\nD9\nS\n$\n";

}  // namespace

std::vector<std::string> writeWorldFiles(const std::string& dir, uint64_t seed) {
    const std::string generated = dir + "/grown.wld";
    writeFile(generated, generateZone(24 + static_cast<int>(seed % 40), static_cast<uint32_t>(seed), 12));
    writeFile(dir + "/well.wld", kHandMade);
    writeFile(dir + "/well.map", kHandMadeMap);
    writeFile(dir + "/order.wld", kOutOfOrder);
    writeFile(dir + "/broken.wld", kBroken);
    writeFile(dir + "/empty.wld", "$\n");
    writeFile(dir + "/noise.wld", std::string("\x01\xff#\n#abc\n~~~\n\0\n", 14));
    // Big enough that the lists scroll and the layout spreads over several levels.
    writeFile(dir + "/big.wld", generateZone(2500, static_cast<uint32_t>(seed) + 1, 3));
    return {generated,           dir + "/well.wld",  dir + "/order.wld", dir + "/broken.wld",
            dir + "/empty.wld",  dir + "/noise.wld", dir + "/big.wld"};
}

// A message box takes the keyboard focus from the window under it while it is shown and
// gives it back when it closes: the control that had the focus sees it go and come back.
// Inside a box already shown nothing more moves.
int g_boxDepth = 0;  // boxes shown one inside another

class FocusTakenByBox {
public:
    FocusTakenByBox() : depth_(g_boxDepth) {
        if (depth_++ > 0) return;
        focus_ = QApplication::focusWidget();
        if (!focus_) return;
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(focus_, &out);
    }
    ~FocusTakenByBox() {
        --depth_;
        if (depth_ > 0 || !focus_) return;
        QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(focus_, &in);
    }

private:
    int& depth_;
    QPointer<QWidget> focus_;
};

void MonkeyPrompts::message(const std::string& text) {
    ++messages;
    note("message: " + text.substr(0, 80));
    FocusTakenByBox box;
}

bool MonkeyPrompts::confirm(const std::string& question) {
    ++questions;
    FocusTakenByBox box;
    // Quitting starts the program again: say Yes seldom, so that a run gets deep into a zone.
    const bool quitting = question.rfind("Quit", 0) == 0;
    const bool yes = chance(random_, quitting ? 5 : 60);
    note("question: " + question.substr(0, 70) + (yes ? " -> Yes" : " -> No"));
    return yes;
}

std::string MonkeyFiles::openFile(const std::string& title, const FileFilter&) {
    FocusTakenByBox dialog;
    std::string path;
    const uint64_t pick = below(random_, 100);
    if (pick < 10)
        path = {};  // cancelled
    else if (pick < 15)
        path = dir_ + "/missing.wld";
    else if (pick < 30)
        path = dir_ + "/out" + std::to_string(below(random_, 3)) + ".wld";  // what a save may have written
    else
        path = worlds_[below(random_, worlds_.size())];
    note("open file (" + title + "): " + (path.empty() ? "cancelled" : path.substr(dir_.size())));
    return path;
}

std::string MonkeyFiles::saveFile(const std::string& title, const FileFilter&, const std::string&,
                                  const std::string&) {
    FocusTakenByBox dialog;
    std::string path;
    const uint64_t pick = below(random_, 100);
    if (pick < 10)
        path = {};
    else if (pick < 15)
        path = dir_ + "/no such folder/out.wld";
    else
        path = dir_ + "/out" + std::to_string(below(random_, 3)) + ".wld";
    note("save file (" + title + "): " + (path.empty() ? "cancelled" : path.substr(dir_.size())));
    return path;
}

std::optional<uint32_t> MonkeyColours::pickColour(uint32_t) {
    FocusTakenByBox dialog;
    if (chance(random_, 20)) {
        note("colour picker: cancelled");
        return std::nullopt;
    }
    const uint32_t colour = static_cast<uint32_t>(random_() & 0xFFFFFF);
    note("colour picker: " + std::to_string(colour));
    return colour;
}

}  // namespace monkey
