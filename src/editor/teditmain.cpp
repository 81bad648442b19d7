// Construction and layout of the main window's controls. The window has a fixed
// client area of 792 x 554 pixels; controls sit at fixed positions.
#include "editor/teditmain.h"

#include <QButtonGroup>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "colour/colour_preview_panel.h"
#include "map/map_model.h"
#include "quendry_version.h"
#include "uibase/help_line.h"
#include "uibase/secondary_window.h"
#include "uibase/widget_factory.h"

namespace {
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 554;

// A sunken panel that shows a value, its text kept clear of the frame.
QLabel* valuePanel(QWidget* parent, const char* name, QRect at) {
    QLabel* p = makeSunkenLabel(parent, name, QString(), at);
    p->setIndent(4);
    return p;
}
}  // namespace

TEditMain::TEditMain(WorldStore& store, MapModel& map, Prompts& prompts, FileChooser& files, QWidget* parent)
    : QMainWindow(parent), store_(store), map_(map), prompts_(prompts), rooms_(store, map, prompts), files_(files) {
    setObjectName("EditMain");
    startupDir_ = QDir::currentPath().toStdString();
    setWindowTitle(QStringLiteral("Quendry Editor 32-bit ") + QStringLiteral(QUENDRY_VERSION) +
                   QStringLiteral("[*]"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildLayout();
    buildMenus();
    setHelpLines();
    installEventFilters();
    setAcceptDrops(true);  // world files dropped from a file manager
    store_.addObserver(this);

    // The menu bar sits above the client area, so the window is that much taller.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreWindowOnScreen(*this);
}

TEditMain::~TEditMain() { store_.removeObserver(this); }

void TEditMain::attachWindows(const EditorWindows& windows) { windows_ = windows; }

void TEditMain::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName("Client");
    central->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(central);

    Panel1 = named(new QFrame(central), "Panel1");
    static_cast<QFrame*>(Panel1)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, kClientWidth, 40);
    Panel1->setAutoFillBackground(true);
    QPalette banner = Panel1->palette();
    banner.setColor(QPalette::Window, QColor(0, 0, 96));
    banner.setColor(QPalette::WindowText, QColor(255, 210, 80));
    Panel1->setPalette(banner);
    Label1 = named(new QLabel(QStringLiteral("Quendry Editor"), Panel1), "Label1");
    QFont bannerFont = Label1->font();
    bannerFont.setPointSize(18);
    bannerFont.setBold(true);
    bannerFont.setItalic(true);
    Label1->setFont(bannerFont);
    Label1->setGeometry(12, 2, 400, 36);

    buildZoneHeader(central);

    PageControl1 = named(new QTabWidget(central), "PageControl1");
    PageControl1->setGeometry(2, 74, kClientWidth - 4, kClientHeight - 76);
    tabWorld = named(new QWidget, "tabWorld");
    PageControl1->addTab(tabWorld, QStringLiteral("World"));
    buildRoomPage();
    // The page appears with the first zone: setZone or a read.
    PageControl1->hide();
}

void TEditMain::buildZoneHeader(QWidget* central) {
    makeLabel(central, QString(), QStringLiteral("Zone Name"), QRect(8, 48, 76, 20));
    pnlZoneName = valuePanel(central, "pnlZoneName", QRect(86, 46, 280, 22));
    makeLabel(central, QString(), QStringLiteral("Zone Number"), QRect(384, 48, 90, 20));
    pnlZoneNumber = valuePanel(central, "pnlZoneNumber", QRect(476, 46, 90, 22));
    makeLabel(central, QString(), QStringLiteral("Zone Start"), QRect(590, 48, 76, 20));
    pnlZoneStart = valuePanel(central, "pnlZoneStart", QRect(668, 46, 100, 22));
}

void TEditMain::buildRoomPage() {
    buildRoomFields(tabWorld);
    buildRoomButtons(tabWorld);
    buildNavigation(tabWorld);
    buildBanks(tabWorld);
    pnlWorldHelp = valuePanel(tabWorld, "pnlWorldHelp", QRect(4, 424, 774, 22));
    setFieldsEditable(false);
}

void TEditMain::buildRoomFields(QWidget* page) {
    labelRoomNumber = makeLabel(page, QString(), QStringLiteral("Room Num&ber"), QRect(6, 2, 90, 18));
    editRoomNumber = named(new QLineEdit(page), "editRoomNumber");
    editRoomNumber->setGeometry(6, 20, 90, 22);
    labelRoomName = makeLabel(page, QString(), QStringLiteral("Room N&ame"), QRect(104, 2, 200, 18));
    editRoomName = named(new QLineEdit(page), "editRoomName");
    editRoomName->setGeometry(104, 20, 278, 22);
    labelRoomDescription = makeLabel(page, QString(), QStringLiteral("Room D&escription"), QRect(6, 46, 200, 18));
    memoRoom = named(new QPlainTextEdit(page), "memoRoom");
    memoRoom->setGeometry(6, 64, 376, 170);
    memoRoom->setTabChangesFocus(false);  // tabs go into the text
    memoRoom->setLineWrapMode(QPlainTextEdit::NoWrap);
    labelRoomNumber->setBuddy(editRoomNumber);
    labelRoomName->setBuddy(editRoomName);
    labelRoomDescription->setBuddy(memoRoom);

    // The colour preview lies over the description while it is shown: 80 columns and
    // 14 lines of the terminal font.
    ColorPanel = named(new ColourPreviewPanel(QSize(644, 177), 14, page), "ColorPanel");
    ColorPanel->hide();

    sb_WordWrap = makeToggle(page, "sb_WordWrap", QStringLiteral("Word &Wrap"), QRect(6, 238, 86, 24));
    makeLabel(page, QString(), QStringLiteral("COLOR"), QRect(150, 242, 44, 18));
    sb_Draw = makeToggle(page, "sb_Draw", QStringLiteral("Show"), QRect(196, 238, 60, 24));
    btnSetColor = makeButton(page, "btnSetColor", QStringLiteral("Set..."), QRect(260, 238, 56, 24));
    // It is a little taller than the field: it rises into the label's margin so that the
    // buttons below stay free.
    ColorPanel->move(memoRoom->x(), std::min(memoRoom->y(), sb_WordWrap->y() - 1 - ColorPanel->height()));
}

void TEditMain::buildRoomButtons(QWidget* page) {
    btnwld_NewRoom = makeButton(page, "btnwld_NewRoom", QStringLiteral("&New Room"), QRect(6, 268, 92, 26));
    btnwld_Update = makeButton(page, "btnwld_Update", QStringLiteral("&UPDATE"), QRect(101, 268, 92, 26));
    btnwld_Clear = makeButton(page, "btnwld_Clear", QStringLiteral("&Clear Room"), QRect(196, 268, 92, 26));
    btnwld_DeleteRoom = makeButton(page, "btnwld_DeleteRoom", QStringLiteral("De&lete Room"), QRect(291, 268, 92, 26));
    sb_confirm = makeToggle(page, "sb_confirm", QStringLiteral("Confirm"), QRect(291, 298, 92, 24));
    sb_confirm->setChecked(true);
    btnwld_MakeDefault = makeButton(page, "btnwld_MakeDefault", QStringLiteral("Make &Default"), QRect(6, 298, 92, 24));
    btnwld_ClearDefault = makeButton(page, "btnwld_ClearDefault", QStringLiteral("Clear Default"), QRect(101, 298, 92, 24));
    btnMap = makeButton(page, "btnMap", QStringLiteral("&MAP..."), QRect(6, 328, 120, 26));
    btnExtra = makeButton(page, "btnExtra", QStringLiteral("E&xtra Descriptions..."), QRect(130, 328, 160, 26));
    btnwld_Jumpto = makeButton(page, "btnwld_Jumpto", QStringLiteral("&Jump To..."), QRect(294, 328, 89, 26));

    connect(btnwld_NewRoom, &QPushButton::clicked, this, &TEditMain::btnwld_NewRoomClick);
    connect(btnwld_Update, &QPushButton::clicked, this, &TEditMain::btnwld_UpdateClick);
    connect(btnwld_Clear, &QPushButton::clicked, this, &TEditMain::btnwld_ClearClick);
    connect(btnwld_DeleteRoom, &QPushButton::clicked, this, &TEditMain::btnwld_DeleteRoomClick);
    connect(btnMap, &QPushButton::clicked, this, &TEditMain::btnMapClick);
    connect(btnExtra, &QPushButton::clicked, this, &TEditMain::btnExtraClick);
    connect(sb_WordWrap, &QToolButton::clicked, this, &TEditMain::sb_WordWrapClick);
    connect(sb_Draw, &QToolButton::clicked, this, &TEditMain::sb_DrawClick);
    connect(btnSetColor, &QPushButton::clicked, this, &TEditMain::itemSetupColorsClick);
}

void TEditMain::buildNavigation(QWidget* page) {
    Label9 = makeLabel(page, "Label9", QStringLiteral("&Search For..."), QRect(6, 364, 84, 18));
    editJump = named(new QLineEdit(page), "editJump");
    editJump->setGeometry(92, 362, 196, 22);
    Label9->setBuddy(editJump);
    btnJp = makeButton(page, "btnJp", QStringLiteral("&<"), QRect(292, 360, 44, 26));
    btnJn = makeButton(page, "btnJn", QStringLiteral("&>"), QRect(339, 360, 44, 26));
    btnPrev = makeButton(page, "btnPrev", QStringLiteral("&1. Prev"), QRect(6, 392, 92, 26));
    btnNext = makeButton(page, "btnNext", QStringLiteral("&2. Next"), QRect(101, 392, 92, 26));

    GroupBox1 = named(new QGroupBox(QStringLiteral("Directions"), page), "GroupBox1");
    GroupBox1->setGeometry(392, 300, 386, 118);
    sb_ct_Navigate = makeToggle(GroupBox1, "sb_ct_Navigate", QStringLiteral("Navigate"), QRect(10, 22, 130, 24));
    sb_ct_Add = makeToggle(GroupBox1, "sb_ct_Add", QStringLiteral("Add Default Room"), QRect(10, 50, 130, 24));
    auto* modes = new QButtonGroup(GroupBox1);
    modes->setExclusive(true);
    modes->addButton(sb_ct_Navigate);
    modes->addButton(sb_ct_Add);
    sb_ct_Navigate->setChecked(true);

    // The six direction buttons in a compass: N above S, W left of E, U and D to the side.
    struct Place {
        QPushButton** member;
        Direction direction;
        const char* name;
        const char* caption;
        int x, y;
    };
    const Place places[] = {{&ex_N, North, "ex_N", "N", 190, 18}, {&ex_W, West, "ex_W", "W", 158, 46},
                            {&ex_E, East, "ex_E", "E", 222, 46},  {&ex_S, South, "ex_S", "S", 190, 74},
                            {&ex_U, Up, "ex_U", "U", 280, 18},    {&ex_D, Down, "ex_D", "D", 280, 74}};
    for (const Place& p : places) {
        *p.member = makeButton(GroupBox1, p.name, QString::fromLatin1(p.caption), QRect(p.x, p.y, 30, 26));
        directionButtons_[p.direction] = *p.member;
    }
    edit_Dir = named(new QLineEdit(GroupBox1), "edit_Dir");
    edit_Dir->setGeometry(316, 48, 60, 22);
    connect(sb_ct_Navigate, &QToolButton::clicked, this, [this] {
        navigateMode_ = sb_ct_Navigate->isChecked();
        setDirectionButtonsForMode();
    });
    connect(sb_ct_Add, &QToolButton::clicked, this, [this] {
        navigateMode_ = sb_ct_Navigate->isChecked();
        setDirectionButtonsForMode();
    });
    connectNavigation();
}

void TEditMain::installEventFilters() {
    // Help texts: every control that carries one, found when the pointer enters it.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    editRoomName->installEventFilter(this);
}

void TEditMain::setFieldsEditable(bool editable) {
    // An editable field shows the button-highlight colour, a disabled one the button-shadow colour.
    for (QWidget* field : {static_cast<QWidget*>(editRoomNumber), static_cast<QWidget*>(editRoomName),
                           static_cast<QWidget*>(memoRoom), static_cast<QWidget*>(editFlagWords),
                           static_cast<QWidget*>(editTriggers)}) {
        field->setEnabled(editable);
        QPalette p = field->palette();
        const QColor colour = editable ? p.color(QPalette::Active, QPalette::Light)
                                       : p.color(QPalette::Active, QPalette::Mid);
        p.setColor(QPalette::All, QPalette::Base, colour);
        field->setPalette(p);
    }
    fieldsCleared_ = !editable && editRoomNumber->text().isEmpty() && editRoomName->text().isEmpty() &&
                     memoRoom->document()->isEmpty() && editFlagWords->text().isEmpty() &&
                     editTriggers->text().isEmpty();
}
