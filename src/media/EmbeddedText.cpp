#include "media/EmbeddedText.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace
{

// Windows-1252 code points of the bytes 80..9F; the five bytes the code page leaves
// undefined map to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

// Decodes with a Qt codec; nullopt-like empty result flagged through ok.
QString decodeQt(QStringConverter::Encoding encoding, const QByteArray &bytes, bool &ok)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    ok = !decoder.hasError();
    return text;
}

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};

// Decodes through the C library's converters; false when the name is unknown or the
// bytes do not convert.
bool decodeIconv(const QByteArray &name, const QByteArray &bytes, QString &text)
{
    const iconv_t raw = iconv_open("UTF-16LE", name.constData());
    if (raw == reinterpret_cast<iconv_t>(-1))
        return false;
    const std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser> cd(raw);
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 4 + 16, '\0');
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return false;
    const qsizetype units = (out.size() - static_cast<qsizetype>(outLeft)) / 2;
    text = QString(reinterpret_cast<const QChar *>(out.constData()), units);
    return true;
}

bool startsWith(const QByteArray &bytes, std::initializer_list<unsigned char> prefix)
{
    if (bytes.size() < static_cast<qsizetype>(prefix.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char b : prefix)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

// The encoding named by an XML declaration written in an ASCII-compatible encoding.
QByteArray declaredEncoding(const QByteArray &bytes)
{
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    const QByteArray declaration = bytes.left(end < 0 ? 200 : end);
    static const QRegularExpression pattern(
        QStringLiteral("\\sencoding\\s*=\\s*[\"']([A-Za-z][A-Za-z0-9._:-]*)[\"']"));
    const auto match = pattern.match(QString::fromLatin1(declaration));
    return match.hasMatch() ? match.captured(1).toLatin1().toUpper() : QByteArray();
}

} // namespace

QByteArray EncodeEmbeddedText(const QString &text)
{
    QString normalised;
    normalised.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            normalised.append(QLatin1String("\r\n"));
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            normalised.append(QLatin1String("\r\n"));
        } else {
            normalised.append(c);
        }
    }
    return normalised.toUtf8();
}

QString DecodeEmbeddedText(const QByteArray &bytes)
{
    using E = QStringConverter::Encoding;
    struct Bom {
        std::initializer_list<unsigned char> bytes;
        E encoding;
    };
    // Longest marks first: the UTF-32 LE mark begins with the UTF-16 LE one.
    static const Bom boms[] = {{{0xFF, 0xFE, 0x00, 0x00}, E::Utf32LE},
                               {{0x00, 0x00, 0xFE, 0xFF}, E::Utf32BE},
                               {{0xEF, 0xBB, 0xBF}, E::Utf8},
                               {{0xFF, 0xFE}, E::Utf16LE},
                               {{0xFE, 0xFF}, E::Utf16BE}};
    for (const Bom &bom : boms) {
        if (startsWith(bytes, bom.bytes)) {
            bool ok = false;
            const QString text =
                decodeQt(bom.encoding, bytes.mid(static_cast<qsizetype>(bom.bytes.size())), ok);
            if (ok || bom.encoding != E::Utf8)
                return text;
            return decodeWindows1252(bytes.mid(3));
        }
    }
    // Sixteen-bit text without a mark still opens with "<?" in its byte order.
    if (startsWith(bytes, {'<', 0x00, '?', 0x00}) || startsWith(bytes, {0x00, '<', 0x00, '?'})) {
        bool ok = false;
        return decodeQt(bytes[0] == '<' ? E::Utf16LE : E::Utf16BE, bytes, ok);
    }

    bool utf8 = false;
    QString asUtf8 = decodeQt(E::Utf8, bytes, utf8);
    const QByteArray declared = declaredEncoding(bytes);
    // A readable single-byte declaration that names a 16- or 32-bit encoding cannot be
    // true (documents serialised to a string carry one): the bytes decide then.
    if (!declared.isEmpty() && !declared.startsWith("UTF-16") && !declared.startsWith("UTF-32") &&
        !declared.startsWith("UCS") && declared != "UTF-8" && declared != "UTF8") {
        if (declared == "WINDOWS-1252" || declared == "CP1252")
            return decodeWindows1252(bytes);
        QString text;
        if (decodeIconv(declared, bytes, text))
            return text;
    }
    return utf8 ? asUtf8 : decodeWindows1252(bytes);
}
