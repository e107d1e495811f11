// Fuzzes what a picture's bytes go through when it is opened or tagged: the marker
// walk, the search for the station document, the plain last-comment read and the
// comment insertion, which must always leave a document that is found again.
#include "media/JpgComment.h"
#include "media/JpgLayout.h"
#include "media/JpgStationDocument.h"
#include "media/JpgTagging.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TJpgLayout layout = WalkJpgLayout(bytes);
    FindStationDocument(bytes);
    TByteStream stream(bytes);
    try {
        ExtractComment(stream);
    } catch (const EStreamError &) {
        // A length running past the end is an expected outcome.
    }
    static const QByteArray document = "<KOVA_Station><TitleBlock/></KOVA_Station>";
    QByteArray tagged;
    try {
        tagged = InsertJpgComment(bytes, document);
    } catch (const std::runtime_error &) {
        return 0; // not a picture that can take a comment
    }
    // Every byte of the picture is kept around the new segment, which is found again.
    const qint64 at = layout.EndOfImage >= 0 ? layout.EndOfImage : bytes.size();
    const qint64 added = document.size() + 4 + (layout.EndOfImage >= 0 ? 0 : 2);
    if (tagged.size() != bytes.size() + added || tagged.left(at) != bytes.left(at) ||
        tagged.mid(at + document.size() + 4, bytes.size() - at) != bytes.mid(at) ||
        !FindStationDocument(tagged))
        std::abort();
    return 0;
}
