#include "cli/zone_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

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

}  // namespace
