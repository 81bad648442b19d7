#pragma once
// The progress window of a world-file read: the room being read in the title, a
// percentage and a black bar in a sunken frame. It has no cancel button: closing the
// window is the request to cancel, which the reader looks at between rooms.
#include <QElapsedTimer>
#include <string>

#include "uibase/secondary_window.h"
#include "world/prompts.h"

class QFrame;
class QLabel;

class TfrmLoading : public SecondaryWindow, public LoadProgress {
    Q_OBJECT
public:
    explicit TfrmLoading(QWidget* parent = nullptr);

    static constexpr int kBarFrameWidth = 320;
    static constexpr int kBarFrameHeight = 25;

    // LoadProgress
    void show() override;  // centred on the screen, painted at once
    void hide() override;
    void setTitle(const std::string& title) override;
    // Sets the bar and the percentage and repaints at once; values outside 0..100 are
    // ignored. Pending window events (not the user's keys and clicks, but the close
    // request) are handled at most every 50 ms, so that a long read keeps the window
    // drawn and a close can cancel it.
    void setProgress(int percentage) override;
    bool cancelRequested() override { return cancelRequested_; }
    void clearCancel() override { cancelRequested_ = false; }

    QLabel* Label1;      // "Loading..."
    QLabel* lblPercent;  // "%3d%"
    QFrame* pnlBar;      // the sunken frame
    QWidget* shpBar;     // the black bar inside it

protected:
    bool aboutToClose() override;

private:
    bool cancelRequested_ = false;
    static constexpr int kRefreshMs = 50;
    QElapsedTimer lastEvents_;
    QElapsedTimer lastTitle_;
    int shownPercentage_ = 0;
};
