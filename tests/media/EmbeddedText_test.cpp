// The codec of embedded documents: written as UTF-8 with CR LF, read back from
// whatever a tagging program on another system may have written.
#include "media/EmbeddedText.h"

#include <gtest/gtest.h>

namespace
{

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

TEST(EncodeEmbeddedText, WritesUtf8WithCrLfAndNothingElse)
{
    struct Case {
        const char *name;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"empty", QString(), QByteArray()},
        {"LF, CR and CR LF all become CR LF", QStringLiteral("a\nb\rc\r\nd\n"),
         "a\r\nb\r\nc\r\nd\r\n"},
        {"no byte-order mark, multi-byte UTF-8", QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"),
         hex("c3a9e282ac")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EncodeEmbeddedText(c.text).toHex(), c.bytes.toHex()) << c.name;
}

TEST(DecodeEmbeddedText, MarkThenDeclarationThenUtf8ThenWindows1252)
{
    const QString euroE = QString::fromUtf8("<a>\xE2\x82\xAC\xC3\xA9</a>");
    struct Case {
        const char *name;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"empty", {}, QString()},
        {"valid UTF-8", "<a>\xE2\x82\xAC\xC3\xA9</a>", euroE},
        {"not UTF-8: Windows-1252", "<a>\x80\xE9</a>", euroE},
        {"undefined 1252 bytes stay as controls", "\x81\x9D",
         QString::fromUtf8("\xC2\x81\xC2\x9D")},
        {"UTF-8 mark dropped", "\xEF\xBB\xBF<a>\xE2\x82\xAC\xC3\xA9</a>", euroE},
        {"UTF-16 LE mark", hex("fffe3c006100") + hex("3e00ac20e9003c002f0061003e00"), euroE},
        {"UTF-16 BE mark", hex("feff003c0061003e20ac00e9003c002f0061003e"), euroE},
        {"UTF-16 LE without mark", hex("3c003f00") + hex("78006d006c003f003e00"),
         QStringLiteral("<?xml?>")},
        {"declared ISO-8859-15", "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><a>\xA4</a>",
         QString::fromUtf8("<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><a>\xE2\x82\xAC</a>")},
        {"declared windows-1252", "<?xml version='1.0' encoding='windows-1252'?>\x80",
         QString::fromUtf8("<?xml version='1.0' encoding='windows-1252'?>\xE2\x82\xAC")},
        {"declared UTF-16 in single bytes is not believed",
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\xC3\xA9</a>",
         QString::fromUtf8("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\xC3\xA9</a>")},
        {"declared UTF-8 but not UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\xE9",
         QString::fromUtf8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\xC3\xA9")},
        {"unknown declared name: bytes decide", "<?xml encoding=\"x-nothing\"?>\xE9",
         QString::fromUtf8("<?xml encoding=\"x-nothing\"?>\xC3\xA9")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DecodeEmbeddedText(c.bytes), c.text) << c.name;
}

TEST(EmbeddedText, RoundTripsAnyText)
{
    const QString text =
        QString::fromUtf8("<KOVA_Station>\r\n\t\xF0\x9F\x93\xA1 \xC3\x9F\r\n</KOVA_Station>");
    EXPECT_EQ(DecodeEmbeddedText(EncodeEmbeddedText(text)), text);
}

} // namespace
