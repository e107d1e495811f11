#include "app/ErrorReport.h"

namespace
{

// The innermost error of a chain built with std::throw_with_nested.
QString InnermostMessage(const std::exception &e)
{
    try {
        std::rethrow_if_nested(e);
    } catch (const std::exception &inner) {
        return InnermostMessage(inner);
    } catch (...) {
        // A nested object that is no std::exception carries no text: the outer one is reported.
    }
    return QString::fromUtf8(e.what());
}

} // namespace

QString ErrorReportText(const std::exception &e)
{
    QString text = InnermostMessage(e);
    if (!text.isEmpty() && text.back().unicode() > u'.')
        text += QLatin1Char('.');
    return text;
}
