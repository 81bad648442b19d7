// The window base: the opener is disabled while the window is shown and enabled again
// by every route of closing; a window that refuses to close keeps it disabled.
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <functional>

#include "editor_fixture.h"
#include "uibase/secondary_window.h"

namespace {
class Probe : public SecondaryWindow {
public:
    bool mayClose = true;
    int asked = 0;

protected:
    bool aboutToClose() override {
        ++asked;
        return mayClose;
    }
};
}  // namespace

TEST(SecondaryWindowBase, EveryCloseRouteReEnablesTheOpenerUnlessTheWindowRefuses) {
    testApplication();
    QWidget opener;
    opener.show();
    Probe window;
    auto* done = new QPushButton("Done", &window);
    QObject::connect(done, &QPushButton::clicked, &window, &QWidget::close);
    QSignalSpy closed(&window, &SecondaryWindow::closed);

    const std::pair<const char*, std::function<void()>> routes[] = {
        {"button", [&] { done->click(); }},
        {"escape", [&] { QTest::keyClick(done, Qt::Key_Escape); }},
        {"close box", [&] { window.windowHandle()->close(); }},
    };
    for (const auto& [name, closeBy] : routes) {
        SCOPED_TRACE(name);
        window.openFrom(&opener);
        ASSERT_TRUE(window.isVisible());
        EXPECT_FALSE(opener.isEnabled());
        EXPECT_EQ(window.opener(), &opener);

        window.mayClose = false;
        closeBy();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(opener.isEnabled());

        window.mayClose = true;
        const int before = closed.count();
        closeBy();
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(opener.isEnabled());
        EXPECT_EQ(window.opener(), nullptr);
        EXPECT_EQ(closed.count(), before + 1);
    }

    // A window that does not close on Escape ignores it.
    window.setClosesOnEscape(false);
    window.openFrom(&opener);
    QTest::keyClick(done, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_TRUE(opener.isEnabled());
}

// A button's accelerator clicks a moment after its key, so a second window can open from
// an opener the first has already disabled: the opener stays disabled until both close.
TEST(SecondaryWindowBase, TheOpenerStaysDisabledUntilTheLastWindowHoldingItCloses) {
    testApplication();
    QWidget opener;
    opener.show();
    Probe first, second;
    first.openFrom(&opener);
    second.openFrom(&opener);
    first.close();
    EXPECT_FALSE(opener.isEnabled());
    second.close();
    EXPECT_TRUE(opener.isEnabled());
    // Reopened in the other order, the count starts again from nothing.
    second.openFrom(&opener);
    first.openFrom(&opener);
    second.close();
    EXPECT_FALSE(opener.isEnabled());
    first.close();
    EXPECT_TRUE(opener.isEnabled());
}
