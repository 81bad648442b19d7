#pragma once
// The world-file text of the whole store, and the map position file beside it.
// The text is built in DOS form: every line ends CR LF and the last line is "$".
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class WorldStore;
struct RoomDataType;
enum class WorldForm : unsigned char;

// Rooms in index order in the store's zoneForm, each as header, name, description, flag
// line, the exits whose destination is not 0, the extra descriptions in chain order and
// "S". The classic form's flag line is zone, bitvector, sector and its exits are
// directions 0..5; the newer form's flag line is zone, the four flag words, sector, its
// exits directions 0..9, and a "T" line for each trigger follows the "S". Flag words are
// written as letters when lettersMode is on, as signed decimal numbers otherwise (a
// negative one as letters all the same). roomStarted(vnum) is called as each room is begun.
std::string buildWorldText(const WorldStore& store, bool lettersMode,
                           const std::function<void(int32_t)>& roomStarted = {});

// The text of one room as buildWorldText writes it (DOS form), appended to out; vnum is
// the header's number (the index node's).
void appendRoomText(std::string& out, int32_t vnum, const RoomDataType& room, bool lettersMode, WorldForm form);

// The UNIX form of a DOS text: every CR removed, every other byte kept (bytes 0 and 26
// included, so nothing after such a byte is lost).
std::string stripCarriageReturns(std::string_view text);

// One "vnum mapX mapY mapZ" line, ended by CR LF, per room on the map, in index order.
std::string buildMapFileText(const WorldStore& store);

// The decimal zone of the first room, the save dialog's suggested name; "" when the
// store is empty.
std::string suggestedFileName(const WorldStore& store);
