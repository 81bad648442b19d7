// Pixels of the map pictures and of drawn cells. Expected cells are written out as rows
// of colour letters: W white, S silver, G grey, K black, P purple, and for the board
// around the cells L the grid line and '.' a pixel the drawing must not touch.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "map/cell_drawing.h"
#include "map/exit_reach.h"
#include "map/map_model.h"
#include "world/room.h"

namespace {

using Rows = std::vector<std::string>;

const QRgb kUntouched = qRgb(0x12, 0x34, 0x56);

char letterOf(QRgb pixel) {
    switch (pixel & 0xFFFFFF) {
        case 0xFFFFFF: return 'W';
        case 0xC0C0C0: return 'S';
        case 0x808080: return 'G';
        case 0x000000: return 'K';
        case 0x800080: return 'P';
        case 0x123456: return '.';
        default: return '?';
    }
}

Rows lettersOf(const QImage& image, QRect area) {
    Rows rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::string row;
        for (int x = area.left(); x <= area.right(); ++x) row += letterOf(image.pixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

std::string joined(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    return text;
}

QImage blankImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    return image;
}

// One cell in view at the image's top-left: the view starts at the cell's column and row.
BoardView viewAt(int x, int y) {
    BoardView view;
    view.leftCol = x - 1;
    view.topRow = y - 1;
    return view;
}

// A room with the same destination and door flag on all six exits.
struct AllExits {
    int32_t destination;
    int32_t doorFlag;
};

// The tile with no exit marks.
const Rows kPlainTile = {
    "WWWWWWWWWWWWWWWG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG",
    "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG",
    "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG",
    "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WSSSSSSSSSSSSSSG", "WGGGGGGGGGGGGGGG",
};
// Notches on the four edges, black arrows up and down.
const Rows kSixExits = {
    "WWWWWGSSSSWWWWWG", "WSSSSGSSSSWSSSSG", "WSSSSGSSSSWSSSSG", "WSSSSGWWWWWSSSSG",
    "WSSSSSSSSSSSSSSG", "GGGGSSSKKSSSGGGG", "SSSWSSKKKKSSGSSS", "SSSWSKKKKKKSGSSS",
    "SSSWSSSSSSSSGSSS", "SSSWSKKKKKKSGSSS", "WWWWSSKKKKSSWWWW", "WSSSSSSKKSSSSSSG",
    "WSSSSGGGGGWSSSSG", "WSSSSGSSSSWSSSSG", "WSSSSGSSSSWSSSSG", "WGGGGGSSSSWGGGGG",
};
// The same through doors: purple patches in the notches, purple arrows.
const Rows kSixDoors = {
    "WWWWWGPPPPWWWWWG", "WSSSSGPPPPWSSSSG", "WSSSSGPPPPWSSSSG", "WSSSSGWWWWWSSSSG",
    "WSSSSSSSSSSSSSSG", "GGGGSSSPPSSSGGGG", "PPPWSSPPPPSSGPPP", "PPPWSPPPPPPSGPPP",
    "PPPWSSSSSSSSGPPP", "PPPWSPPPPPPSGPPP", "WWWWSSPPPPSSWWWW", "WSSSSSSPPSSSSSSG",
    "WSSSSGGGGGWSSSSG", "WSSSSGPPPPWSSSSG", "WSSSSGPPPPWSSSSG", "WGGGGGPPPPWGGGGG",
};

}  // namespace

TEST(MapBitmaps, EveryPictureLoadsByNameWithItsPixels) {
    const MapBitmaps& bitmaps = MapBitmaps::instance();
    ASSERT_TRUE(bitmaps.complete());
    const std::vector<std::pair<std::string, Rows>> pictures = {
        {"ROOM_BMP2", kPlainTile},
        {"DOOR_N", {"GSSSSW", "GSSSSW", "GSSSSW", "GWWWWW"}},
        {"DOOR_E", {"GGGG", "GSSS", "GSSS", "GSSS", "GSSS", "WWWW"}},
        {"DOOR_S", {"GGGGGW", "GSSSSW", "GSSSSW", "GSSSSW"}},
        {"DOOR_W", {"GGGG", "SSSW", "SSSW", "SSSW", "SSSW", "WWWW"}},
        {"DOOR_U", {"SSKKSS", "SKKKKS", "KKKKKK"}},
        {"DOOR_D", {"KKKKKK", "SKKKKS", "SSKKSS"}},
        {"DOOR_U_P", {"SSPPSS", "SPPPPS", "PPPPPP"}},
        {"DOOR_D_P", {"PPPPPP", "SPPPPS", "SSPPSS"}},
    };
    for (const auto& [name, rows] : pictures) {
        const QImage& image = bitmaps.byName(name);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), QSize(int(rows[0].size()), int(rows.size()))) << name;
        EXPECT_EQ(joined(lettersOf(image, image.rect())), joined(rows)) << name;
    }
    EXPECT_TRUE(bitmaps.byName("DOOR_X").isNull());
    EXPECT_EQ(&bitmaps.picture(MapPicture::DoorUDoor), &bitmaps.byName("DOOR_U_P"));
}

TEST(CellDrawing, RoomTileWithExitsAndDoors) {
    struct Case {
        const char* what;
        AllExits exits;
        const Rows& expected;
    };
    const Case cases[] = {
        {"destinations > 0, no doors", {3001, 0}, kSixExits},
        {"destinations > 0, door flag 1", {3001, 1}, kSixDoors},
        {"destinations > 0, door flag 2", {3001, 2}, kSixDoors},
        {"destinations > 0, door flag 3 is no door", {3001, 3}, kSixExits},
        {"destinations 0", {0, 0}, kPlainTile},
        {"destinations 0 with doors", {0, 1}, kPlainTile},
        {"destinations < 0", {-1, 2}, kPlainTile},
    };
    for (const Case& c : cases) {
        MapGrid grid;
        RoomDataType room;
        room.vnum = 3000;
        for (int d = 0; d < kDirectionCount; ++d) {
            room.exitTo[d] = c.exits.destination;
            room.exits[d].doorFlag = c.exits.doorFlag;
        }
        grid.putRoom(room, 50, 50, 5);
        QImage image = blankImage(QSize(16, 16));
        QPainter painter(&image);
        EXPECT_EQ(drawCell(painter, grid, viewAt(50, 50), 50, 50, 5), CellDrawn::Room) << c.what;
        painter.end();
        EXPECT_EQ(joined(lettersOf(image, image.rect())), joined(c.expected)) << c.what;
    }
}

TEST(CellDrawing, OneExitMarkAtATime) {
    // Each direction alone, with a door: the mark of that direction on the plain tile,
    // taken from the six-door picture where the mark lies.
    struct Case {
        int direction;
        QRect area;  // the mark's pixels in the cell
    };
    const Case cases[] = {
        {North, QRect(5, 0, 6, 4)}, {East, QRect(12, 5, 4, 6)}, {South, QRect(5, 12, 6, 4)},
        {West, QRect(0, 5, 4, 6)},  {Up, QRect(5, 5, 6, 3)},    {Down, QRect(5, 9, 6, 3)},
    };
    for (const Case& c : cases) {
        Rows expected = kPlainTile;
        for (int y = c.area.top(); y <= c.area.bottom(); ++y)
            for (int x = c.area.left(); x <= c.area.right(); ++x) expected[y][x] = kSixDoors[y][x];
        MapGrid grid;
        RoomDataType room;
        room.exitTo[c.direction] = 3001;
        room.exits[c.direction].doorFlag = 1;
        grid.putRoom(room, 7, 9, 0);
        QImage image = blankImage(QSize(16, 16));
        QPainter painter(&image);
        drawCell(painter, grid, viewAt(7, 9), 7, 9, 0);
        painter.end();
        EXPECT_EQ(joined(lettersOf(image, image.rect())), joined(expected)) << "direction " << c.direction;
    }
}

TEST(CellDrawing, ExitMarkRedrawnAloneFollowsTheNewDestination) {
    // The exit panel redraws one mark after a destination or door flag changed.
    MapGrid grid;
    RoomDataType room;
    for (int d = 0; d < kDirectionCount; ++d) room.exitTo[d] = 3001;
    grid.putRoom(room, 20, 30, 2);
    const BoardView view = viewAt(20, 30);
    QImage image = blankImage(QSize(16, 16));
    QPainter painter(&image);
    drawCell(painter, grid, view, 20, 30, 2);

    // A door flag set afterwards shows with the next mark of that exit.
    for (int d = 0; d < kDirectionCount; ++d) {
        room.exits[d].doorFlag = 2;
        drawExitMark(painter, grid, view, 20, 30, d, room.exitTo[d], 2);
    }
    EXPECT_EQ(joined(lettersOf(image, image.rect())), joined(kSixDoors));

    // Destination 0 and a negative destination both take the mark away again.
    for (int d = 0; d < kDirectionCount; ++d) drawExitMark(painter, grid, view, 20, 30, d, d % 2 ? 0 : -1, 2);
    EXPECT_EQ(joined(lettersOf(image, image.rect())), joined(kPlainTile));

    // The destination is the caller's, not the room's.
    drawExitMark(painter, grid, view, 20, 30, Up, 42, 2);
    EXPECT_EQ(letterOf(image.pixel(7, 5)), 'P');

    // Nothing for an empty cell, another level, a cell out of view or a direction beyond Down.
    const QImage before = image.copy();
    drawExitMark(painter, grid, view, 20, 30, North, 5, 3);
    drawExitMark(painter, grid, view, 21, 30, North, 5, 2);
    drawExitMark(painter, grid, viewAt(40, 40), 20, 30, North, 5, 2);
    drawExitMark(painter, grid, view, 20, 30, 6, 5, 2);
    drawExitMark(painter, grid, view, 20, 30, -1, 5, 2);
    painter.end();
    EXPECT_EQ(image, before);
}

TEST(CellDrawing, CellsLandOnTheirPitchAndOnlyInView) {
    MapGrid grid;
    RoomDataType room;
    grid.putRoom(room, 44, 43, 5);
    BoardView view;  // the map's first view: columns and rows 43 to 58
    view.origin = QPoint(3, 2);
    const QSize size(3 + 16 * 17, 2 + 16 * 17);

    QImage image = blankImage(size);
    QPainter painter(&image);
    EXPECT_EQ(drawCell(painter, grid, view, 44, 43, 5), CellDrawn::Room);
    EXPECT_EQ(drawCell(painter, grid, view, 58, 58, 5), CellDrawn::Empty);
    // Out of view, outside the grid, or on no level: nothing.
    for (auto [x, y, z] : std::initializer_list<std::tuple<int, int, int>>{{42, 43, 5}, {59, 50, 5}, {50, 42, 5}, {50, 59, 5}, {0, 50, 5}, {50, 50, 10},
                           {50, 50, -1}, {101, 101, 5}})
        EXPECT_EQ(drawCell(painter, grid, view, x, y, z), CellDrawn::NotDrawn) << x << "," << y << "," << z;
    painter.end();

    // Cell (44, 43) is the second column, first row of the view: left 3 + 17, top 2.
    EXPECT_EQ(joined(lettersOf(image, QRect(20, 2, 16, 16))), joined(kPlainTile));
    // Cell (58, 58), the last of the view, is white.
    EXPECT_EQ(joined(lettersOf(image, QRect(3 + 15 * 17, 2 + 15 * 17, 16, 16))), joined(Rows(16, std::string(16, 'W'))));
    // The pixels around the drawn cells, grid lines included, are untouched.
    int touched = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) touched += image.pixel(x, y) != kUntouched;
    EXPECT_EQ(touched, 2 * 16 * 16);

    // Pixels back to cells: a grid line belongs to the cell left of or above it.
    EXPECT_EQ(view.cellAtPixel(QPoint(3, 2)), QPoint(43, 43));
    EXPECT_EQ(view.cellAtPixel(QPoint(3 + 16, 2 + 33)), QPoint(43, 44));
    EXPECT_EQ(view.cellAtPixel(QPoint(3 + 17, 2)), QPoint(44, 43));
    EXPECT_EQ(view.cellAtPixel(QPoint(2, 2)), std::nullopt);
    EXPECT_EQ(view.cellAtPixel(QPoint(3 + 16 * 17, 2)), std::nullopt);
    BoardView corner;
    corner.leftCol = 90;  // a view wider than the grid's remaining columns
    EXPECT_EQ(corner.cellAtPixel(QPoint(9 * 17 + 1, 0)), QPoint(100, 43));
    EXPECT_EQ(corner.cellAtPixel(QPoint(10 * 17 + 1, 0)), std::nullopt);
}

TEST(CellDrawing, SelectionFrameIsDottedAndARedrawRemovesIt) {
    MapGrid grid;
    RoomDataType room;
    for (int d = 0; d < kDirectionCount; ++d) room.exitTo[d] = 1;
    grid.putRoom(room, 1, 1, 0);
    const BoardView view = viewAt(1, 1);
    QImage image = blankImage(view.pixelSize());
    QPainter painter(&image);
    drawCell(painter, grid, view, 1, 1, 0);
    const QImage clean = image.copy();

    drawSelectionFrame(painter, view, 1, 1);
    const Rows framed = lettersOf(image, QRect(0, 0, 16, 16));
    // Every other pixel round the outer ring is black; no pixel inside changes, none outside.
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(framed[0][i] == 'K', i % 2 == 0 || i == 15) << "top " << i;
        EXPECT_EQ(framed[15][i] == 'K', i % 2 == 1 || i == 0) << "bottom " << i;
        EXPECT_EQ(framed[i][0] == 'K', i % 2 == 1 || i == 0) << "left " << i;
        EXPECT_EQ(framed[i][15] == 'K', i % 2 == 0 || i == 15) << "right " << i;
    }
    EXPECT_EQ(lettersOf(image, QRect(1, 1, 14, 14)), lettersOf(clean, QRect(1, 1, 14, 14)));
    EXPECT_EQ(image.copy(16, 0, image.width() - 16, image.height()),
              clean.copy(16, 0, clean.width() - 16, clean.height()));

    drawCell(painter, grid, view, 1, 1, 0);
    EXPECT_EQ(image, clean);

    // No frame for a cell out of view.
    drawSelectionFrame(painter, view, 17, 1);
    painter.end();
    EXPECT_EQ(image, clean);
}

TEST(CellDrawing, LevelPictureCropsAndDrawsEveryCell) {
    MapGrid grid;
    RoomDataType west, east, below;
    west.exitTo[East] = 2;
    east.exitTo[West] = 1;
    grid.putRoom(west, 10, 20, 3);
    grid.putRoom(east, 11, 20, 3);
    grid.putRoom(below, 90, 95, 2);

    EXPECT_EQ(occupiedCells(grid, 3), QRect(QPoint(10, 20), QPoint(11, 20)));
    EXPECT_EQ(occupiedCells(grid, 2), QRect(QPoint(90, 95), QPoint(90, 95)));
    EXPECT_TRUE(occupiedCells(grid, 4).isNull());
    EXPECT_TRUE(occupiedCells(grid, 10).isNull());

    // The two rooms with a one-cell margin: 4 x 3 cells.
    const QImage image = renderLevel(grid, 3, QRect(QPoint(9, 19), QPoint(12, 21)));
    ASSERT_EQ(image.size(), QSize(4 * 17 - 1, 3 * 17 - 1));
    const Rows rows = lettersOf(image, image.rect());
    // The middle row: white cell, line, west room, line, east room, line, white cell.
    const int top = 17;
    for (int y = 0; y < 16; ++y) {
        const std::string& row = rows[top + y];
        EXPECT_EQ(row.substr(0, 16), std::string(16, 'W'));
        EXPECT_EQ(row[16], 'S');  // grid line, silver
        EXPECT_EQ(row[33], 'S');
        EXPECT_EQ(row[50], 'S');
        EXPECT_EQ(row.substr(51), std::string(16, 'W'));
    }
    // The facing edges carry the notches of the linked exits.
    EXPECT_EQ(lettersOf(image, QRect(17 + 12, top + 5, 4, 6)), (Rows{"GGGG", "GSSS", "GSSS", "GSSS", "GSSS", "WWWW"}));
    EXPECT_EQ(lettersOf(image, QRect(34, top + 5, 4, 6)), (Rows{"GGGG", "SSSW", "SSSW", "SSSW", "SSSW", "WWWW"}));
    // Grid line rows between the cell rows are silver all along.
    EXPECT_EQ(rows[16], std::string(image.width(), 'S'));

    // Cells beyond the grid are clipped away; nothing of the grid at all gives no picture.
    EXPECT_EQ(renderLevel(grid, 2, QRect(QPoint(99, 99), QPoint(101, 101))).size(), QSize(2 * 17 - 1, 2 * 17 - 1));
    EXPECT_TRUE(renderLevel(grid, 2, QRect(QPoint(101, 1), QPoint(110, 5))).isNull());
    EXPECT_TRUE(renderLevel(grid, 10, QRect(1, 1, 5, 5)).isNull());
}

TEST(CellDrawing, ViewDrawsItsCellsColumnByColumn) {
    MapGrid grid;
    RoomDataType room;
    grid.putRoom(room, 85, 98, 1);
    struct Case {
        int leftCol, topRow;
        size_t cells;  // cells of the view that lie on the grid
        std::string firstThree, last;
    };
    const Case cases[] = {
        {42, 42, 256, "43,43 43,44 43,45", "58,58"},
        {84, 84, 256, "85,85 85,86 85,87", "100,100"},
        {90, 95, 10 * 5, "91,96 91,97 91,98", "100,100"},  // a view reaching past the grid's edge
    };
    for (const Case& c : cases) {
        BoardView view;
        view.leftCol = c.leftCol;
        view.topRow = c.topRow;
        QImage image = blankImage(view.pixelSize());
        QPainter painter(&image);
        std::vector<std::string> visited;
        int rooms = 0;
        drawView(painter, grid, view, 1, [&](int x, int y, CellDrawn what) {
            visited.push_back(std::to_string(x) + "," + std::to_string(y));
            rooms += what == CellDrawn::Room;
        });
        ASSERT_EQ(visited.size(), c.cells) << c.leftCol;
        EXPECT_EQ(visited[0] + " " + visited[1] + " " + visited[2], c.firstThree);
        EXPECT_EQ(visited.back(), c.last);
        EXPECT_EQ(rooms, c.leftCol == 84 ? 1 : 0);
    }
}

// ---------------------------------------------------------------------------------------
// Zoom, labels, sector colours, long exits

namespace {

// Labels need fonts, and fonts a QGuiApplication.
void needFonts() {
    static int argc = 1;
    static char name[] = "tests_map_render";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

QImage drawnAt(const MapGrid& grid, int x, int y, int z, int zoom, bool sectors = false) {
    BoardView view = viewAt(x, y);
    view.zoom = zoom;
    view.sectorColours = sectors;
    QImage image = blankImage(view.cellRect(x, y).size());
    QPainter painter(&image);
    drawCell(painter, grid, view, x, y, z);
    return image;
}

}  // namespace

TEST(CellDrawing, ZoomEnlargesTheTilePixelForPixelAndLabelsItFromTwoTimes) {
    needFonts();
    MapGrid grid;
    RoomDataType room;
    room.vnum = 4201;
    room.name = "Mill Gate";
    for (int d = 0; d < kDirectionCount; ++d) {
        room.exitTo[d] = 3001;
        room.exits[d].doorFlag = d == Up ? 0 : 1;
    }
    grid.putRoom(room, 50, 50, 5);
    const QImage one = drawnAt(grid, 50, 50, 5, 1);
    // At 1x: the four door patches, the up and the down mark; no label covers them.
    const QRect marks[] = {{6, 0, 4, 3}, {13, 6, 3, 4}, {6, 13, 4, 3}, {0, 6, 3, 4}, {5, 5, 6, 3}, {5, 9, 6, 3}};
    auto onAMark = [&](int x, int y, int zoom) {
        return std::any_of(std::begin(marks), std::end(marks), [&](QRect r) { return r.contains(x / zoom, y / zoom); });
    };
    for (int zoom = 2; zoom <= kMaxZoom; ++zoom) {
        SCOPED_TRACE(zoom);
        const QImage big = drawnAt(grid, 50, 50, 5, zoom);
        ASSERT_EQ(big.size(), QSize(16 * zoom, 16 * zoom));
        // Outside the labels' place and on the marks every pixel is the 1x pixel it enlarges.
        const QRect labels = QRect(0, 0, 16 * zoom, 16 * zoom).adjusted(zoom + 1, zoom, -(zoom + 1), -zoom);
        int differing = 0, inked = 0;
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x) {
                const bool same = big.pixel(x, y) == one.pixel(x / zoom, y / zoom);
                if (!labels.contains(x, y) || onAMark(x, y, zoom)) differing += !same;
                else inked += !same;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(inked, 10) << "the number is drawn";
    }
    // The name only from 3x: the lower part of the tile has ink only then.
    auto inkBelowMiddle = [&](int zoom) {
        const QImage big = drawnAt(grid, 50, 50, 5, zoom);
        int ink = 0;
        for (int y = big.height() * 3 / 4; y < big.height() - zoom; ++y)
            for (int x = zoom + 1; x < big.width() - zoom - 1; ++x)
                ink += qGray(big.pixel(x, y)) < 0x60 && big.pixel(x, y) != one.pixel(x / zoom, y / zoom);
        return ink;
    };
    EXPECT_EQ(inkBelowMiddle(2), 0);
    EXPECT_GT(inkBelowMiddle(3), 0);
    // An empty cell is white at every zoom.
    const QImage empty = drawnAt(grid, 51, 50, 5, 3);
    EXPECT_EQ(empty.pixel(0, 0), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(empty.pixel(47, 47), qRgb(0xFF, 0xFF, 0xFF));
}

TEST(CellDrawing, SectorColoursTakeTheSilverOfTileAndMarks) {
    struct Case {
        int32_t sector;
        QRgb colour;
    };
    const Case palette[] = {{0, 0xDDDDDD}, {1, 0xFFAABB}, {2, 0xBBCC33}, {3, 0x44BB99}, {4, 0xEEDD88},
                            {5, 0xEE8866}, {6, 0x99DDFF}, {7, 0x77AADD}, {8, 0xAAAA00}, {9, 0xAA4499},
                            {10, 0xDDDDDD}, {-1, 0xAA4499}};
    for (const Case& c : palette) EXPECT_EQ(sectorColour(c.sector).rgb() & 0xFFFFFF, c.colour) << c.sector;

    MapGrid grid;
    RoomDataType room;
    room.vnum = 1;
    room.sectorType = 3;
    room.exitTo[North] = 2;
    grid.putRoom(room, 5, 5, 0);
    const QImage off = drawnAt(grid, 5, 5, 0, 1, false);
    const QImage on = drawnAt(grid, 5, 5, 0, 1, true);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb was = off.pixel(x, y) & 0xFFFFFF;
            EXPECT_EQ(on.pixel(x, y) & 0xFFFFFF, was == 0xC0C0C0 ? 0x44BB99u : was) << x << "," << y;
        }
}

TEST(CellDrawing, LongExitsDrawLinesStubsAndWarnings) {
    needFonts();  // 2x draws labels
    MapGrid grid;
    WorldStore store;
    auto add = [&](int32_t vnum) -> RoomDataType& {
        auto r = std::make_unique<RoomDataType>();
        r->vnum = vnum;
        return *store.appendNode(WorldStore::makeNode(std::move(r)))->room;
    };
    RoomDataType& a = add(100);
    RoomDataType& far = add(101);
    RoomDataType& other = add(102);
    a.exitTo[South] = 101;  // same level, four cells down
    a.exitTo[East] = 102;   // on another level
    a.exitTo[North] = 999;  // no such room
    grid.putRoom(a, 2, 2, 0);
    grid.putRoom(far, 2, 6, 0);
    grid.putRoom(other, 2, 2, 1);
    const std::vector<LongExit> exits = longExitsOfLevel(grid, store, 0);
    const QRect cells(QPoint(1, 1), QPoint(4, 7));
    const QImage plain = renderLevel(grid, 0, cells);
    for (int zoom : {1, 2}) {
        SCOPED_TRACE(zoom);
        LevelLook look;
        look.zoom = zoom;
        look.longExits = &exits;
        const QImage image = renderLevel(grid, 0, cells, look);
        ASSERT_EQ(image.size(), QSize(4 * 17 * zoom - zoom, 7 * 17 * zoom - zoom));
        const int p = 17 * zoom;
        // The line runs down column 2 through the empty cells between.
        auto lineInRow = [&](int y) {
            for (int x = p; x < 2 * p; ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (longExitColour().rgb() & 0xFFFFFF)) return true;
            return false;
        };
        EXPECT_TRUE(lineInRow(3 * p + p / 2));
        EXPECT_TRUE(lineInRow(4 * p + p / 2));
        // A stub leaves the east edge; the north one is in the warning colour.
        int stub = 0, warning = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y) & 0xFFFFFF;
                if (x > 2 * p && y < 2 * p && c == (longExitColour().rgb() & 0xFFFFFF)) ++stub;
                if (y < p && c == (warningColour().rgb() & 0xFFFFFF)) ++warning;
            }
        EXPECT_GT(stub, 0);
        EXPECT_GT(warning, 0);
    }
    // Without the option the picture is today's.
    EXPECT_EQ(renderLevel(grid, 0, cells, LevelLook{}), plain);
}
