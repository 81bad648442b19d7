// The minimap's picture: one pixel per cell of a level and the blue view frame.
#include <gtest/gtest.h>

#include "map/map_model.h"
#include "map/minimap_image.h"
#include "world/room.h"

namespace {

const QColor kFace(0xF0, 0xF0, 0xF0);

// Pixels that differ from the background, as "px,py" texts in row order.
std::vector<std::string> marked(const QImage& image, QRgb colour) {
    std::vector<std::string> found;
    for (int py = 0; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px)
            if (image.pixel(px, py) == colour) found.push_back(std::to_string(px) + "," + std::to_string(py));
    return found;
}

}  // namespace

TEST(MinimapImage, OnePixelPerRoomOfTheLevel) {
    MapGrid grid;
    RoomDataType topLeft, bottomRight, otherLevel;
    grid.putRoom(topLeft, 1, 1, 4);
    grid.putRoom(bottomRight, 100, 100, 4);
    grid.putRoom(otherLevel, 50, 50, 5);

    MinimapImage minimap(kFace);
    ASSERT_EQ(minimap.image().size(), QSize(100, 100));
    minimap.redraw(grid, 4);
    const QRgb black = MinimapImage::roomColour().rgb();
    EXPECT_EQ(marked(minimap.image(), black), (std::vector<std::string>{"0,0", "99,99"}));
    EXPECT_EQ(marked(minimap.image(), kFace.rgb()).size(), 100u * 100u - 2u);

    // Another level redraws everything for that level.
    minimap.redraw(grid, 5);
    EXPECT_EQ(marked(minimap.image(), black), (std::vector<std::string>{"49,49"}));

    // Single cells follow the board; cells outside the grid change nothing.
    minimap.plotCell(50, 50, false);
    minimap.plotCell(3, 2, true);
    minimap.plotCell(0, 5, true);
    minimap.plotCell(101, 5, true);
    EXPECT_EQ(marked(minimap.image(), black), (std::vector<std::string>{"2,1"}));
}

TEST(MinimapImage, ViewFrameMovesAndRestoresThePixelsUnderIt) {
    MapGrid grid;
    RoomDataType underFrame, inside;
    grid.putRoom(underFrame, 43, 50, 5);  // pixel (42, 49): on the left edge of the first frame
    grid.putRoom(inside, 50, 50, 5);
    MinimapImage minimap(kFace);
    minimap.redraw(grid, 5);
    EXPECT_FALSE(minimap.hasFrame());

    const QRgb blue = MinimapImage::frameColour().rgb();
    const QRgb black = MinimapImage::roomColour().rgb();
    EXPECT_EQ(minimap.moveViewFrame(grid, 5, 42, 42), QRect(QPoint(42, 42), QPoint(56, 56)));
    EXPECT_EQ(minimap.lastFrame(), QRect(QPoint(42, 42), QPoint(56, 56)));
    EXPECT_EQ(marked(minimap.image(), blue).size(), 4u * 14u);
    EXPECT_EQ(minimap.image().pixel(42, 49), blue);
    EXPECT_EQ(minimap.image().pixel(56, 56), blue);
    EXPECT_EQ(minimap.image().pixel(57, 57), kFace.rgb());
    EXPECT_EQ(minimap.image().pixel(49, 49), black);  // inside the frame, untouched

    // One column to the right: the frame moves one pixel, the room under the old left
    // edge shows black again and the old edge turns back to the background.
    EXPECT_EQ(minimap.moveViewFrame(grid, 5, 43, 42), QRect(QPoint(42, 42), QPoint(57, 56)));
    EXPECT_EQ(minimap.image().pixel(42, 49), black);
    EXPECT_EQ(minimap.image().pixel(42, 42), kFace.rgb());
    EXPECT_EQ(minimap.image().pixel(43, 42), blue);
    EXPECT_EQ(minimap.image().pixel(57, 56), blue);
    EXPECT_EQ(marked(minimap.image(), blue).size(), 4u * 14u);

    // At the far corner the frame still fits: 84 + 14 = 98.
    minimap.moveViewFrame(grid, 5, 84, 84);
    EXPECT_EQ(minimap.image().pixel(98, 98), blue);
    EXPECT_EQ(minimap.image().pixel(99, 99), kFace.rgb());
    EXPECT_EQ(marked(minimap.image(), blue).size(), 4u * 14u);
}
