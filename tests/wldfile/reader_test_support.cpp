#include "reader_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

void RecordingProgress::show() {
    visible = true;
    events.push_back("show");
}
void RecordingProgress::hide() {
    visible = false;
    events.push_back("hide");
}
void RecordingProgress::setTitle(const std::string& title) {
    ++titles_;
    if (cancelAfterTitles >= 0 && titles_ >= cancelAfterTitles) cancel_ = true;
    events.push_back("title " + title);
}
void RecordingProgress::setProgress(int percentage) {
    percentages.push_back(percentage);
    events.push_back("progress " + std::to_string(percentage));
}
bool RecordingProgress::cancelRequested() {
    return cancel_;
}
void RecordingProgress::clearCancel() {
    cancel_ = false;
    events.push_back("clear");
}

std::string testDataPath(const std::string& name) {
    return std::string(QUENDRY_TEST_DATA) + "/" + name;
}

std::string readTestFile(const std::string& name) {
    std::ifstream in(testDataPath(name), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing test file " << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void readInto(ReadOutcome& out, std::string_view data, bool checkOrder) {
    out.result = readWorldIntoStore(data, out.store, out.prompts, out.progress, checkOrder, &out.readerLine);
}

std::vector<int32_t> vnumsInOrder(const WorldStore& store) {
    std::vector<int32_t> vnums;
    for (RoomIndexNode* n = store.first(); n; n = n->next) vnums.push_back(n->vnum);
    return vnums;
}

namespace {
std::string visible(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}
}  // namespace

std::string describeStore(const WorldStore& store) {
    std::ostringstream out;
    for (RoomIndexNode* n = store.first(); n; n = n->next) {
        const RoomDataType& r = *n->room;
        out << "#" << n->vnum << " room " << r.vnum << " [" << visible(r.name) << "] ["
            << visible(r.description) << "] zone " << r.zone << " bits " << r.bitvector << " sector "
            << r.sectorType << " map " << r.mapX << "," << r.mapY << "," << r.mapZ << "\n";
        for (int d = 0; d < kDirectionCount; ++d) {
            const RoomExitType& e = r.exits[d];
            if (r.exitTo[d] == 0 && e == RoomExitType{}) continue;
            out << "  D" << d << " to " << r.exitTo[d] << " door " << e.doorFlag << " key " << e.key << " ["
                << visible(e.description) << "] [" << visible(e.keywords) << "]\n";
        }
        for (ExtraDescType* x = r.extraDescs; x; x = x->next)
            out << "  E [" << visible(x->keywords) << "] [" << visible(x->description) << "]\n";
    }
    return out.str();
}

void expectIndexConsistent(const WorldStore& store) {
    ASSERT_EQ(store.first() == nullptr, store.last() == nullptr);
    if (!store.first()) return;
    EXPECT_EQ(store.first()->prev, nullptr);
    EXPECT_EQ(store.last()->next, nullptr);
    size_t count = 0;
    for (RoomIndexNode* n = store.first(); n; n = n->next, ++count) {
        if (n->next) {
            EXPECT_EQ(n->next->prev, n);
        }
        ASSERT_NE(n->room, nullptr);
        EXPECT_EQ(n->vnum, n->room->vnum);
        const ExtraDescType* prev = nullptr;
        for (ExtraDescType* x = n->room->extraDescs; x; x = x->next) {
            EXPECT_EQ(x->prev, prev);
            prev = x;
        }
    }
    EXPECT_EQ(count, store.size());
}
