#pragma once
// Builds the whole program as it starts (every window, hidden but the main window) on
// the offscreen platform, with scripted prompts.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "dialogs/tfrmnewzone.h"
#include "editor/quendry_app.h"
#include "editor/teditmain.h"
#include "scripted_files.h"

// The control that has the keyboard focus within its window (the offscreen platform
// may leave the window itself inactive).
inline bool focused(const QWidget* w) { return w->window()->focusWidget() == w; }

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setApplicationName("QuendryEdit");
        // The windows' settings go to a directory of the test's own, never the user's.
        static QTemporaryDir settings;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        return a;
    }();
    return *app;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        app = std::make_unique<QuendryApp>(prompts, files);
        app->createWindows();
        main = app->mainWindow.get();
    }
    void TearDown() override { app.reset(); }

    template <typename T = QWidget>
    T* control(const char* name) {
        T* w = main->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // New Area and the new zone dialog, as a user fills it in.
    void makeZone(const QString& name, int number, int start) {
        main->itemNewAreaClick();
        TfrmNewZone& dialog = *app->newZone;
        dialog.editName->setText(name);
        dialog.editNumber->setText(QString::number(number));
        dialog.editStart->setText(QString::number(start));
        dialog.btnOkClick();
    }

    // New Room, then the given texts, then UPDATE.
    void addRoom(int number, const QString& name, const QString& description) {
        main->btnwld_NewRoomClick();
        main->editRoomNumber->setText(QString::number(number));
        main->editRoomName->setText(name);
        main->memoRoom->setPlainText(description);
        main->btnwld_UpdateClick();
    }

    std::vector<int32_t> numbers() const {
        std::vector<int32_t> out;
        for (RoomIndexNode* n = app->store.first(); n; n = n->next) out.push_back(n->vnum);
        return out;
    }

    ScriptedPrompts prompts;
    ScriptedFiles files;
    std::unique_ptr<QuendryApp> app;
    TEditMain* main = nullptr;
};
