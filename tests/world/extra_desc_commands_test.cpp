#include "world/extra_desc_commands.h"

#include <gtest/gtest.h>

#include "scripted_prompts.h"
#include "world/world_store.h"

namespace {

// The chain as "keywords=text" entries, checking the back links on the way.
std::vector<std::string> chain(const RoomDataType& room) {
    std::vector<std::string> out;
    const ExtraDescType* prev = nullptr;
    for (const ExtraDescType* e = room.extraDescs; e; e = e->next) {
        EXPECT_EQ(e->prev, prev) << "broken back link at " << e->keywords;
        out.push_back(e->keywords + "=" + e->description);
        prev = e;
    }
    return out;
}

class ExtraDescEditing : public ::testing::Test {
protected:
    void SetUp() override {
        room.vnum = 32001;
        for (const char* k : {"trees", "stone", "well"})
            room.appendExtraDesc(k, std::string("The ") + k + ".");
        commands.open(room);
    }
    using Lines = std::vector<std::string>;

    RoomDataType room;
    WorldStore store;
    ScriptedPrompts prompts;
    ExtraDescCommands commands{store, prompts};
};

}  // namespace

TEST_F(ExtraDescEditing, OpeningListsTheChainWithNothingCurrent) {
    EXPECT_EQ(commands.currentEntry(), nullptr);
    EXPECT_EQ(commands.listLines(), (Lines{"(1) trees", "(2) stone", "(3) well"}));
    EXPECT_EQ(commands.lastEntry(), room.lastExtraDesc());
    EXPECT_FALSE(commands.update("x", "y")) << "UPDATE without a current entry";
    EXPECT_FALSE(commands.deleteCurrent()) << "Delete without a current entry";
    EXPECT_EQ(chain(room).size(), 3u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExtraDescEditing, AddIsPendingUntilUpdateAndRemovedOnClose) {
    commands.listLines();
    ASSERT_TRUE(commands.add());
    EXPECT_TRUE(commands.addPending());
    EXPECT_FALSE(commands.add()) << "a second Add while one is pending";
    EXPECT_EQ(chain(room).back(), "=") << "linked into the chain at once";
    EXPECT_EQ(commands.currentEntry(), room.lastExtraDesc());

    // Empty keywords are refused; the entry stays pending.
    EXPECT_FALSE(commands.update("", "A gate."));
    EXPECT_EQ(prompts.messages, Lines{"No Keywords -- Not a valid Extra Description."});
    EXPECT_TRUE(commands.addPending());
    EXPECT_EQ(chain(room).back(), "=");

    ASSERT_TRUE(commands.update("gate", "A gate.\r\nOld."));
    EXPECT_FALSE(commands.addPending());
    EXPECT_EQ(commands.listLines().back(), "(4) gate");
    EXPECT_TRUE(commands.close() == false) << "nothing pending to remove";
    EXPECT_EQ(chain(room),
              (Lines{"trees=The trees.", "stone=The stone.", "well=The well.", "gate=A gate.\r\nOld."}));

    // Add and close without UPDATE: the chain is as before, also when the dialog was
    // told meanwhile that it has no current entry.
    ASSERT_TRUE(commands.add());
    commands.noCurrentEntry();
    EXPECT_FALSE(commands.update("late", "x"));
    EXPECT_TRUE(commands.close());
    EXPECT_EQ(chain(room).size(), 4u);
    EXPECT_EQ(chain(room).back(), "gate=A gate.\r\nOld.");
}

TEST_F(ExtraDescEditing, DeleteMakesTheFirstEntryCurrent) {
    struct Case {
        int clicked;  // line clicked before Delete
        Lines left;
    };
    const Case cases[] = {
        {2, {"trees", "stone"}},  // the last entry
        {1, {"trees", "well"}},   // the middle one
        {0, {"stone", "well"}},   // the first one
    };
    for (const Case& c : cases) {
        RoomDataType r;
        for (const char* k : {"trees", "stone", "well"}) r.appendExtraDesc(k, "");
        ExtraDescCommands edit(store, prompts);
        edit.open(r);
        edit.listLines();
        edit.clickLine(c.clicked);
        ASSERT_TRUE(edit.deleteCurrent());
        Lines left;
        for (const std::string& e : chain(r)) left.push_back(e.substr(0, e.find('=')));
        EXPECT_EQ(left, c.left) << c.clicked;
        EXPECT_EQ(edit.currentEntry(), r.extraDescs);
        EXPECT_EQ(edit.lastEntry(), r.lastExtraDesc());
    }

    // Deleting the only entry empties the chain; Add then starts a new one.
    RoomDataType single;
    single.appendExtraDesc("door", "");
    ExtraDescCommands edit(store, prompts);
    edit.open(single);
    edit.listLines();
    edit.clickLine(0);
    ASSERT_TRUE(edit.deleteCurrent());
    EXPECT_EQ(single.extraDescs, nullptr);
    EXPECT_EQ(edit.currentEntry(), nullptr);
    EXPECT_EQ(edit.lastEntry(), nullptr);
    ASSERT_TRUE(edit.add());
    ASSERT_TRUE(edit.update("arch", "An arch."));
    EXPECT_EQ(chain(single), Lines{"arch=An arch."});
}

TEST_F(ExtraDescEditing, ClickingALineChoosesItsEntryAndDropsAPendingOne) {
    EXPECT_FALSE(commands.clickLine(0)) << "nothing listed yet";
    EXPECT_EQ(commands.currentEntry(), nullptr);
    commands.listLines();
    commands.clickLine(1);
    EXPECT_EQ(commands.currentEntry()->keywords, "stone");
    commands.clickLine(7);
    EXPECT_EQ(commands.currentEntry()->keywords, "stone") << "a line past the chain changes nothing";

    // With an entry pending, a click removes it and goes to the clicked line.
    ASSERT_TRUE(commands.add());
    EXPECT_TRUE(commands.clickLine(2)) << "the list must be drawn again";
    EXPECT_FALSE(commands.addPending());
    EXPECT_EQ(commands.currentEntry()->keywords, "well");
    EXPECT_EQ(chain(room).size(), 3u);
    EXPECT_EQ(commands.lastEntry(), room.lastExtraDesc());
}

TEST_F(ExtraDescEditing, AChainChangedBehindTheDialogIsFollowed) {
    commands.listLines();
    // Clear Room frees the chain while the dialog still names its last entry.
    room.freeExtraDescs();
    commands.noCurrentEntry();
    ASSERT_TRUE(commands.add());
    EXPECT_EQ(room.extraDescs, commands.currentEntry()) << "the new entry starts the chain";
    ASSERT_TRUE(commands.update("new", ""));
    EXPECT_EQ(chain(room), Lines{"new="});

    // A room deleted while the dialog is open: nothing is done to it any more.
    commands.forgetRoom();
    EXPECT_FALSE(commands.add());
    EXPECT_FALSE(commands.clickLine(0));
    EXPECT_TRUE(commands.listLines().empty());
    EXPECT_FALSE(commands.close());
}
