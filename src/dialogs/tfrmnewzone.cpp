#include "dialogs/tfrmnewzone.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "uibase/byte_text.h"
#include "world/prompts.h"
#include "world/strict_int.h"
#include "world/world_store.h"

TfrmNewZone::TfrmNewZone(WorldStore& store, Prompts& prompts, QWidget* parent)
    : SecondaryWindow(parent, Qt::MSWindowsFixedSizeDialogHint), store_(store), prompts_(prompts) {
    setObjectName("TfrmNewZone");
    setWindowTitle(QStringLiteral("New Zone"));
    setFixedSize(546, 203);

    auto* heading =
        new QLabel(QStringLiteral("You are creating a new zone.  Please supply the following information:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(16, 10, 514, 20);
    auto* rule = new QFrame(this);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(16, 34, 514, 4);

    auto field = [this](const char* name, const QString& caption, int y) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(40, y + 2, 100, 20);
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(150, y, 300, 24);
        e->installEventFilter(this);
        return e;
    };
    editName = field("editName", QStringLiteral("Zone Name"), 50);
    editName->setFont(bold);
    editNumber = field("editNumber", QStringLiteral("Zone Number"), 82);
    editStart = field("editStart", QStringLiteral("Zone Start"), 114);
    cbNewerForm = new QCheckBox(QStringLiteral("Save in &Newer Form (four flag words)"), this);
    cbNewerForm->setObjectName("cbNewerForm");
    cbNewerForm->setGeometry(150, 142, 300, 20);
    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(150, 168, 100, 28);
    btnCancel = new QPushButton(QStringLiteral("&CANCEL"), this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(350, 168, 100, 28);
    btnOk->installEventFilter(this);
    btnCancel->installEventFilter(this);
    setTabOrder(editName, editNumber);
    setTabOrder(editNumber, editStart);
    setTabOrder(editStart, cbNewerForm);
    setTabOrder(cbNewerForm, btnOk);
    setTabOrder(btnOk, btnCancel);

    connect(editNumber, &QLineEdit::textChanged, this, [this] { textEdited(editNumber, numberFilter_); });
    connect(editStart, &QLineEdit::textChanged, this, [this] { textEdited(editStart, startFilter_); });
    connect(btnOk, &QPushButton::clicked, this, &TfrmNewZone::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmNewZone::btnCancelClick);
}

void TfrmNewZone::reset() {
    activateWindow();
    editName->setFocus();
    numberFilter_.reject = false;
    startFilter_.reject = false;
}

bool TfrmNewZone::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (watched == editName) editNumber->setFocus();
        if (watched == editNumber) editStart->setFocus();
        if (watched == editStart) btnOk->setFocus();
        // A focused button takes Enter as a click.
        if (auto* b = qobject_cast<QPushButton*>(watched)) b->click();
        return true;
    }
    // Only digits and backspace may be typed into the number fields. A typed character
    // sets the refusal; the text change it causes is then undone.
    DigitFilter* filter = watched == editNumber ? &numberFilter_ : watched == editStart ? &startFilter_ : nullptr;
    if (filter) {
        const QString text = key->text();
        // A key with Ctrl, Alt or Meta held (Ctrl+Z, Ctrl+V) types no character.
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const bool typed = !command && !text.isEmpty() && (text[0].isPrint() || key->key() == Qt::Key_Backspace);
        if (typed) filter->reject = !(key->key() == Qt::Key_Backspace || (text[0] >= '0' && text[0] <= '9'));
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmNewZone::textEdited(QLineEdit* field, DigitFilter& filter) {
    if (filter.reject) {
        filter.reject = false;
        field->setText(filter.accepted);
        field->setCursorPosition(field->text().size());
        return;
    }
    filter.accepted = field->text();
}

void TfrmNewZone::btnOkClick() {
    if (editNumber->text().isEmpty() || editName->text().isEmpty() || editStart->text().isEmpty()) {
        prompts_.message("Error: Missing Field");
        return;
    }
    const std::optional<int32_t> number = strictToIntOrSay(qStringToBytes(editNumber->text()), prompts_);
    if (!number) return;
    const std::optional<int32_t> start = strictToIntOrSay(qStringToBytes(editStart->text()), prompts_);
    if (!start) return;
    // The header changes only when all three values are good, so the store never holds
    // a header that its panels do not show.
    if (*number < 1 || *number > 99999) {
        prompts_.message("Zone Number out of range");
        return;
    }
    if (*start < 1 || *start > 99999) {
        prompts_.message("Zone Start out of range");
        return;
    }
    releaseOpener();
    hide();
    store_.setZone(*number, qStringToBytes(editName->text()), *start,
                   cbNewerForm->isChecked() ? WorldForm::Newer : WorldForm::Classic);
}

void TfrmNewZone::btnCancelClick() { close(); }
