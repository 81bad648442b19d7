#pragma once
// The world-file text of the whole store, and the map position file beside it.
// The text is built in DOS form: every line ends CR LF and the last line is "$".
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class WorldStore;

// Rooms in index order, each as header, name, description, flag line, the exits whose
// destination is not 0 (directions 0..5), the extra descriptions in chain order and "S".
// The bitvector is written as letters when lettersMode is on, as a signed decimal number
// otherwise. roomStarted(vnum) is called as each room is begun.
std::string buildWorldText(const WorldStore& store, bool lettersMode,
                           const std::function<void(int32_t)>& roomStarted = {});

// The UNIX form of a DOS text: every CR removed, every other byte kept (bytes 0 and 26
// included, so nothing after such a byte is lost).
std::string stripCarriageReturns(std::string_view text);

// One "vnum mapX mapY mapZ" line, ended by CR LF, per room on the map, in index order.
std::string buildMapFileText(const WorldStore& store);

// The decimal zone of the first room, the save dialog's suggested name; "" when the
// store is empty.
std::string suggestedFileName(const WorldStore& store);
