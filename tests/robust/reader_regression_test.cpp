// Faults of the world reader found by writing and reading back, each kept as a case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_model.h"
#include "wldfile/world_reader.h"
#include "world/world_store.h"

namespace {

struct Read {
    WorldStore store;
    MapModel map{store};
    std::vector<std::string> messages;
};

class Recorder : public Prompts {
public:
    explicit Recorder(std::vector<std::string>& messages) : messages_(messages) {}
    void message(const std::string& text) override { messages_.push_back(text); }
    bool confirm(const std::string&) override { return false; }

private:
    std::vector<std::string>& messages_;
};

void read(Read& out, const std::string& data) {
    Recorder prompts(out.messages);
    NoProgress progress;
    LoadRoad road{out.store, out.map, prompts, progress, true, {}};
    readWorldData(data, "/nonexistent-quendry/zone.wld", road);
}

}  // namespace

// A physical line is read in pieces of 512 bytes. A "~" that ends a text ends the whole
// line: the line's later pieces once became the start of the next text (a name of 511
// bytes gave the description a leading line break) or a line of the room's own.
TEST(ReaderRegression, TildeEndsTheWholeLineAcrossPieces) {
    for (size_t nameLength : {510u, 511u, 512u, 1023u}) {
        Read r;
        const std::string name(nameLength, 'n');
        read(r, "#1\r\n" + name + "~\r\nQuiet.\r\n~\r\n0 0 0\r\nS\r\n$\r\n");
        ASSERT_EQ(r.store.size(), 1u) << nameLength;
        EXPECT_TRUE(r.messages.empty()) << nameLength << ": " << r.messages.front();
        EXPECT_EQ(r.store.first()->room->name, name);
        EXPECT_EQ(r.store.first()->room->description, "Quiet.\r\n") << "name of " << nameLength;
    }
    // Whatever follows "~" on its line is ignored, however long.
    Read r;
    read(r, "#1\r\nName~" + std::string(700, 'S') + "\r\nText~" + std::string(1500, 'x') +
                "\r\n0 0 0\r\nD0\r\n~" + std::string(600, '#') + "\r\n~\r\n0 -1 2\r\nS\r\n$\r\n");
    ASSERT_EQ(r.store.size(), 1u);
    EXPECT_TRUE(r.messages.empty()) << r.messages.front();
    EXPECT_EQ(r.store.first()->room->name, "Name");
    EXPECT_EQ(r.store.first()->room->description, "Text\r\n");
    EXPECT_EQ(r.store.first()->room->exitTo[North], 2);
}
