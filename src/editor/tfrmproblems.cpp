#include "editor/tfrmproblems.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "uibase/byte_text.h"
#include "uibase/commit_path.h"
#include "uibase/widget_factory.h"
#include "world/prompts.h"
#include "world/strict_int.h"

namespace {

const char* const kSettingsGroup = "Problems";
const char* const kIgnoreKey = "ignore";      // the names of the checks not run
const char* const kRangeKey = "zoneRange";    // "LO-HI"; empty or missing: from the lowest room
const char* const kAllChecks = "All checks";

enum Column { CheckColumn, RoomColumn, DirectionColumn, MessageColumn, ColumnCount };

QString checkText(const LintFinding& f) { return QString::fromLatin1(lintCheckName(f.check)); }
QString directionText(const LintFinding& f) {
    return f.direction < 0 ? QString() : QString::fromLatin1(directionName(f.direction));
}

}  // namespace

void ProblemTableModel::setRows(std::vector<const LintFinding*> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

const LintFinding* ProblemTableModel::finding(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)] : nullptr;
}

int ProblemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProblemTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProblemTableModel::data(const QModelIndex& index, int role) const {
    const LintFinding* f = finding(index.row());
    if (!f || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    switch (index.column()) {
        case CheckColumn: return checkText(*f);
        case RoomColumn: return f->room;
        case DirectionColumn: return directionText(*f);
        case MessageColumn: return bytesToQString(f->message);
        default: return {};
    }
}

QVariant ProblemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeaders[ColumnCount] = {"Check", "Room", "Direction", "Message"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

TfrmProblems::TfrmProblems(WorldStore& store, const MapGrid& grid, Prompts& prompts, QSettings& settings,
                           QWidget* parent)
    : SecondaryWindow(parent), store_(store), prompts_(prompts), settings_(settings), problems_(store, grid) {
    setObjectName(QStringLiteral("frmProblems"));
    setWindowTitle(QStringLiteral("Problems (0)"));
    // The map is the builder's own layout: the exits are held against it.
    problems_.setMapFile(false, true);
    buildControls();
    readSettings();
    store_.addObserver(this);
    applyOptions();
}

TfrmProblems::~TfrmProblems() { store_.removeObserver(this); }

void TfrmProblems::openBeside(QWidget& main) {
    if (!placed_ && !isVisible()) {
        placed_ = true;
        setCentring(Centring::None);
        // Beside it where the screen has room, else as far right as the screen allows.
        const QRect frame = main.frameGeometry();
        const QScreen* screen = main.screen();
        const QRect space = screen ? screen->availableGeometry() : QRect(frame.topLeft(), size() * 4);
        move(std::max(space.left(), std::min(frame.right() + 8, space.right() - width())),
             std::max(space.top(), std::min(frame.top(), space.bottom() - height())));
    }
    openFrom(nullptr);
}

void TfrmProblems::buildControls() {
    resize(720, 360);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    editFilter = named(new QLineEdit(this), QStringLiteral("editFilter"));
    editFilter->setPlaceholderText(QStringLiteral("Filter"));
    editFilter->setClearButtonEnabled(true);
    bar->addWidget(editFilter, 1);

    cbCheck = named(new QComboBox(this), QStringLiteral("cbCheck"));
    cbCheck->addItem(QString::fromLatin1(kAllChecks));
    for (int c = 0; c < kLintCheckCount; ++c)
        cbCheck->addItem(QString::fromLatin1(lintCheckName(static_cast<LintCheck>(c))));
    bar->addWidget(cbCheck);

    sbIgnore = named(new QToolButton(this), QStringLiteral("sbIgnore"));
    sbIgnore->setText(QStringLiteral("C&hecks"));
    // The menu pops up without a loop of its own (QToolButton's menu would run one).
    auto* menu = new QMenu(sbIgnore);
    menu->setObjectName(QStringLiteral("menuChecks"));
    connect(sbIgnore, &QToolButton::clicked, menu,
            [this, menu] { menu->popup(sbIgnore->mapToGlobal(QPoint(0, sbIgnore->height()))); });
    for (int c = 0; c < kLintCheckCount; ++c) {
        QAction* item = menu->addAction(QString::fromLatin1(lintCheckName(static_cast<LintCheck>(c))));
        item->setObjectName(QStringLiteral("itemCheck_") + item->text());
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::toggled, this, [this] {
            if (!commits().commitPending()) return;
            applyOptions();
            writeSettings();
        });
        checkItems.push_back(item);
    }
    bar->addWidget(sbIgnore);

    bar->addWidget(new QLabel(QStringLiteral("Zone range"), this));
    editRangeLow = named(new QLineEdit(this), QStringLiteral("editRangeLow"));
    editRangeHigh = named(new QLineEdit(this), QStringLiteral("editRangeHigh"));
    for (QLineEdit* field : {editRangeLow, editRangeHigh}) {
        field->setFixedWidth(64);
        field->setPlaceholderText(QStringLiteral("auto"));
        bar->addWidget(field);
        commits().watch(field, [this] { return commitRange(); });
        connect(field, &QLineEdit::returnPressed, this, [this, field] { commits().commit(field); });
    }

    listProblems = named(new QTableView(this), QStringLiteral("listProblems"));
    listProblems->setModel(&model_);
    listProblems->setSelectionBehavior(QAbstractItemView::SelectRows);
    listProblems->setSelectionMode(QAbstractItemView::SingleSelection);
    listProblems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listProblems->setWordWrap(false);
    listProblems->verticalHeader()->hide();
    listProblems->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listProblems->horizontalHeader()->setStretchLastSection(true);
    listProblems->setColumnWidth(CheckColumn, 130);
    listProblems->setColumnWidth(RoomColumn, 60);
    listProblems->setColumnWidth(DirectionColumn, 80);
    layout->addWidget(listProblems, 1);

    connect(editFilter, &QLineEdit::textChanged, this, [this] {
        listedVersion_ = ~uint64_t{0};
        refreshList();
    });
    connect(cbCheck, &QComboBox::currentIndexChanged, this, [this] {
        listedVersion_ = ~uint64_t{0};
        refreshList();
    });
    connect(listProblems->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const LintFinding* f = model_.finding(current.row());
                selected_ = f ? std::optional<LintFinding>(*f) : std::nullopt;
            });
    connect(listProblems, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { showFindingRoom(index.row()); });
    connect(listProblems, &QTableView::activated, this,
            [this](const QModelIndex& index) { showFindingRoom(index.row()); });
}

void TfrmProblems::readSettings() {
    settings_.beginGroup(QString::fromLatin1(kSettingsGroup));
    const QStringList ignored = settings_.value(QString::fromLatin1(kIgnoreKey)).toStringList();
    const QString range = settings_.value(QString::fromLatin1(kRangeKey)).toString();
    settings_.endGroup();
    for (QAction* item : checkItems) {
        const QSignalBlocker quiet(item);
        item->setChecked(!ignored.contains(item->text()));
    }
    const QStringList ends = range.split(QLatin1Char('-'));
    const auto low = ends.size() == 2 ? strictToInt(qStringToBytes(ends[0])) : std::nullopt;
    const auto high = ends.size() == 2 ? strictToInt(qStringToBytes(ends[1])) : std::nullopt;
    if (low && high && *low <= *high) {
        editRangeLow->setText(QString::number(*low));
        editRangeHigh->setText(QString::number(*high));
    }
}

void TfrmProblems::writeSettings() {
    QStringList ignored;
    for (QAction* item : checkItems)
        if (!item->isChecked()) ignored << item->text();
    const LintOptions& options = problems_.options();
    settings_.beginGroup(QString::fromLatin1(kSettingsGroup));
    settings_.setValue(QString::fromLatin1(kIgnoreKey), ignored);
    settings_.setValue(QString::fromLatin1(kRangeKey),
                       options.zoneRange ? QString::number(options.zoneRange->first) + QLatin1Char('-') +
                                               QString::number(options.zoneRange->second)
                                         : QString());
    settings_.endGroup();
    settings_.sync();
}

bool TfrmProblems::commitRange() {
    const QString lowText = editRangeLow->text(), highText = editRangeHigh->text();
    if (!lowText.isEmpty() && !highText.isEmpty()) {
        const auto low = strictToIntOrSay(qStringToBytes(lowText), prompts_);
        if (!low) return false;
        const auto high = strictToIntOrSay(qStringToBytes(highText), prompts_);
        if (!high) return false;
        if (*low > *high) {
            prompts_.message("The zone range's first number must not be above its second.");
            return false;
        }
    } else if (!lowText.isEmpty() || !highText.isEmpty()) {
        // Half a range waits for its other end.
        return true;
    }
    editRangeLow->setModified(false);
    editRangeHigh->setModified(false);
    applyOptions();
    writeSettings();
    return true;
}

void TfrmProblems::applyOptions() {
    LintOptions options;
    for (size_t c = 0; c < checkItems.size(); ++c) options.enabled[c] = checkItems[c]->isChecked();
    const auto low = strictToInt(qStringToBytes(editRangeLow->text()));
    const auto high = strictToInt(qStringToBytes(editRangeHigh->text()));
    if (low && high && *low <= *high) options.zoneRange = std::pair{*low, *high};
    if (flagNames_) options.flagNames = flagNames_();
    problems_.setOptions(options);
    refreshList();
}

void TfrmProblems::zoneHeaderChanged() {
    problems_.recomputeAll();
    refreshList();
}

void TfrmProblems::worldAdopted() {
    problems_.recomputeAll();
    refreshList();
}

void TfrmProblems::roomDeleting(RoomDataType& room) {
    problems_.forget(room);
    // The zone's last room: a load that reads nothing or a New Area left unfinished
    // announces no new zone, and the list must not go on naming the rooms that were.
    if (store_.size() == 1)
        QTimer::singleShot(0, this, [this] {
            if (!store_.empty()) return;
            problems_.recomputeAll();
            refreshList();
        });
}

void TfrmProblems::zoneChanged(const TouchedRooms& touched) {
    problems_.roomsTouched(touched);
    refreshList();
}

void TfrmProblems::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    refreshList();
}

bool TfrmProblems::passesFilter(const LintFinding& f) const {
    if (cbCheck->currentIndex() > 0 && static_cast<int>(f.check) != cbCheck->currentIndex() - 1) return false;
    const QString words = editFilter->text().trimmed();
    if (words.isEmpty()) return true;
    const QString line = checkText(f) + QLatin1Char(' ') + QString::number(f.room) + QLatin1Char(' ') +
                         directionText(f) + QLatin1Char(' ') + bytesToQString(f.message);
    for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!line.contains(word, Qt::CaseInsensitive)) return false;
    return true;
}

// The list is rebuilt only while it is shown; a hidden window lets go of its rows (they
// point into the findings) and catches up when it opens.
void TfrmProblems::refreshList() {
    if (!isVisible()) {
        if (model_.rowCount() > 0) model_.setRows({});
        listedVersion_ = ~uint64_t{0};
        return;
    }
    if (listedVersion_ == problems_.version()) return;
    listedVersion_ = problems_.version();
    std::vector<const LintFinding*> rows = problems_.rows();
    if (cbCheck->currentIndex() > 0 || !editFilter->text().trimmed().isEmpty())
        std::erase_if(rows, [this](const LintFinding* f) { return !passesFilter(*f); });
    // The finding selected stays selected when it is still listed.
    int keep = -1;
    if (selected_)
        for (size_t i = 0; i < rows.size() && keep < 0; ++i) {
            const LintFinding& f = *rows[i];
            if (f.room == selected_->room && f.check == selected_->check && f.direction == selected_->direction &&
                f.message == selected_->message)
                keep = static_cast<int>(i);
        }
    const std::optional<LintFinding> selected = selected_;
    model_.setRows(std::move(rows));
    setWindowTitle(QStringLiteral("Problems (%1)").arg(model_.rowCount()));
    if (keep >= 0) listProblems->setCurrentIndex(model_.index(keep, CheckColumn));
    selected_ = keep >= 0 ? selected : std::nullopt;
}

void TfrmProblems::showFindingRoom(int row) {
    const LintFinding* f = model_.finding(row);
    if (!f || !navigate_) return;
    // What any window holds typed reaches its data before another room is shown.
    if (!CommitPath::commitEverywhere()) return;
    if (RoomIndexNode* node = store_.findByVnum(f->room)) navigate_(*node);
}
