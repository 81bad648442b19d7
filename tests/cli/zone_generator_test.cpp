#include "cli/zone_generator.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "map/map_model.h"
#include "scripted_prompts.h"
#include "wldfile/world_reader.h"
#include "world/prompts.h"
#include "world/world_store.h"

namespace {

// The room numbers of the header lines (the first line and each line after an "S"
// line; a "#" may also start a description line), in file order.
std::vector<int> headerNumbers(const std::string& text) {
    std::vector<int> numbers;
    std::istringstream lines(text);
    std::string previous = "S";
    for (std::string line; std::getline(lines, line); previous = line)
        if (previous == "S" && !line.empty() && line[0] == '#') numbers.push_back(std::stoi(line.substr(1)));
    return numbers;
}

TEST(ZoneGenerator, SameArgumentsGiveSameBytesAndOtherSeedsOtherTexts) {
    const std::string a = generateZone(300, 7, 320);
    EXPECT_EQ(a, generateZone(300, 7, 320));
    const std::string b = generateZone(300, 8, 320);
    EXPECT_NE(a, b);
    // The seed changes the texts, never which rooms exist or where they lie.
    EXPECT_EQ(headerNumbers(a), headerNumbers(b));
    EXPECT_EQ(a.find('\r'), std::string::npos);
    EXPECT_EQ(a.substr(a.size() - 4), "S\n$\n");
    EXPECT_EQ(generateZone(0, 1, 1), "$\n");
}

TEST(ZoneGenerator, NumbersAscendFromTheZoneOrFromZeroAndStayBelowTheEndNumber) {
    const std::vector<int> small = headerNumbers(generateZone(1000, 1, 320));
    ASSERT_EQ(small.size(), 1000u);
    for (size_t i = 0; i < small.size(); ++i) ASSERT_EQ(small[i], 32000 + static_cast<int>(i));

    // Too many rooms for the zone's numbers: the zone starts at 0.
    EXPECT_EQ(generatedFirstVnum(70000, 320), 0);
    const std::vector<int> all = headerNumbers(generateZone(kMaxGeneratedRooms, 1, 320));
    ASSERT_EQ(all.size(), static_cast<size_t>(kMaxGeneratedRooms));
    EXPECT_EQ(all.front(), 0);
    EXPECT_EQ(all.back(), 99998);

    EXPECT_THROW(generateZone(kMaxGeneratedRooms + 1, 1, 1), std::invalid_argument);
    EXPECT_THROW(generateZone(-1, 1, 1), std::invalid_argument);
    EXPECT_THROW(generateZone(10, 1, -3), std::invalid_argument);
}

TEST(ZoneGenerator, LoadsWithoutAMessageAndTheLayoutGivesEveryRoomItsOwnCell) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quendry-generated-" + std::to_string(::getpid()) + ".wld");
    // Small blocks, a partial last row, a partial last level, and the whole grid.
    for (int rooms : {1, 2, 3, 5, 17, 250, 10001, kMaxGeneratedRooms}) {
        SCOPED_TRACE(rooms);
        std::ofstream(path, std::ios::binary) << generateZone(rooms, 5, 300);
        WorldStore store;
        MapModel map(store);
        RecordingPrompts prompts;
        NoProgress progress;
        LoadRoad road{store, map, prompts, progress, true, {}};
        readWorldFile(path.string(), road);

        EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
        ASSERT_EQ(store.size(), static_cast<size_t>(rooms));
        EXPECT_EQ(map.placement.size(), 0u);
        std::set<std::tuple<int, int, int>> cells;
        int doors[3] = {}, keys = 0, extras = 0, multiLine = 0, letters = 0;
        for (RoomIndexNode* node = store.first(); node; node = node->next) {
            const RoomDataType& room = *node->room;
            ASSERT_TRUE(room.onMap()) << node->vnum;
            EXPECT_EQ(map.grid.cellAt(room.mapX, room.mapY, room.mapZ), &room);
            cells.emplace(room.mapX, room.mapY, room.mapZ);
            // Both sides of a passage have the same door.
            for (int d = 0; d < kDirectionCount; ++d) {
                if (room.exitTo[d] == 0) continue;
                const RoomIndexNode* other = store.findByVnum(room.exitTo[d]);
                ASSERT_NE(other, nullptr);
                EXPECT_EQ(other->room->exitTo[reverseDirection(d)], node->vnum);
                const RoomExitType& back = other->room->exits[reverseDirection(d)];
                EXPECT_EQ(back.doorFlag, room.exits[d].doorFlag);
                EXPECT_EQ(back.keywords, room.exits[d].keywords);
                EXPECT_EQ(back.key, room.exits[d].key);
                doors[room.exits[d].doorFlag]++;
                keys += room.exits[d].key != -1;
            }
            extras += room.extraDescCount();
            multiLine += std::count(room.description.begin(), room.description.end(), '\n') > 1;
            letters += room.bitvector != 0;
        }
        EXPECT_EQ(cells.size(), static_cast<size_t>(rooms));
        if (rooms >= 250) {  // the zone holds every kind of content the format has
            EXPECT_GT(doors[1], 0);
            EXPECT_GT(doors[2], 0);
            EXPECT_GT(keys, 0);
            EXPECT_GT(extras, 0);
            EXPECT_EQ(multiLine, rooms);
            EXPECT_GT(letters, 0);
        }
        // The first room starts the layout at the middle of the grid.
        EXPECT_EQ(store.first()->room->mapX, 50);
        EXPECT_EQ(store.first()->room->mapY, 50);
        EXPECT_EQ(store.first()->room->mapZ, 5);
    }
    std::filesystem::remove(path);
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".map"));
}

}  // namespace
