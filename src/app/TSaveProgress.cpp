#include "app/TSaveProgress.h"

#include <QCoreApplication>
#include <QEvent>

#include <exception>

namespace
{

constexpr qint64 QuietMilliseconds = 500;   // saves quicker than this show nothing
constexpr qint64 RefreshMilliseconds = 100; // at most this often afterwards

} // namespace

TSaveProgress::TSaveProgress(QObject &window, std::function<void(const QString &)> show,
                             QString action, QString shownBefore)
    : FWindow(window), FShow(std::move(show)), FAction(std::move(action)),
      FShownBefore(std::move(shownBefore)), FUncaughtAtStart(std::uncaught_exceptions())
{
    FStarted.start();
    FWindow.installEventFilter(this);
}

TSaveProgress::~TSaveProgress()
{
    FWindow.removeEventFilter(this);
    if (FShown && std::uncaught_exceptions() > FUncaughtAtStart)
        FShow(FShownBefore);
}

TTagProgress TSaveProgress::Callback()
{
    return [this](qint64 done, qint64 total) { Report(done, total); };
}

void TSaveProgress::LetPaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSaveProgress::Report(qint64 done, qint64 total)
{
    if (FStarted.elapsed() < QuietMilliseconds)
        return;
    if (FShown && FLastShown.elapsed() < RefreshMilliseconds && done < total)
        return;
    FShown = true;
    FLastShown.start();
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    FShow(QStringLiteral("%1 %2%").arg(FAction).arg(percent));
    LetPaint();
}

bool TSaveProgress::eventFilter(QObject *watched, QEvent *event)
{
    // The window holds the file being written: it stays open until the save is over.
    if (watched == &FWindow && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
