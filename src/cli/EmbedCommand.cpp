#include "cli/TagCommands.h"

#include "media/JpgTagging.h"
#include "media/MediaKind.h"
#include "media/TTagDocument.h"
#include "media/WavTagging.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <memory>

int RunEmbed(const TTagOptions &options, TTagConsole &console)
{
    std::unique_ptr<TTagDocument> document;
    try {
        document = std::make_unique<TTagDocument>(options.Sml);
    } catch (const std::exception &e) {
        console.Error({options.Sml}, e);
        return 1;
    }
    if (!options.OutputDir.isEmpty() && !QFileInfo(options.OutputDir).isDir()) {
        console.Error(options.OutputDir, QStringLiteral("not a folder"));
        return 1;
    }

    int status = 0;
    // Two inputs of the same name from different folders would land on one output in
    // --output-dir: the second is refused so the first one's tagged copy is kept.
    QSet<QString> written;
    const int count = static_cast<int>(options.Files.size());
    for (int i = 0; i < count; ++i) {
        const QString &source = options.Files[i];
        const QString target = !options.Output.isEmpty() ? options.Output
                               : !options.OutputDir.isEmpty()
                                   ? QDir(options.OutputDir).filePath(QFileInfo(source).fileName())
                                   : source;
        console.BeginFile(i + 1, count, source);
        try {
            const QString output = QFileInfo(target).absoluteFilePath();
            if (written.contains(output))
                throw std::runtime_error("an earlier file of this call was written to " +
                                         QDir::toNativeSeparators(target).toStdString());
            const TMediaKind kind = MediaKindOfFile(source);
            if (kind == TMediaKind::Unknown)
                throw std::runtime_error("not a WAV or JPG file");
            const QString text = document->TextFor(kind, target);
            if (kind == TMediaKind::Wav)
                TagWavFile(source, target, text, console.BytesProgress());
            else
                TagJpgFile(source, target, text, console.BytesProgress());
            written.insert(output);
        } catch (const std::exception &e) {
            console.Error({source, target}, e);
            status = 1;
        }
    }
    console.EndProgress();
    return status;
}
