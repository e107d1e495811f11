#include "about/OrvaneIcon.h"

QIcon OrvaneIcon()
{
    // The resources live in a static library: register them before the first use.
    Q_INIT_RESOURCE(about);
    return QIcon(QStringLiteral(":/orvane/orvane.svg"));
}
