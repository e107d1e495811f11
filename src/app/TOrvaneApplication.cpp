#include "app/TOrvaneApplication.h"

#include <cstdio>

TOrvaneApplication::TOrvaneApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TOrvaneApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        if (ReportError)
            ReportError(e);
        else
            std::fprintf(stderr, "Orvane: %s\n", e.what());
        return false;
    }
}
