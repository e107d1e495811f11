// The progress of a long save of a recording or picture: after about half a second
// the status bar shows how far the save is and the window is repainted as it goes.
// User input waits until the save is over and the window does not close meanwhile.
// A save that fails after progress was shown puts the text shown before it back, so
// that no stale percentage is left standing as if the save were still going on.
#pragma once

#include "media/TagProgress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>

class TSaveProgress : public QObject
{
public:
    // show receives "<action> <n>%"; window is kept from closing while this lives.
    // shownBefore is the text show replaced: it comes back when this dies by an error.
    TSaveProgress(QObject &window, std::function<void(const QString &)> show, QString action,
                  QString shownBefore);
    ~TSaveProgress() override;
    TSaveProgress(const TSaveProgress &) = delete;
    TSaveProgress &operator=(const TSaveProgress &) = delete;

    // The callback to hand to the save; valid while this object lives.
    TTagProgress Callback();

    // Lets pending window events run once (painting, layout), without user input.
    static void LetPaint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Report(qint64 done, qint64 total);

    QObject &FWindow;
    std::function<void(const QString &)> FShow;
    QString FAction;
    QString FShownBefore;
    int FUncaughtAtStart = 0;
    QElapsedTimer FStarted;
    QElapsedTimer FLastShown;
    bool FShown = false;
};
