#pragma once
// A driver for the tests that run the real editor as a separate process (the kill test
// of recovery files and its loop in scripts/long.sh). With QUENDRY_TEST_SCRIPT naming a
// script file in the environment, the program answers every question from the script
// instead of showing it, and carries out the script's lines one after the other through
// its windows: real mouse and key events on controls found by window class and
// objectName. Without the variable nothing of it exists, so users never meet it.
//
// Lines (blank ones and those starting with '#' are skipped):
//   answer yes|no               the next Yes/No question's answer (unanswered: No)
//   recover yes|no|later        the next recovery question's answer (unanswered: Later)
//   file PATH                   the next file dialog's choice
//   click WINDOW NAME           a left click in the middle of a control
//   type WINDOW NAME TEXT       the field emptied, then TEXT typed; "\n" types Enter
//   key WINDOW NAME KEY         Return, Tab, Delete, Home, Down
//   leave WINDOW NAME           the focus leaves the field
//   trigger ACTION              a menu item of the main window, by objectName
//   cell X Y  /  drag X0 Y0 X1 Y1   a click or a drag on the map board's cells
//   sleep MS                    let the program run
//   wait-copy                   until a recovery copy has been written after this line
//   state PATH                  the zone's world text (UNIX, letters) to PATH, its map file beside
//   log-states PATH             from now on, a line "MS HASH" for every state the zone passes through
//   hash                        prints "state-hash: HASH" of the zone as it is
//   quit                        the program ends (questions as scripted)
// Everything the program says and every line carried out is printed on standard output.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "recovery/recovery_offer.h"
#include "world/prompts.h"

class QuendryApp;

class ScriptDriver {
public:
    static std::unique_ptr<ScriptDriver> fromEnvironment();
    explicit ScriptDriver(std::vector<std::string> lines);
    ~ScriptDriver();

    Prompts& prompts();
    FileChooser& files();
    RecoveryQuestion& question();
    // Runs the script once the program's event loop runs.
    void start(QuendryApp& app);

    struct Answers;

private:
    void step();
    void logState();

    std::unique_ptr<Answers> answers_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    QuendryApp* app_ = nullptr;
    std::string statesLog_;
};
