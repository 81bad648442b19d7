#pragma once
// The "New Zone" dialog: asks for the name, number and lowest room number of a new
// zone, and the form of world file it is written in, and hands them to the store. The
// main window is disabled while it is shown.
#include <QString>

#include "uibase/secondary_window.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class Prompts;
class WorldStore;

class TfrmNewZone : public SecondaryWindow {
    Q_OBJECT
public:
    TfrmNewZone(WorldStore& store, Prompts& prompts, QWidget* parent = nullptr);

    // Called after the dialog was shown: focus on the name, no keystroke pending refusal.
    void reset();

    QLineEdit* editName = nullptr;
    QLineEdit* editNumber = nullptr;
    QLineEdit* editStart = nullptr;
    // The form the new zone is written in: unticked (the classic form) at start, and,
    // like the fields, kept from one opening to the next.
    QCheckBox* cbNewerForm = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnOkClick();
    void btnCancelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The digits-only filter of one number field.
    struct DigitFilter {
        QString accepted;     // the last text that passed the filter
        bool reject = false;  // the keystroke being handled is refused
    };
    void textEdited(QLineEdit* field, DigitFilter& filter);

    WorldStore& store_;
    Prompts& prompts_;
    DigitFilter numberFilter_;
    DigitFilter startFilter_;
};
