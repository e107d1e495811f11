#include "about/BitnessSuffix.h"

QString BitnessSuffix()
{
    return QStringLiteral(" (%1 Bit)").arg(sizeof(void *) * 8);
}
