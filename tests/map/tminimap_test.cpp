// The minimap window driven as a user drives it: clicks on the picture, the close box,
// and the calls the map window makes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "map/map_model.h"
#include "map/tminimap.h"
#include "world/room.h"
#include "world/world_store.h"

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class MinimapWindow : public ::testing::Test {
protected:
    void SetUp() override {
        mapWindow.setGeometry(200, 150, 551, 474);
        minimap.setMapWindow(&mapWindow);
    }

    QWidget* picture() { return minimap.findChild<QWidget*>("immap"); }
    // Mouse events on the picture (QTest takes pixel (0, 0) for "the middle").
    void send(QEvent::Type type, QPoint pixel, Qt::MouseButton button = Qt::NoButton) {
        const QPointF local(pixel);
        QMouseEvent event(type, local, picture()->mapToGlobal(local), button,
                          type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture(), &event);
    }
    void click(QPoint pixel, Qt::MouseButton button = Qt::LeftButton) {
        send(QEvent::MouseButtonPress, pixel, button);
        send(QEvent::MouseButtonRelease, pixel, button);
    }
    QRgb pixel(int px, int py) { return minimap.picture().image().pixel(px, py); }

    QApplication& app = application();  // before any widget
    WorldStore store;
    MapModel map{store};
    MapGrid& grid = map.grid;
    QWidget mapWindow;
    Tminimap minimap{map};
};

}  // namespace

TEST_F(MinimapWindow, ShowsTheLevelBesideTheMapWindowAndKeepsItsPlace) {
    RoomDataType a, b;
    grid.putRoom(a, 1, 1, 3);
    grid.putRoom(b, 100, 100, 3);
    EXPECT_EQ(minimap.objectName(), "minimap");
    EXPECT_EQ(minimap.windowTitle(), "MINIMAP");
    ASSERT_NE(picture(), nullptr);
    EXPECT_EQ(picture()->size(), QSize(100, 100));
    EXPECT_FALSE(minimap.isVisible());

    mapWindow.show();
    minimap.showMinimap(3);
    EXPECT_TRUE(minimap.isVisible());
    EXPECT_TRUE(mapWindow.isEnabled());  // the minimap never disables the map window
    const QRect map = mapWindow.frameGeometry();
    EXPECT_EQ(minimap.pos(), QPoint(map.left() + map.width(), map.top() + 100));
    EXPECT_EQ(pixel(0, 0), MinimapImage::roomColour().rgb());
    EXPECT_EQ(pixel(99, 99), MinimapImage::roomColour().rgb());
    EXPECT_EQ(pixel(50, 50), minimap.picture().background().rgb());

    // The close box hides it and tells the map window ("&minimap" goes up); showing it
    // again puts it where the user left it, with the new level drawn.
    QSignalSpy closed(&minimap, &Tminimap::closed);
    minimap.move(10, 20);
    minimap.close();  // the close box's route
    EXPECT_FALSE(minimap.isVisible());
    EXPECT_EQ(closed.count(), 1);
    grid.putRoom(a, 50, 50, 4);
    minimap.showMinimap(4);
    EXPECT_EQ(minimap.pos(), QPoint(10, 20));
    EXPECT_EQ(pixel(0, 0), minimap.picture().background().rgb());
    EXPECT_EQ(pixel(49, 49), MinimapImage::roomColour().rgb());
    // Hiding it from the map window is not a close by the user.
    minimap.hide();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MinimapWindow, ClickAsksTheMapToShowThatCell) {
    minimap.showMinimap(5);
    QSignalSpy scroll(&minimap, &Tminimap::scrollRequested);
    struct Case {
        QPoint pixel;
        int x, y;
    };
    for (const Case& c : {Case{{49, 49}, 50, 50}, Case{{0, 0}, 1, 1}, Case{{99, 99}, 100, 100}, Case{{3, 97}, 4, 98}}) {
        send(QEvent::MouseMove, c.pixel);
        click(c.pixel);
        ASSERT_EQ(scroll.count(), 1) << c.pixel.x() << "," << c.pixel.y();
        EXPECT_EQ(scroll.takeFirst(), (QList<QVariant>{c.x, c.y}));
        EXPECT_EQ(minimap.pointerPixel(), c.pixel);
    }
    // A click before the pointer was seen moving over the picture still counts where it is.
    minimap.showMinimap(5);
    EXPECT_EQ(minimap.pointerPixel(), QPoint(0, 0));
    click(QPoint(20, 30));
    ASSERT_EQ(scroll.count(), 1);
    EXPECT_EQ(scroll.takeFirst(), (QList<QVariant>{21, 31}));
    // Other buttons do nothing.
    click(QPoint(20, 30), Qt::RightButton);
    EXPECT_EQ(scroll.count(), 0);
}

TEST_F(MinimapWindow, FrameFollowsTheBoardAndCellsFollowTheGrid) {
    RoomDataType room;
    grid.putRoom(room, 43, 45, 5);  // pixel (42, 44): under the left edge of the first frame
    minimap.showMinimap(5);
    const QRgb blue = MinimapImage::frameColour().rgb();
    const QRgb black = MinimapImage::roomColour().rgb();
    const QRgb face = minimap.picture().background().rgb();

    minimap.drawViewFrame(42, 42);
    EXPECT_EQ(pixel(42, 44), blue);
    EXPECT_EQ(pixel(56, 56), blue);
    minimap.drawViewFrame(43, 42);  // one column to the right
    EXPECT_EQ(pixel(42, 44), black);
    EXPECT_EQ(pixel(42, 42), face);
    EXPECT_EQ(pixel(57, 42), blue);
    EXPECT_EQ(minimap.picture().lastFrame(), QRect(QPoint(43, 42), QPoint(57, 56)));

    // A placement or removal on the board plots its cell.
    grid.takeRoom(43, 45, 5);
    minimap.refreshCell(43, 45);
    EXPECT_EQ(pixel(42, 44), face);
    minimap.plotCell(70, 80, true);
    EXPECT_EQ(pixel(69, 79), black);
    // A level change redraws from the grid of that level.
    minimap.setLevel(6);
    EXPECT_EQ(pixel(69, 79), face);
    EXPECT_EQ(minimap.level(), 6);
}
