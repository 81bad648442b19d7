// File names as the user gives them: UTF-8 names with letters outside ASCII reach the
// system as those letters (checked by listing the directory, so that a name mangled
// through a code page cannot pass by being mangled the same way on the way back), and
// directories are joined to file names with the system's separator.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "defs/definition_files.h"
#include "defs/definition_tables.h"
#include "map/map_model.h"
#include "scripted_prompts.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"
#include "world/platform_files.h"
#include "world/world_store.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(platform::fsPath(dir)))
        names.insert(platform::utf8Path(entry.path().filename()));
    return names;
}

}  // namespace

TEST(FileNames, NamesOutsideAsciiAreSavedLoadedAndListedAsWritten) {
    // "Zoné ドラゴン" and "Höhle" in UTF-8, written as bytes so the source's encoding does not matter.
    const std::string dirName = "Zon\xc3\xa9 \xe3\x83\x89\xe3\x83\xa9\xe3\x82\xb4\xe3\x83\xb3";
    const std::string base = "H\xc3\xb6hle";
    const std::string dir = platform::joinPath(platform::utf8Path(fs::temp_directory_path()), dirName);
    fs::remove_all(platform::fsPath(dir));
    ASSERT_TRUE(fs::create_directories(platform::fsPath(dir)));

    WorldStore saved;
    for (int32_t v = 32001; v <= 32002; ++v) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = v;
        room->name = "Room " + std::to_string(v);
        room->description = "line one\r\nline two\r\n";
        room->mapX = 10 + (v - 32001), room->mapY = 20, room->mapZ = 3;
        saved.insertOrdered(WorldStore::makeNode(std::move(room)));
    }
    const std::string world = platform::joinPath(dir, base + ".wld");
    ASSERT_EQ(saveWorld(world, buildWorldText(saved, true), false, true, saved), "");
    ASSERT_EQ(replaceFile(definitionFilePath(dir, "rmbitvec.txt"), "1 a DARK Room is dark.\r\n"), "");
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{base + ".wld", base + ".map", "rmbitvec.txt"}));

    // Reading finds the world file and the map position file beside it by their names.
    WorldStore store;
    MapModel map{store};
    ScriptedPrompts prompts;
    NoProgress progress;
    LoadRoad road{store, map, prompts, progress, true, {}};
    readWorldFile(world, road);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    ASSERT_NE(store.findByVnum(32002), nullptr);
    const RoomDataType& second = *store.findByVnum(32002)->room;
    EXPECT_EQ(second.description, "line one\r\nline two\r\n");
    EXPECT_EQ(second.mapX, 11) << "positions come from the map position file, not the layout";
    EXPECT_EQ(second.mapZ, 3);

    BitvectorTable table;
    loadBitvectorFile(definitionFilePath(dir, "rmbitvec.txt"), table, prompts);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_EQ(table.names[1], "DARK");

    // A file that is not there is reported under its name, not under a mangled one.
    WorldStore none;
    MapModel noMap{none};
    LoadRoad missing{none, noMap, prompts, progress, true, {}};
    readWorldFile(platform::joinPath(dir, "Dr\xc3\xa4" "che.wld"), missing);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(namesIn(dir).size(), 3u);

    // A save whose map file cannot take its place puts the old world file back.
    const std::string mapFile = platform::joinPath(dir, base + ".map");
    {
        int calls = 0;
        ScopedFileWriteHook hook([&](int fd, const char* data, size_t size) -> ssize_t {
            if (++calls == 2) {  // the map file's first write, after the world file's one
                fs::remove(platform::fsPath(mapFile));
                fs::create_directory(platform::fsPath(mapFile));
            }
            return platform::writeSome(fd, data, size);
        });
        EXPECT_EQ(saveWorld(world, "new world\r\n$\r\n", false, true, saved), mapFile + ": " + std::strerror(EISDIR));
    }
    WorldStore reread;
    MapModel rereadMap{reread};
    LoadRoad again{reread, rereadMap, prompts, progress, true, {}};
    readWorldFile(world, again);
    EXPECT_NE(reread.findByVnum(32002), nullptr) << "the old world file is back";
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{base + ".wld", base + ".map", "rmbitvec.txt"}));

    fs::remove_all(platform::fsPath(dir));
}

TEST(FileNames, CommandLineArgumentsComeAsUtf8) {
    // CTest starts every test program with this name last (see QuendryTests.cmake).
    const std::string expected = "H\xc3\xb6hle.wld";
    std::vector<std::string> given = ::testing::internal::GetArgvs();
    if (given.empty() || given.back().find("hle.wld") == std::string::npos)
        GTEST_SKIP() << "started without the file name argument that CTest gives";
    std::vector<char*> argv;
    for (std::string& argument : given) argv.push_back(argument.data());
    const std::vector<std::string> arguments = platform::commandLineArguments(static_cast<int>(argv.size()), argv.data());
    ASSERT_EQ(arguments.size(), given.size());
    EXPECT_EQ(arguments.back(), expected);
    for (size_t i = 1; i + 1 < arguments.size(); ++i) EXPECT_EQ(arguments[i], given[i]) << "ASCII options as they were";

    // Fewer arguments than the system's command line: argv is taken as it is.
    EXPECT_EQ(platform::commandLineArguments(1, argv.data()), (std::vector<std::string>{given[0]}));
}

TEST(FileNames, DirectoriesAreJoinedWithTheSystemSeparator) {
    // Expected with '/', which stands for the system's separator.
    struct Case {
        const char* directory;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"/home/builder/quendry", "rmbitvec.txt", "/home/builder/quendry/rmbitvec.txt"},
        {"/home/builder/quendry/", "colors.txt", "/home/builder/quendry/colors.txt"},
        {"", "rsectype.txt", "rsectype.txt"},
        {"quendry", "rsectype.txt", "quendry/rsectype.txt"},
        {"/home/Zon\xc3\xa9", "rmbitvec.txt", "/home/Zon\xc3\xa9/rmbitvec.txt"},
#ifdef _WIN32
        // The start-up directory as Qt gives it, with forward slashes.
        {"C:/Games/Quendry", "rmbitvec.txt", "C:/Games/Quendry/rmbitvec.txt"},
        {"C:\\Games\\Quendry\\", "colors.txt", "C:/Games/Quendry/colors.txt"},
        {"C:/", "colors.txt", "C:/colors.txt"},
#endif
    };
    for (const Case& c : cases) {
        std::string expected = c.joined;
        for (char& ch : expected)
            if (ch == '/') ch = platform::kSeparator;
        EXPECT_EQ(definitionFilePath(c.directory, c.name), expected) << c.directory;
    }
}
