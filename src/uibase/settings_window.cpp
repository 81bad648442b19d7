#include "uibase/settings_window.h"

#include <QPushButton>
#include <QShowEvent>

SettingsWindow::SettingsWindow(EditedCopies& copies, Prompts& prompts, SettingsQuestions questions,
                               std::string filePath, const Captions& captions, QWidget* parent)
    : SecondaryWindow(parent),
      copies_(copies),
      prompts_(prompts),
      questions_(std::move(questions)),
      filePath_(std::move(filePath)) {
    setCentring(Centring::EveryOpen);
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    btnDefaults = button("btnDefaults", captions.defaults);
    btnRevert = button("btnRevert", captions.revert);
    btnSave = button("btnSave", QStringLiteral("&Save"));
    btnUse = button("btnUse", QStringLiteral("&Use"));
    btnCancel = button("btnCancel", QStringLiteral("&Cancel"));
    connect(btnDefaults, &QPushButton::clicked, this, &SettingsWindow::btnDefaultsClick);
    connect(btnRevert, &QPushButton::clicked, this, &SettingsWindow::btnRevertClick);
    connect(btnSave, &QPushButton::clicked, this, &SettingsWindow::btnSaveClick);
    connect(btnUse, &QPushButton::clicked, this, &SettingsWindow::btnUseClick);
    connect(btnCancel, &QPushButton::clicked, this, &SettingsWindow::btnCancelClick);
    commits().letGoOn(btnCancel);
}

void SettingsWindow::btnDefaultsClick() {
    if (!commits().commitPending()) return;
    if (askRestoreDefaults(copies_, prompts_, questions_)) showWorkingCopy();
}

void SettingsWindow::btnRevertClick() {
    if (!commits().commitPending()) return;
    if (askRevertToSaved(copies_, prompts_, questions_)) showWorkingCopy();
}

void SettingsWindow::btnSaveClick() {
    if (!commits().commitPending()) return;
    if (askSave(copies_, prompts_, questions_, filePath_)) showSaved();
}

void SettingsWindow::btnUseClick() {
    if (!commits().commitPending()) return;
    takeIntoUse();
    keepWorkingCopy_ = true;
    close();
    keepWorkingCopy_ = false;
}

void SettingsWindow::btnCancelClick() { close(); }

void SettingsWindow::aboutToOpen() {
    copies_.keepOnOpen();
    showWorkingCopy();
    justOpened_ = true;
}

bool SettingsWindow::aboutToClose() {
    if (!keepWorkingCopy_) {
        copies_.restoreOnOpen();
        showWorkingCopy();
    }
    return true;
}

void SettingsWindow::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    if (justOpened_) {
        justOpened_ = false;
        opened();
    }
}
