// The program's application object: the last line of the general error report. An error
// escaping an event handler that did not run under TfrmOrvane::RunGuarded ends that handler
// here and is shown by the report the main window installs; the event loop goes on.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

class TOrvaneApplication : public QApplication
{
    Q_OBJECT

public:
    TOrvaneApplication(int &argc, char **argv);

    // Shows an escaped error; until set, the error is printed on stderr.
    std::function<void(const std::exception &)> ReportError;

    bool notify(QObject *receiver, QEvent *event) override;
};
