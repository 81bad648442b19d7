#pragma once
// The whole program started in a directory of its own, so the set-up windows read and
// write their side files there; scripted prompts answer every question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>

#include "../editor/editor_fixture.h"
#include "../editor/scripted_files.h"
#include "colour/tfrmsetcolor.h"
#include "defs/definition_window.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "editor/quendry_app.h"
#include "editor/teditmain.h"
#include "scripted_colour_picker.h"

class SetupWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { app.reset(); }

    void writeFile(const char* name, const std::string& bytes) {
        std::ofstream(dir.filePath(name).toStdString(), std::ios::binary) << bytes;
    }
    std::string fileBytes(const char* name) const {
        std::ifstream in(dir.filePath(name).toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool fileExists(const char* name) const { return QFile::exists(dir.filePath(name)); }

    // Starts (or starts again) the program in the test's directory.
    void start() {
        app.reset();
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        app = std::make_unique<QuendryApp>(prompts, files, &picker);
        app->createWindows();
        QDir::setCurrent(before);
        main = app->mainWindow.get();
    }

    // Each set-up window opened from the main window's menu, as the builder opens it.
    TfrmSetBit* openSetBit() { return opened(app->setBit, [this] { main->itemSetupBitvectorsClick(); }); }
    TfrmSetSect* openSetSect() { return opened(app->setSect, [this] { main->itemSetupSectorsClick(); }); }
    TfrmSetColor* openSetColor() { return opened(app->setColor, [this] { main->itemSetupColorsClick(); }); }

    // A drag of one name field dropped on another, as the window system delivers it.
    static bool dropName(DefinitionWindow& window, int from, int to) {
        std::unique_ptr<QMimeData> data(window.nameField(from)->dragData());
        return dropData(*window.nameField(to), data.get());
    }
    static bool dropData(QWidget& target, const QMimeData* data) {
        const QPoint at = target.rect().center();
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted();
    }

    // Types text into a field that has the focus, as the user would.
    static void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }

    QPushButton* flagBankButton(int n) { return main->findChild<QPushButton*>(QStringLiteral("sb1_%1").arg(n)); }
    QPushButton* sectorBankButton(int n) {
        return main->findChild<QPushButton*>(QStringLiteral("sb2_%1").arg(n));
    }

    template <typename Window, typename Open>
    static Window* opened(Window* window, Open open) {
        open();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ScriptedFiles files;
    ScriptedColourPicker picker;
    std::unique_ptr<QuendryApp> app;
    TEditMain* main = nullptr;
};
