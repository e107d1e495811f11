#include "cli/TagCommands.h"

#include "media/AtomicFile.h"
#include "media/EmbeddedText.h"
#include "media/JpgTagging.h"
#include "media/MediaKind.h"
#include "media/WavTagging.h"

#include <QRegularExpression>

namespace
{

// The text goes out as UTF-8: a declaration naming another encoding would make the
// next reader decode it wrongly, so it is made to say UTF-8.
QString declaringUtf8(QString text)
{
    static const QRegularExpression declared(
        QStringLiteral("^(\\s*<\\?xml[^>]*?\\sencoding\\s*=\\s*)([\"'])([^\"']*)\\2"));
    const auto match = declared.match(text);
    if (match.hasMatch() && match.captured(3).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive))
        text.replace(match.capturedStart(3), match.capturedLength(3), QStringLiteral("UTF-8"));
    return text;
}

} // namespace

int RunExtract(const TTagOptions &options, TTagConsole &console)
{
    const QString fileName = options.Files.first();
    try {
        const TMediaKind kind = MediaKindOfFile(fileName);
        std::optional<QString> text;
        if (kind == TMediaKind::Wav) {
            if (const auto bytes = ReadWavStationBytes(fileName))
                text = DecodeEmbeddedText(*bytes);
        } else if (kind == TMediaKind::Jpg) {
            if (const auto document = ReadJpgStationDocument(fileName))
                text = document->Text;
        } else {
            throw std::runtime_error("not a WAV or JPG file");
        }
        if (!text) {
            console.Error(fileName, QStringLiteral("no SML document"));
            return 3;
        }
        const QByteArray bytes = declaringUtf8(*text).toUtf8();
        if (options.Output.isEmpty())
            console.Out(bytes);
        else
            WriteFileAtomically(options.Output, bytes);
        return 0;
    } catch (const std::exception &e) {
        console.Error({fileName, options.Output}, e);
        return 1;
    }
}
