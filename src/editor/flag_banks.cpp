#include "editor/flag_banks.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <tuple>

#include "uibase/byte_text.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "wldfile/bitvector_format.h"

namespace {
// Pixel layout of the block, top to bottom: bitvector heading and bank buttons, the
// bitvector display, the flag panel, sector heading and bank buttons, the sector panel,
// then the Reset and Default buttons.
constexpr int kRowHeight = 20;
constexpr int kBankButtonWidth = 54;
constexpr int kEntryColumns = 4;
constexpr int kEntryWidth = 94;
constexpr int kEntryGap = 2;
constexpr int kPanelMargin = 3;
constexpr int kPanelHeight = 2 * kPanelMargin + 3 * kRowHeight + 2 * kEntryGap;  // three rows of entries
constexpr int kDisplayTop = 24;
constexpr int kDisplayHeight = 24;
constexpr int kFlagPanelTop = kDisplayTop + kDisplayHeight + 4;
constexpr int kSectorRowTop = kFlagPanelTop + kPanelHeight + 4;
constexpr int kSectorPanelTop = kSectorRowTop + kRowHeight + 4;
constexpr int kButtonRowTop = kSectorPanelTop + kPanelHeight + 4;
static_assert(kButtonRowTop + kRowHeight + 2 == FlagBanks::kHeight, "the block ends with its button row");
constexpr int kInfoMargin = 4;
constexpr int kLargestCaptionPixels = 12;
constexpr int kSmallestCaptionPixels = 8;

// Down buttons must stand out at a glance: they are the room's flags and sector.
const char* const kBankStyle =
    "QPushButton { border: 1px solid palette(mid); border-radius: 2px; background: palette(button);"
    " padding: 0px 2px; }"
    "QPushButton:checked { background: palette(highlight); color: palette(highlighted-text);"
    " border-color: palette(shadow); }"
    "QPushButton:disabled { color: palette(mid); }";
constexpr int kInfoGap = 10;  // between the third line's left text and the help text

const char* const kFlagHelp = "Room Bitvector:     Click to select     Right-click for information";
const char* const kSectorHelp = "Sector Type:   Click to select     Right-click for information";
const char* const kSectorInfoFirst =
    "Sector type: A single number (not a bitvector) defining the type of terrain in the room.  Note that";
const char* const kSectorInfoSecond =
    "this value is not the number of movement points needed but just a number to identify the sector type.";

void setHelp(QWidget* control, const char* text) { control->setProperty("helpLine", QString::fromLatin1(text)); }

// A speed button: a toggle that never takes the keyboard focus away from the fields.
QPushButton* makeSpeedButton(QWidget* parent, const QString& name, const QString& caption) {
    QPushButton* button = makeButton(parent, name, caption);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Names may be 20 characters long: the caption's font shrinks until the name fits.
void setEntryCaption(QPushButton* button, const QString& caption) {
    QFont font = button->font();
    int pixels = kLargestCaptionPixels;
    for (; pixels > kSmallestCaptionPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(caption) <= button->width() - 8) break;
    }
    font.setPixelSize(pixels);
    button->setFont(font);
    button->setText(caption);
    // Even the smallest font may cut a long name: then the whole name is a hover away.
    const bool fits = QFontMetrics(font).horizontalAdvance(caption) <= button->width() - 8;
    button->setToolTip(fits ? QString() : caption);
}

void placeEntryButton(QPushButton* button, int index) {
    const int column = index % kEntryColumns;
    const int row = index / kEntryColumns;
    button->setGeometry(kPanelMargin + column * (kEntryWidth + kEntryGap),
                        kPanelMargin + row * (kRowHeight + kEntryGap), kEntryWidth, kRowHeight);
}
}  // namespace

FlagBanks::FlagBanks(BitvectorTable& bitvectors, SectorTable& sectors, QWidget* parent)
    : QWidget(parent), bitvectors_(bitvectors), sectors_(sectors) {
    setObjectName("FlagBanks");
    setFixedSize(kWidth, kHeight);
    createControls();
    placeControls();
    connectControls();
    setHelpLines();
    refreshBitvectorBank();
    if (sectors_.count == 0) setBuiltinSectors(sectors_);
    selectFirstSector();
    refreshSectorBank();
}

void FlagBanks::createControls() {
    labelBitvector = makeLabel(this, "labelBitvector", "Room Bitvector");
    btnToggleAlpha = makeButton(this, "btnToggleAlpha", QString());
    btnToggleAlpha->setFont(terminalFont());

    pnlRoomBitvector = makeSunkenPanel(this, "pnlRoomBitvector");
    for (int n = 1; n <= kFlagButtons; ++n)
        flagButtons_[n] = makeSpeedButton(pnlRoomBitvector, QStringLiteral("sb1_%1").arg(n), QString());
    std::tie(sb1_1, sb1_2, sb1_3, sb1_4, sb1_5, sb1_6, sb1_7, sb1_8, sb1_9, sb1_10, sb1_11) =
        std::tie(flagButtons_[1], flagButtons_[2], flagButtons_[3], flagButtons_[4], flagButtons_[5],
                 flagButtons_[6], flagButtons_[7], flagButtons_[8], flagButtons_[9], flagButtons_[10],
                 flagButtons_[11]);

    labelSector = makeLabel(this, "labelSector", "Sector Type");
    pnlSectorType = makeSunkenPanel(this, "pnlSectorType");
    for (int n = 1; n <= kSectorButtons; ++n)
        sectorButtons_[n] = makeSpeedButton(pnlSectorType, QStringLiteral("sb2_%1").arg(n), QString());
    std::tie(sb2_1, sb2_2, sb2_3, sb2_4, sb2_5, sb2_6, sb2_7, sb2_8, sb2_9, sb2_10) =
        std::tie(sectorButtons_[1], sectorButtons_[2], sectorButtons_[3], sectorButtons_[4], sectorButtons_[5],
                 sectorButtons_[6], sectorButtons_[7], sectorButtons_[8], sectorButtons_[9], sectorButtons_[10]);

    bitvectorBankGroup_ = new QButtonGroup(this);
    sectorBankGroup_ = new QButtonGroup(this);
    for (QWidget* styled : {static_cast<QWidget*>(pnlRoomBitvector), static_cast<QWidget*>(pnlSectorType)})
        styled->setStyleSheet(kBankStyle);
    for (int bank = 1; bank <= kBanks; ++bank) {
        const QString caption = QStringLiteral("Bank %1").arg(bank);
        bitvectorBankButtons_[bank] =
            makeSpeedButton(this, QStringLiteral("sb_bitvector_bank%1").arg(bank), caption);
        sectorBankButtons_[bank] = makeSpeedButton(this, QStringLiteral("sb_sector_bank%1").arg(bank), caption);
        bitvectorBankButtons_[bank]->setStyleSheet(kBankStyle);
        sectorBankButtons_[bank]->setStyleSheet(kBankStyle);
        bitvectorBankGroup_->addButton(bitvectorBankButtons_[bank], bank);
        sectorBankGroup_->addButton(sectorBankButtons_[bank], bank);
    }
    std::tie(sb_bitvector_bank1, sb_bitvector_bank2, sb_bitvector_bank3) =
        std::tie(bitvectorBankButtons_[1], bitvectorBankButtons_[2], bitvectorBankButtons_[3]);
    std::tie(sb_sector_bank1, sb_sector_bank2, sb_sector_bank3) =
        std::tie(sectorBankButtons_[1], sectorBankButtons_[2], sectorBankButtons_[3]);

    labelReset = makeLabel(this, "labelReset", "Reset");
    btnwld_Reset_All = makeButton(this, "btnwld_Reset_All", "All");
    btnwld_ResetCurrent = makeButton(this, "btnwld_ResetCurrent", "Current");
    labelDefault = makeLabel(this, "labelDefault", "Default");
    btnwld_bv_Make_Default = makeButton(this, "btnwld_bv_Make_Default", "Make");
    btnwld_bv_Restore_Default = makeButton(this, "btnwld_bv_Restore_Default", "Restore");

    pnlDoc = makeSunkenPanel(this, "pnlDoc");
    pnlDoc->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlDoc->setAutoFillBackground(true);
    QFont infoFont = pnlDoc->font();
    infoFont.setPixelSize(11);
    pnlDoc->setFont(infoFont);
    hlplabel1 = makeLabel(pnlDoc, "hlplabel1", QString());
    hlplabel2 = makeLabel(pnlDoc, "hlplabel2", QString());
    hlplabel3 = makeLabel(pnlDoc, "hlplabel3", QString());
    hlplabel4 = makeLabel(pnlDoc, "hlplabel4", QString());
    for (QLabel* label : {hlplabel1, hlplabel2, hlplabel4}) label->setWordWrap(true);
    for (QLabel* label : {hlplabel1, hlplabel2, hlplabel3, hlplabel4})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pnlDoc->hide();
}

void FlagBanks::placeControls() {
    const int bankLeft = kWidth - kBanks * kBankButtonWidth;
    labelBitvector->setGeometry(0, 0, bankLeft - 4, kRowHeight);
    labelSector->setGeometry(0, kSectorRowTop, bankLeft - 4, kRowHeight);
    for (int bank = 1; bank <= kBanks; ++bank) {
        const int x = bankLeft + (bank - 1) * kBankButtonWidth;
        bitvectorBankButtons_[bank]->setGeometry(x, 0, kBankButtonWidth, kRowHeight);
        sectorBankButtons_[bank]->setGeometry(x, kSectorRowTop, kBankButtonWidth, kRowHeight);
    }
    btnToggleAlpha->setGeometry(0, kDisplayTop, kWidth, kDisplayHeight);

    pnlRoomBitvector->setGeometry(0, kFlagPanelTop, kWidth, kPanelHeight);
    for (int n = 1; n <= kFlagButtons; ++n) placeEntryButton(flagButtons_[n], n - 1);
    pnlSectorType->setGeometry(0, kSectorPanelTop, kWidth, kPanelHeight);
    for (int n = 1; n <= kSectorButtons; ++n) placeEntryButton(sectorButtons_[n], n - 1);

    labelReset->setGeometry(0, kButtonRowTop, 40, kRowHeight + 2);
    btnwld_Reset_All->setGeometry(42, kButtonRowTop, 64, kRowHeight + 2);
    btnwld_ResetCurrent->setGeometry(108, kButtonRowTop, 72, kRowHeight + 2);
    labelDefault->setGeometry(196, kButtonRowTop, 50, kRowHeight + 2);
    btnwld_bv_Make_Default->setGeometry(248, kButtonRowTop, 64, kRowHeight + 2);
    btnwld_bv_Restore_Default->setGeometry(314, kButtonRowTop, 76, kRowHeight + 2);
}

void FlagBanks::connectControls() {
    for (int n = 1; n <= kFlagButtons; ++n) {
        connect(flagButtons_[n], &QPushButton::clicked, this, [this, n] { sb1Click(n); });
        flagButtons_[n]->installEventFilter(this);
        flagButtons_[n]->setContextMenuPolicy(Qt::PreventContextMenu);
    }
    for (int n = 1; n <= kSectorButtons; ++n) {
        connect(sectorButtons_[n], &QPushButton::clicked, this, [this, n] { sb2Click(n); });
        sectorButtons_[n]->installEventFilter(this);
        sectorButtons_[n]->setContextMenuPolicy(Qt::PreventContextMenu);
    }
    connect(bitvectorBankGroup_, &QButtonGroup::idClicked, this, &FlagBanks::sb_bitvector_bankClick);
    connect(sectorBankGroup_, &QButtonGroup::idClicked, this, &FlagBanks::sb_sector_bankClick);
    connect(btnToggleAlpha, &QPushButton::clicked, this, &FlagBanks::btnToggleAlphaClick);
    connect(btnwld_Reset_All, &QPushButton::clicked, this, &FlagBanks::btnwld_Reset_AllClick);
    connect(btnwld_ResetCurrent, &QPushButton::clicked, this, &FlagBanks::btnwld_ResetCurrentClick);
    connect(btnwld_bv_Make_Default, &QPushButton::clicked, this, &FlagBanks::btnwld_bv_Make_DefaultClick);
    connect(btnwld_bv_Restore_Default, &QPushButton::clicked, this, &FlagBanks::btnwld_bv_Restore_DefaultClick);
    pnlDoc->installEventFilter(this);
}

void FlagBanks::setHelpLines() {
    setHelp(pnlRoomBitvector, kFlagHelp);
    for (int n = 1; n <= kFlagButtons; ++n) setHelp(flagButtons_[n], kFlagHelp);
    setHelp(pnlSectorType, kSectorHelp);
    for (int n = 1; n <= kSectorButtons; ++n) setHelp(sectorButtons_[n], kSectorHelp);
    setHelp(btnToggleAlpha, "Room Bitvector: Click to toggle bitvector display between alpha and numeric");
    for (int bank = 1; bank <= kBanks; ++bank) {
        setHelp(bitvectorBankButtons_[bank], "Bitvector Bank:     Click to access other bitvectors");
        setHelp(sectorBankButtons_[bank], "Sector Bank:     Click to access other sector types");
    }
    setHelp(btnwld_Reset_All, "Bitvectors:          Click to reset all bitvector buttons.");
    setHelp(btnwld_ResetCurrent,
            "Bitvectors:          Click to reset only those bitvector buttons in the current bank.");
    setHelp(btnwld_bv_Make_Default,
            "Bitvectors:          Click to make the currently selected bitvectors in all banks the default.");
    setHelp(btnwld_bv_Restore_Default,
            "Bitvectors:          Click to restore bitvectors in all banks from default.");
}

// ---- showing ----

void FlagBanks::showBitvectorBank() {
    for (int n = 1; n <= kFlagButtons; ++n) {
        QPushButton* button = flagButtons_[n];
        const int entry = flagEntry(n);
        if (entry > bitvectors_.count) {
            button->hide();
            button->setText(QString());
            button->setChecked(false);
            continue;
        }
        setEntryCaption(button, bytesToQString(bitvectors_.names[entry]));
        button->show();
        const int position = bitPosition(bitvectors_.values[entry]);
        button->setChecked(position != -1 && workingFlags_[position]);
    }
    refreshDisplay();
}

void FlagBanks::showSectorBank() {
    for (int n = 1; n <= kSectorButtons; ++n) {
        QPushButton* button = sectorButtons_[n];
        const int entry = sectorEntry(n);
        if (entry > sectors_.count) {
            button->hide();
            button->setText(QString());
            button->setChecked(false);
            continue;
        }
        setEntryCaption(button, bytesToQString(sectors_.names[entry]));
        button->show();
        button->setChecked(sectors_.values[entry] == currentSectorValue_);
    }
}

void FlagBanks::refreshDisplay() {
    const int32_t bitvector = bitvectorFromFlags();
    const QString text =
        numericDisplay_ ? QString::number(bitvector) : QString::fromLatin1(bitvectorToLetters(bitvector));
    btnToggleAlpha->setText(text.rightJustified(kDisplayWidth, ' '));
}

void FlagBanks::showRoomFlags(int32_t bitvector, int32_t sectorType) {
    changedByUser_ = false;
    for (int position = 1; position <= kFlagPositions; ++position)
        workingFlags_[position] = (static_cast<uint32_t>(bitvector) >> (position - 1)) & 1u;
    showBitvectorBank();

    // The last entry with the room's value; free slots past the count never match, even
    // when the room's value happens to be the free-slot mark.
    const int last = std::min(sectors_.count, kBanks * kSectorButtons);
    int position = 0;
    for (int entry = 1; entry <= last; ++entry)
        if (sectors_.values[entry] == sectorType) position = entry;
    sectorBank_ = std::max(1, (position + kSectorButtons - 1) / kSectorButtons);
    sectorBankButtons_[sectorBank_]->setChecked(true);
    currentSectorPosition_ = position;
    currentSectorValue_ = position == 0 ? 0 : sectors_.values[position];
    showSectorBank();
}

int32_t FlagBanks::bitvectorFromFlags() const {
    uint32_t bits = 0;
    for (int position = 1; position <= kFlagPositions; ++position)
        if (workingFlags_[position]) bits |= 1u << (position - 1);
    return static_cast<int32_t>(bits);
}

bool FlagBanks::workingFlag(int position) const {
    return position >= 1 && position <= kFlagPositions && workingFlags_[position];
}

bool FlagBanks::defaultFlag(int position) const {
    return position >= 1 && position <= kFlagPositions && defaultFlags_[position];
}

void FlagBanks::clearAllFlagsAndDefaults() {
    workingFlags_.fill(false);
    defaultFlags_.fill(false);
    showBitvectorBank();
}

// ---- table changes ----

void FlagBanks::refreshBitvectorBank() {
    if (bitvectors_.count == 0) setBuiltinBitvectors(bitvectors_);
    bitvectorBank_ = 1;
    bitvectorBankButtons_[1]->setChecked(true);
    bitvectorBankButtons_[2]->setEnabled(bitvectors_.count > kFlagButtons);
    bitvectorBankButtons_[3]->setEnabled(bitvectors_.count > 2 * kFlagButtons);
    // Positions past the table's last entry cannot be shown any more: turn them off. The
    // position of the last entry itself stays, or a room showing it would lose that flag
    // at its next UPDATE.
    for (int position = std::max(bitvectors_.count + 1, 1); position <= kFlagPositions; ++position) {
        workingFlags_[position] = false;
        defaultFlags_[position] = false;
    }
    showBitvectorBank();
}

void FlagBanks::refreshSectorBank() {
    if (sectors_.count == 0) setBuiltinSectors(sectors_);
    sectorBankButtons_[2]->setEnabled(sectors_.count > kSectorButtons);
    sectorBankButtons_[3]->setEnabled(sectors_.count > 2 * kSectorButtons);
    sectorBank_ = 1;
    sectorBankButtons_[1]->setChecked(true);
    if (currentSectorPosition_ > sectors_.count) selectFirstSector();
    showSectorBank();
}

void FlagBanks::selectFirstSector() {
    currentSectorPosition_ = 1;
    currentSectorValue_ = sectors_.values[1];
}

// ---- clicks ----

void FlagBanks::sb1Click(int button) {
    QPushButton* flagButton = flagButtons_[button];
    const int entry = flagEntry(button);
    const int position = entry <= bitvectors_.count ? bitPosition(bitvectors_.values[entry]) : -1;
    if (position == -1) {  // an entry without a flag position changes nothing
        flagButton->setChecked(false);
        return;
    }
    workingFlags_[position] = !workingFlags_[position];
    changedByUser_ = true;
    flagButton->setChecked(workingFlags_[position]);
    refreshDisplay();
}

void FlagBanks::sb2Click(int button) {
    const int entry = sectorEntry(button);
    if (entry > sectors_.count) return;
    currentSectorPosition_ = entry;
    currentSectorValue_ = sectors_.values[entry];
    changedByUser_ = true;
    showSectorBank();  // the clicked button stays down even when it was down already
}

void FlagBanks::sb_bitvector_bankClick(int bank) {
    if (bank == bitvectorBank_) return;
    bitvectorBank_ = bank;
    showBitvectorBank();
}

void FlagBanks::sb_sector_bankClick(int bank) {
    if (bank == sectorBank_) return;
    sectorBank_ = bank;
    showSectorBank();
}

void FlagBanks::btnToggleAlphaClick() {
    numericDisplay_ = !numericDisplay_;
    refreshDisplay();
}

void FlagBanks::btnwld_Reset_AllClick() {
    workingFlags_.fill(false);
    changedByUser_ = true;
    showBitvectorBank();
}

void FlagBanks::btnwld_ResetCurrentClick() {
    // The positions of the bank's button numbers, not of its entries' values.
    const int first = (bitvectorBank_ - 1) * kFlagButtons + 1;
    const int last = std::min(first + kFlagButtons - 1, kFlagPositions);
    for (int position = first; position <= last; ++position) workingFlags_[position] = false;
    changedByUser_ = true;
    // Redrawn from the flags, so a button whose entry has a value outside this range shows
    // that its flag is still on.
    showBitvectorBank();
}

void FlagBanks::btnwld_bv_Make_DefaultClick() { defaultFlags_ = workingFlags_; }

void FlagBanks::btnwld_bv_Restore_DefaultClick() {
    workingFlags_ = defaultFlags_;
    changedByUser_ = true;
    showBitvectorBank();
}

// ---- information panel ----

bool FlagBanks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) return QWidget::eventFilter(watched, event);

    if (type == QEvent::MouseButtonRelease) {
        hideInformationPanel();
        return true;
    }
    for (int n = 1; n <= kFlagButtons; ++n)
        if (watched == flagButtons_[n]) showFlagInformation(flagEntry(n));
    for (int n = 1; n <= kSectorButtons; ++n)
        if (watched == sectorButtons_[n]) showSectorInformation(sectorEntry(n));
    // The press is taken here, so the button keeps the mouse and its release comes back.
    return true;
}

void FlagBanks::showFlagInformation(int entry) {
    if (entry > bitvectors_.count) return;
    const QString left = QString::number(bitvectors_.values[entry]) + ' ' +
                         QChar::fromLatin1(bitvectors_.letters[entry]) + ' ' +
                         bytesToQString(bitvectors_.names[entry]) + ' ';
    showInformation("Room Bitvector", QString(), left, bytesToQString(bitvectors_.descriptions[entry]), true);
}

void FlagBanks::showSectorInformation(int entry) {
    if (entry > sectors_.count) return;
    const QString left = QString::number(sectors_.values[entry]) + ' ' + bytesToQString(sectors_.names[entry]);
    showInformation(kSectorInfoFirst, kSectorInfoSecond, left, bytesToQString(sectors_.descriptions[entry]),
                    false);
}

// The panel covers the bank that was not pressed, so the pressed button stays in sight.
void FlagBanks::showInformation(const QString& first, const QString& second, const QString& left,
                                const QString& right, bool overSectorBank) {
    const int top = overSectorBank ? kSectorRowTop : 0;
    const int bottom = overSectorBank ? kHeight : kSectorRowTop - 4;
    pnlDoc->setGeometry(0, top, kWidth, bottom - top);

    const int width = pnlDoc->width() - 2 * kInfoMargin;
    int y = kInfoMargin;
    auto placeLine = [&](QLabel* label, const QString& text) {
        label->setText(text);
        const int height = text.isEmpty() ? 0 : label->heightForWidth(width);
        label->setGeometry(kInfoMargin, y, width, height);
        y += height;
    };
    placeLine(hlplabel1, first);
    placeLine(hlplabel2, second);
    y += 2;

    hlplabel3->setText(left);
    const int leftWidth = hlplabel3->fontMetrics().horizontalAdvance(left);
    hlplabel3->setGeometry(kInfoMargin, y, leftWidth, hlplabel3->sizeHint().height());
    const int rightX = kInfoMargin + leftWidth + kInfoGap;
    hlplabel4->setText(right);
    const int rightWidth = std::max(pnlDoc->width() - kInfoMargin - rightX, 1);
    hlplabel4->setGeometry(rightX, y, rightWidth, std::max(hlplabel4->heightForWidth(rightWidth), 0));

    pnlDoc->raise();
    pnlDoc->show();
}

void FlagBanks::hideInformationPanel() { pnlDoc->hide(); }
