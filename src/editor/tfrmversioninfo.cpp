#include "editor/tfrmversioninfo.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "quendry_version.h"

TfrmVersionInfo::TfrmVersionInfo(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName("TfrmVersionInfo");
    setWindowTitle(QStringLiteral("Version Info"));
    resize(460, 320);
    memoVersion = new QPlainTextEdit(this);
    memoVersion->setObjectName("memoVersion");
    memoVersion->setReadOnly(true);
    memoVersion->setPlainText(
        QStringLiteral("QuendryEdit ") + QStringLiteral(QUENDRY_VERSION) +
        QStringLiteral(
            "\n\nA room editor for the world files of a Quendry MUD server.\n\n"
            "0.1  Rooms: create, change, renumber, clear and delete; zone header; loading and "
            "saving world files in DOS or UNIX form with bitvectors as numbers or letters; "
            "the map of 100 x 100 cells on 10 levels with its position file; editable "
            "bitvector and sector definitions; colour codes with a coloured preview."));
    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setObjectName("btnOk");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memoVersion);
    layout->addWidget(btnOk, 0, Qt::AlignRight);
    connect(btnOk, &QPushButton::clicked, this, &QWidget::close);
}
