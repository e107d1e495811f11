#include "cli/TagCommands.h"

#include "media/EmbeddedText.h"
#include "media/JpgLayout.h"
#include "media/JpgStationDocument.h"
#include "media/MediaKind.h"
#include "media/TByteStream.h"
#include "media/WavTagging.h"

#include "sml/KOVA_SML.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{

QString noticeKind(TRiffNotice::TKind kind)
{
    using K = TRiffNotice::TKind;
    switch (kind) {
    case K::HeaderId:
        return QStringLiteral("headerId");
    case K::HeaderSize:
        return QStringLiteral("headerSize");
    case K::MissingPad:
        return QStringLiteral("missingPad");
    case K::RepeatedId:
        return QStringLiteral("repeatedId");
    case K::PastEnd:
        return QStringLiteral("pastEnd");
    case K::TooLarge:
        return QStringLiteral("tooLarge");
    }
    return QStringLiteral("other");
}

QString chunkId(const TFourCC &id)
{
    return id.Display();
}

// Loads the embedded document as the window does (bytes for a WAV chunk, decoded
// text for a picture comment) and reads the items a script wants to see.
void describeDocument(QJsonObject &out, const QByteArray &bytes, TMediaKind kind)
{
    out[QStringLiteral("hasSml")] = true;
    out[QStringLiteral("smlBytes")] = static_cast<double>(bytes.size());
    TXMLDocument document;
    try {
        if (kind == TMediaKind::Wav)
            document.LoadFromStream(bytes);
        else
            document.LoadFromXML(DecodeEmbeddedText(bytes));
        const auto station = GetKOVA_Station(document);
        const auto title = station->Get_TitleBlock();
        out[QStringLiteral("smlLoads")] = true;
        out[QStringLiteral("targetName")] = title->Get_Target()->Get_TargetName();
        out[QStringLiteral("createdDate")] = title->Get_CreatedOn()->Get_Date();
        out[QStringLiteral("createdTime")] = title->Get_CreatedOn()->Get_Time();
        const auto files = title->Get_Files();
        out[QStringLiteral("smlFile")] = files->Get_SML();
        out[QStringLiteral("wavFile")] = files->Get_WAV();
        out[QStringLiteral("jpgFile")] = files->Get_JPG();
    } catch (const std::exception &e) {
        out[QStringLiteral("smlLoads")] = false;
        out[QStringLiteral("smlError")] = QString::fromUtf8(e.what()).simplified();
    }
}

void describeWav(QJsonObject &out, const QString &fileName)
{
    const TWavSummary summary = InspectWavFile(fileName);
    QJsonArray chunks;
    for (const TWavChunkEntry &chunk : summary.Chunks)
        chunks.append(QJsonObject{{QStringLiteral("id"), chunkId(chunk.Id)},
                                  {QStringLiteral("offset"), static_cast<double>(chunk.Offset)},
                                  {QStringLiteral("size"), static_cast<double>(chunk.Size)}});
    out[QStringLiteral("chunks")] = chunks;
    QJsonArray notices;
    for (const TRiffNotice &notice : summary.Notices)
        notices.append(QJsonObject{{QStringLiteral("kind"), noticeKind(notice.Kind)},
                                   {QStringLiteral("id"), chunkId(notice.ChunkID)},
                                   {QStringLiteral("offset"), static_cast<double>(notice.Offset)},
                                   {QStringLiteral("size"), static_cast<double>(notice.Size)},
                                   {QStringLiteral("text"), notice.Text}});
    out[QStringLiteral("notices")] = notices;
    out[QStringLiteral("validWav")] = summary.HasFormatAndData;
    // A file that does not load still shows the chunks read before the failure and
    // what was noticed there.
    if (!summary.LoadError.isEmpty())
        throw std::runtime_error(summary.LoadError.toStdString());
    if (summary.Document)
        describeDocument(out, *summary.Document, TMediaKind::Wav);
}

void describeJpg(QJsonObject &out, const QString &fileName)
{
    const QByteArray bytes = TByteStream::LoadFromFile(fileName).Bytes();
    const TJpgLayout layout = WalkJpgLayout(bytes);
    const auto document = FindStationDocument(bytes);
    out[QStringLiteral("commentSegments")] = static_cast<int>(layout.Comments.size());
    out[QStringLiteral("documentSegment")] = QJsonValue();
    if (!layout.Problem.isEmpty())
        out[QStringLiteral("layoutProblem")] = layout.Problem;
    if (!document)
        return;
    out[QStringLiteral("documentOffset")] = static_cast<double>(document->Offset);
    for (size_t i = 0; i < layout.Comments.size(); ++i)
        if (layout.Comments[i] == document->Offset)
            out[QStringLiteral("documentSegment")] = static_cast<int>(i + 1);
    describeDocument(out, document->Bytes, TMediaKind::Jpg);
}

QString text(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}
QString number(const QJsonObject &o, const char *key)
{
    return QString::number(static_cast<qint64>(o.value(QLatin1String(key)).toDouble()));
}

// The same facts as the JSON, for people.
QString asText(const QJsonObject &o)
{
    QString s = text(o, "file") + QLatin1Char('\n');
    s += QStringLiteral("  kind: %1\n").arg(text(o, "kind"));
    if (o.contains(QLatin1String("error"))) {
        s += QStringLiteral("  error: %1\n").arg(text(o, "error"));
    } else if (!o.value(QLatin1String("hasSml")).toBool()) {
        s += QStringLiteral("  SML document: none\n");
    } else {
        s += QStringLiteral("  SML document: %1 bytes, %2\n")
                 .arg(number(o, "smlBytes"),
                      o.value(QLatin1String("smlLoads")).toBool()
                          ? QStringLiteral("loads")
                          : QStringLiteral("does not load: ") + text(o, "smlError"));
        if (o.value(QLatin1String("smlLoads")).toBool()) {
            s += QStringLiteral("  target: %1\n").arg(text(o, "targetName"));
            s += QStringLiteral("  created: %1 %2\n")
                     .arg(text(o, "createdDate"), text(o, "createdTime"));
            s += QStringLiteral("  SML file: %1\n  WAV file: %2\n  JPG file: %3\n")
                     .arg(text(o, "smlFile"), text(o, "wavFile"), text(o, "jpgFile"));
        }
    }
    if (o.contains(QLatin1String("chunks"))) {
        s += QStringLiteral("  chunks:\n");
        for (const QJsonValue &c : o.value(QLatin1String("chunks")).toArray())
            s += QStringLiteral("    \"%1\" at %2, %3 bytes\n")
                     .arg(text(c.toObject(), "id"), number(c.toObject(), "offset"),
                          number(c.toObject(), "size"));
        for (const QJsonValue &n : o.value(QLatin1String("notices")).toArray())
            s += QStringLiteral("  noticed: %1\n").arg(text(n.toObject(), "text"));
    }
    if (o.contains(QLatin1String("commentSegments"))) {
        const QJsonValue segment = o.value(QLatin1String("documentSegment"));
        s += QStringLiteral("  comment segments: %1%2\n")
                 .arg(number(o, "commentSegments"),
                      segment.isDouble()
                          ? QStringLiteral(", document in segment %1").arg(segment.toInt())
                          : QString());
    }
    return s;
}

} // namespace

int RunShow(const TTagOptions &options, TTagConsole &console)
{
    int status = 0;
    QJsonArray all;
    for (const QString &fileName : options.Files) {
        QJsonObject out{{QStringLiteral("file"), fileName},
                        {QStringLiteral("kind"), QStringLiteral("unknown")},
                        {QStringLiteral("hasSml"), false}};
        try {
            const TMediaKind kind = MediaKindOfFile(fileName);
            out[QStringLiteral("kind")] = MediaKindName(kind);
            if (kind == TMediaKind::Wav)
                describeWav(out, fileName);
            else if (kind == TMediaKind::Jpg)
                describeJpg(out, fileName);
            else
                throw std::runtime_error("not a WAV or JPG file");
        } catch (const std::exception &e) {
            QString reason = QString::fromUtf8(e.what()).simplified();
            if (reason.startsWith(fileName + QLatin1String(": ")))
                reason = reason.mid(fileName.size() + 2);
            out[QStringLiteral("error")] = reason;
            console.Error({fileName}, e);
            status = 1;
        }
        if (options.Json)
            all.append(out);
        else
            console.Out(asText(out));
    }
    if (options.Json)
        console.Out(QJsonDocument(all).toJson(QJsonDocument::Indented));
    return status;
}
