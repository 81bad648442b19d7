// quendry-wld: checks, lints, converts, dumps, generates and renders world files from the
// command line, with the editor's own reader, layout, writer and map drawing.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "quendry_version.h"

namespace {

constexpr const char* kHelp =
    "usage: quendry-wld COMMAND [OPTIONS] ...\n"
    "\n"
    "Commands:\n"
    "  check [--no-order-check] FILE|DIR...\n"
    "      Load each world file as the editor does (read, map placement, list of rooms\n"
    "      off the map) and print every message it shows as FILE:LINE: message on stderr,\n"
    "      and a warning for a file whose rooms mix the classic and the newer form.\n"
    "      A directory stands for every *.wld in it, or, when it holds a file named\n"
    "      index, for the files that index lists, one a line, up to a line $.\n"
    "      --no-order-check  keep the rooms in file order and allow repeated numbers\n"
    "  convert [--dos|--unix] [--letters|--numbers] [--classic|--newer] [--no-map] [--force]\n"
    "          IN.wld OUT.wld\n"
    "      Load IN.wld (with its map position file) and write OUT.wld and its map\n"
    "      position file with the editor's writer. Default: --unix --letters, and the\n"
    "      form IN.wld is in (that of its first room).\n"
    "      --classic the classic form: flag lines of three fields, no triggers, no\n"
    "                diagonal exits (refused when that loses any of them)\n"
    "      --newer   the newer form: flag lines of six fields (zone, four flag words,\n"
    "                sector), T lines after S, diagonal exits D6 to D9\n"
    "      --no-map  do not write the map position file\n"
    "      --force   convert even when the load showed messages or the classic form\n"
    "                loses flag words, triggers or diagonal exits (refused otherwise)\n"
    "  dump [--no-order-check] FILE.wld\n"
    "      Print the loaded world as one JSON document on stdout: the load's messages,\n"
    "      the zone header and form, every room in index order (in the newer form with\n"
    "      its four flag words, triggers and diagonal exits), the list of rooms off the map.\n"
    "      Bytes that are not UTF-8 appear as \\udcXX (XX the byte).\n"
    "  lint [--json] [--zone-range LO-HI] [--ignore CHECK,...] [--no-order-check]\n"
    "       [--max-text N] [--max-room N] [--world-reach ROOM] FILE|DIR...\n"
    "      Load each world file as check does (a directory as for check), then look for\n"
    "      the mistakes a load does not report and what the server will refuse or\n"
    "      misread. Prints the load's messages, then each finding as\n"
    "      FILE:LINE: message [CHECK] on stdout, LINE being the room's header line or the\n"
    "      exit's D line. Several files are one world: exits are resolved across them.\n"
    "      Diagonal exits (northwest, northeast, southeast, southwest) are checked as the\n"
    "      others. The checks, all on unless ignored:\n"
    "        dangling-exit     an exit into the zone's numbers that no room of the file has;\n"
    "                          in a world, an exit to a number no file has\n"
    "        one-way-exit      an exit to a room whose exit the other way does not lead back\n"
    "        door-mismatch     the two sides of a two-way exit differ in door or key\n"
    "        key-without-door  an exit with a key but no door\n"
    "        unreachable-room  a room no walk over exits from the zone's first room reaches\n"
    "        duplicate-number  a room number used twice (in a file with --no-order-check,\n"
    "                          or in two files of a world)\n"
    "        map-disagrees     the map position file places rooms against their exits\n"
    "        off-map           a room that the existing map position file does not place\n"
    "        empty-text        a room without a name or without a description\n"
    "        duplicate-trigger a room with the same trigger attached twice\n"
    "        order             a room numbered below the room before it (with\n"
    "                          --no-order-check; the server searches rooms by number)\n"
    "        end-marker        a room numbered 99999 or more: the server stops reading there\n"
    "        exit-to-zero      an exit to room 0, which the editor drops on saving\n"
    "        long-text         a text longer than 8192 bytes: the server refuses the file\n"
    "        long-line         a line of a text longer than 510 bytes: the server splits it\n"
    "        room-number-range a room number above the server's highest (--max-room)\n"
    "        unknown-flag      a flag bit or a sector that rmbitvec.txt or rsectype.txt of\n"
    "                          the current directory (or the built-in sets) do not name\n"
    "        trailing-blank    blanks after the number of a room's header line\n"
    "        missing-file      a name a directory's index lists that is no file\n"
    "      --json              print one JSON document with every message and finding\n"
    "      --zone-range LO-HI  the zone's room numbers (default: the lowest room number\n"
    "                          and the 99 after it); exits outside lead to other zones\n"
    "      --ignore CHECK,...  leave these checks out (may be given more than once)\n"
    "      --no-order-check    keep the rooms in file order and allow repeated numbers\n"
    "      --max-text N        the longest text the server takes (default 8192 bytes)\n"
    "      --max-room N        the highest room number it takes (default 99998; 32767 for\n"
    "                          servers with 16-bit room numbers)\n"
    "      --world-reach ROOM  unreachable-room walks from ROOM over every file given\n"
    "  generate --rooms N [--seed S] [--zone Z]\n"
    "      Write a synthetic zone of N rooms (at most 99999) on stdout. Default seed 1, zone 1.\n"
    "  render FILE.wld [--level Z | --all-levels] [-o OUT.png] [--scale N] [--full]\n"
    "                  [--zoom N] [--sectors] [--long-exits]\n"
    "      Load FILE.wld as the editor does (map position file or automatic layout) and\n"
    "      draw one level of the map as the map window draws it, into a PNG file; the\n"
    "      names of the written files go to stdout. The picture is cut to the cells that\n"
    "      hold rooms plus one cell round them. Default: the first room's level, written\n"
    "      to FILE-levelZ.png.\n"
    "      --level Z     the level to draw, 0 to 9\n"
    "      --all-levels  every level that holds rooms, one file each (OUT-levelZ.png with -o)\n"
    "      -o OUT.png    the picture's file (--output OUT.png)\n"
    "      --scale N     every pixel drawn N x N (1 to 16)\n"
    "      --full        the whole 100 x 100 board of the level\n"
    "      --zoom N      draw at the map window's zoom N (1 to 4): room numbers from 2,\n"
    "                    the start of the names from 3\n"
    "      --sectors     colour the rooms by sector, as \"Colour Rooms by Sector\"\n"
    "      --long-exits  draw the exits that do not lead to the neighbour, as \"Show Long Exits\"\n"
    "\n"
    "Exit status: 0 nothing to report; 1 a load showed messages, lint found something,\n"
    "a conversion was refused or failed, or a level to draw held no room or was too large\n"
    "to draw; 2 wrong usage or an unreadable file.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usageError("no command given");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kHelp, stdout);
        return kExitClean;
    }
    if (command == "--version") {
        std::printf("quendry-wld %s\n", QUENDRY_VERSION);
        return kExitClean;
    }
    if (command == "check") return runCheck(args);
    if (command == "convert") return runConvert(args);
    if (command == "dump") return runDump(args);
    if (command == "generate") return runGenerate(args);
    if (command == "lint") return runLint(args);
    if (command == "render") return runRender(args);
    return usageError("unknown command " + command);
}
