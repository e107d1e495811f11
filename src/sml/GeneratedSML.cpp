#include "sml/GeneratedSML.h"

#include "sml/TXMLDocument.h"

#include <cstddef>

namespace orvane_resources
{
// Compiled from resources/GeneratedSML.xml (see resources/resources.cmake).
extern const unsigned char GeneratedSMLData[];
extern const std::size_t GeneratedSMLSize;
} // namespace orvane_resources

QByteArray GeneratedSML()
{
    // The bytes live in the program image for its whole run: no copy needed.
    return QByteArray::fromRawData(
        reinterpret_cast<const char *>(orvane_resources::GeneratedSMLData),
        static_cast<qsizetype>(orvane_resources::GeneratedSMLSize));
}

void LoadGeneratedSML(TXMLDocument &Doc)
{
    Doc.LoadFromStream(GeneratedSML());
}
