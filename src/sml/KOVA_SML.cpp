#include "sml/KOVA_SML.h"

KOVA_DEFINE_CONSTRUCTION(KOVA_Station_EquipmentSetup)
KOVA_DEFINE_CONSTRUCTION(KOVA_Station)

IXMLKOVA_Station GetKOVA_Station(TXMLDocument &Doc)
{
    return XMLNodeAs<TXMLKOVA_Station>(
        Doc.GetDocBinding<TXMLKOVA_Station>(QStringLiteral("KOVA_Station"), QString()));
}
