// Every byte a world file can carry in a text survives writing and reading back, in both
// line-ending forms: all values 1..255 except "~" (it ends a text) and byte 26 (it ends
// the file); CR and LF only as the CR LF that ends each line of a multi-line text in
// memory. Byte 0 cannot be carried either: the reader ends a line at it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "map/map_commands.h"
#include "map/map_model.h"
#include "scripted_prompts.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/extra_desc_commands.h"
#include "map/room_operations.h"
#include "world/world_store.h"

namespace {

bool carried(int byte) { return byte != 0 && byte != 26 && byte != '~' && byte != '\r' && byte != '\n'; }

std::vector<char> alphabet() {
    std::vector<char> bytes;
    for (int b = 1; b < 256; ++b)
        if (carried(b)) bytes.push_back(static_cast<char>(b));
    return bytes;
}

class TextMaker {
public:
    explicit TextMaker(uint64_t seed) : random_(seed), bytes_(alphabet()) {}

    // One line; long ones cross the reader's 512-byte pieces.
    std::string line() {
        const size_t length = pick(8) == 0 ? 400 + pick(1200) : pick(80);
        std::string text;
        for (size_t i = 0; i < length; ++i) text.push_back(bytes_[pick(bytes_.size())]);
        return text;
    }
    // Lines joined by CR LF and ended by CR LF, as every multi-line text read from a file.
    std::string lines() {
        std::string text;
        for (size_t n = pick(5); n > 0; --n) text += line() + "\r\n";
        return text;
    }
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

private:
    std::mt19937_64 random_;
    std::vector<char> bytes_;
};

// Rooms whose texts are random lines over the whole alphabet; the first room carries
// every byte of it, in order, in each of its texts.
void fillZone(WorldStore& store, uint64_t seed) {
    TextMaker make(seed);
    const std::vector<char> bytes = alphabet();
    const std::string everyByte(bytes.begin(), bytes.end());
    for (int32_t vnum = 100; vnum < 400; ++vnum) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        const bool first = vnum == 100;
        room->name = first ? everyByte : make.line();
        room->description = first ? everyByte + "\r\n" + everyByte + "\r\n" : make.lines();
        room->zone = 1;
        for (int d = 0; d < kDirectionCount; ++d) {
            if (!first && make.pick(3) != 0) continue;
            room->exitTo[d] = 100 + static_cast<int32_t>(make.pick(300));
            room->exits[d].description = first ? everyByte + "\r\n" : make.lines();
            room->exits[d].keywords = first ? everyByte : make.line();
        }
        for (size_t n = first ? 2 : make.pick(3); n > 0; --n)
            room->appendExtraDesc(first ? everyByte : make.line(), first ? everyByte + "\r\n" : make.lines());
        store.insertOrdered(WorldStore::makeNode(std::move(room)));
    }
}

// Reads text into a fresh store; fails the test on any message.
void readBack(const std::string& text, WorldStore& store, MapModel& map) {
    RecordingPrompts prompts;
    NoProgress progress;
    LoadRoad road{store, map, prompts, progress, true, {}};
    readWorldData(text, "/nonexistent-quendry/zone.wld", road);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
}

// Where two texts first differ, for the failure message.
std::string firstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    auto show = [&](const std::string& t) {
        std::string out;
        for (size_t k = i; k < t.size() && k < i + 12; ++k) out += std::to_string(static_cast<unsigned char>(t[k])) + " ";
        return out;
    };
    return "lengths " + std::to_string(a.size()) + "/" + std::to_string(b.size()) + ", first difference at " +
           std::to_string(i) + ": written [" + show(a) + "] read [" + show(b) + "]";
}

std::string describeDifference(const RoomDataType& a, const RoomDataType& b) {
    if (a.name != b.name) return "name: " + firstDifference(a.name, b.name);
    if (a.description != b.description) return "description: " + firstDifference(a.description, b.description);
    for (int d = 0; d < kDirectionCount; ++d) {
        if (a.exits[d].description != b.exits[d].description)
            return "exit description: " + firstDifference(a.exits[d].description, b.exits[d].description);
        if (a.exits[d].keywords != b.exits[d].keywords)
            return "exit keywords: " + firstDifference(a.exits[d].keywords, b.exits[d].keywords);
    }
    for (const ExtraDescType *x = a.extraDescs, *y = b.extraDescs; x && y; x = x->next, y = y->next) {
        if (x->keywords != y->keywords) return "extra keywords: " + firstDifference(x->keywords, y->keywords);
        if (x->description != y->description) return "extra text: " + firstDifference(x->description, y->description);
    }
    return "numbers or chain length";
}

void expectSameTexts(const WorldStore& written, const WorldStore& read, const char* form) {
    ASSERT_EQ(read.size(), written.size()) << form;
    RoomDataType expected;
    const RoomIndexNode* b = read.first();
    for (const RoomIndexNode* a = written.first(); a; a = a->next, b = b->next) {
        copyRoom(expected, *a->room);
        expected.mapX = b->room->mapX, expected.mapY = b->room->mapY, expected.mapZ = b->room->mapZ;
        ASSERT_TRUE(sameRoomContent(expected, *b->room))
            << form << ": room " << a->vnum << " changed, " << describeDifference(expected, *b->room);
    }
}

}  // namespace

TEST(ByteExactness, EveryCarriedByteSurvivesBothLineEndingForms) {
    for (uint64_t seed : {1u, 2u, 3u}) {
        WorldStore zone;
        fillZone(zone, seed);
        const std::string dos = buildWorldText(zone, true);
        for (const auto& [form, text] : {std::pair{"DOS", dos}, std::pair{"UNIX", stripCarriageReturns(dos)}}) {
            WorldStore read;
            MapModel map(read);
            readBack(text, read, map);
            expectSameTexts(zone, read, form);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(ByteExactness, EveryCarriedByteSurvivesASavedFile) {
    WorldStore zone;
    fillZone(zone, 4);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quendry-bytes-" + std::to_string(::getpid()) + ".wld")).string();
    for (bool unixForm : {false, true}) {
        ASSERT_EQ(saveWorld(path, buildWorldText(zone, false), unixForm, false, zone), "");
        WorldStore read;
        MapModel map(read);
        RecordingPrompts prompts;
        NoProgress progress;
        LoadRoad road{read, map, prompts, progress, true, {}};
        readWorldFile(path, road);
        EXPECT_TRUE(prompts.messages.empty());
        expectSameTexts(zone, read, unixForm ? "UNIX file" : "DOS file");
    }
    std::filesystem::remove(path);
}

// A builder may type what a file cannot carry: a "~" (it would end the text early, and
// the rest of the room would be read as the wrong fields), a byte 26 or a byte 0. Every
// command that stores typed text keeps the saved zone readable: "~" becomes "-", the
// two bytes are left out, everything else stays.
TEST(ByteExactness, TypedTextsKeepTheSavedZoneReadable) {
    WorldStore store;
    MapModel map{store};
    ScriptedPrompts prompts;
    store.setZone(1, "Z", 100);
    RoomOperations rooms(store, map, prompts);
    rooms.beginNewRoom();
    const char typed[] = "~~~ waves ~~~\r\n\x1a" "end\0!\r\n";
    ASSERT_EQ(rooms.update({"100", "Bay~of~Waves", std::string(typed, sizeof typed - 1), 0, 0}), UpdateOutcome::Created);
    RoomDataType& room = *store.first()->room;
    room.exitTo[North] = 100;
    MapRoomCommands exits(store, map, prompts);
    exits.setKeywords(room, North, "door~");
    exits.setExitDescription(room, North, "~\r\nA door.~\r\n");
    ExtraDescCommands extras(store, prompts);
    extras.open(room);
    ASSERT_TRUE(extras.add());
    ASSERT_TRUE(extras.update("sign~", "Read ~me~\r\n"));
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_EQ(room.name, "Bay-of-Waves");
    EXPECT_EQ(room.description, "--- waves ---\r\nend!\r\n");
    EXPECT_EQ(room.exits[North].keywords, "door-");
    EXPECT_EQ(room.exits[North].description, "-\r\nA door.-\r\n");
    ASSERT_NE(room.extraDescs, nullptr);
    EXPECT_EQ(room.extraDescs->keywords, "sign-");
    EXPECT_EQ(room.extraDescs->description, "Read -me-\r\n");

    const std::string dos = buildWorldText(store, true);
    for (const auto& [form, text] : {std::pair{"DOS", dos}, std::pair{"UNIX", stripCarriageReturns(dos)}}) {
        WorldStore read;
        MapModel readMap{read};
        readBack(text, read, readMap);
        expectSameTexts(store, read, form);
    }
}
