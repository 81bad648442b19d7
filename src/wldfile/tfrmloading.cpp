#include "wldfile/tfrmloading.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "uibase/byte_text.h"

TfrmLoading::TfrmLoading(QWidget* parent) : SecondaryWindow(parent, Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmLoading"));
    setCentring(Centring::EveryOpen);
    // Only closing the window cancels a read; a stray Escape does not.
    setClosesOnEscape(false);

    Label1 = new QLabel(QStringLiteral("Loading..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblPercent = new QLabel(QStringLiteral("0%"), this);
    lblPercent->setObjectName(QStringLiteral("lblPercent"));
    lblPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    pnlBar = new QFrame(this);
    pnlBar->setObjectName(QStringLiteral("pnlBar"));
    pnlBar->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    pnlBar->setFixedSize(kBarFrameWidth, kBarFrameHeight);
    shpBar = new QWidget(pnlBar);
    shpBar->setObjectName(QStringLiteral("shpBar"));
    shpBar->setAutoFillBackground(true);
    QPalette black = shpBar->palette();
    black.setColor(QPalette::Window, Qt::black);
    shpBar->setPalette(black);
    shpBar->setGeometry(0, 0, 0, kBarFrameHeight);

    auto* labels = new QHBoxLayout;
    labels->addWidget(Label1);
    labels->addStretch(1);
    labels->addWidget(lblPercent);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(pnlBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmLoading::show() {
    openFrom(nullptr);
    repaint();
}

void TfrmLoading::hide() {
    QWidget::hide();
    lastTitle_.invalidate();  // the next read shows its first room's number at once
}

// A read calls these once per room. Every call that reaches the window system costs a
// round trip (on X11, 100,000 titles and repaints take half a minute), so the title
// follows at most every 50 ms and the bar repaints only when its percentage moves.
void TfrmLoading::setTitle(const std::string& title) {
    if (lastTitle_.isValid() && lastTitle_.elapsed() < kRefreshMs) return;
    setWindowTitle(bytesToQString(title));
    lastTitle_.start();
}

void TfrmLoading::setProgress(int percentage) {
    if (percentage < 0 || percentage > 100) return;
    if (percentage != shownPercentage_) {
        shownPercentage_ = percentage;
        shpBar->setGeometry(0, 0, kBarFrameWidth * percentage / 100, kBarFrameHeight);
        lblPercent->setText(QString::asprintf("%3d%%", percentage));
        repaint();
    }
    if (!lastEvents_.isValid() || lastEvents_.elapsed() >= kRefreshMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        lastEvents_.start();
    }
}

bool TfrmLoading::aboutToClose() {
    cancelRequested_ = true;
    return true;
}
