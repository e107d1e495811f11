// Program entry: creates the main window (which loads the last SML file or the default
// document), then the About box, and runs the event loop until the main window closes.
#include "about/OrvaneIcon.h"
#include "about/TfrmAbout.h"
#include "app/TOrvaneApplication.h"
#include "app/TQtUserDialogs.h"
#include "app/TfrmOrvane.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    TOrvaneApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setOrganizationName(QStringLiteral("KOVA Net"));
    QApplication::setWindowIcon(OrvaneIcon());

    TfrmOrvane frmOrvane(std::make_unique<TQtUserDialogs>());
    app.ReportError = [&frmOrvane](const std::exception &e) { frmOrvane.ReportError(e); };
    TfrmAbout frmAbout(&frmOrvane); // a dialog of the main window: it never outlives it
    frmOrvane.ShowAbout = [&frmAbout] { frmAbout.ShowVersion(); };
    frmOrvane.show();
    return QApplication::exec();
}
