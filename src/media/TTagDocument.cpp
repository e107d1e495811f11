#include "media/TTagDocument.h"

#include "sml/FormatXMLData.h"
#include "sml/KOVA_SML.h"

#include <QFileInfo>

#include <stdexcept>

namespace
{

// The window's document options, without writing back to the SML file on close:
// tagging never changes the document file.
constexpr TXMLDocOptions tagOptions = TXMLDocOptions(TXMLDocOption::doNodeAutoCreate) |
                                      TXMLDocOption::doNodeAutoIndent | TXMLDocOption::doAttrNull |
                                      TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl;

} // namespace

TTagDocument::TTagDocument(const QString &smlFileName)
    : FSmlFileName(QFileInfo(smlFileName).absoluteFilePath()),
      FDocument(std::make_unique<TXMLDocument>(tagOptions))
{
    try {
        FDocument->LoadFromFile(smlFileName);
        const auto station = GetKOVA_Station(*FDocument);
        if (!station->NamespaceURI().isEmpty())
            throw std::runtime_error(QStringLiteral("the root element KOVA_Station is in the "
                                                    "namespace \"%1\"; a station document has none")
                                         .arg(station->NamespaceURI())
                                         .toStdString());
        const auto files = station->Get_TitleBlock()->Get_Files();
        FWavFileName = files->Get_WAV();
        FJpgFileName = files->Get_JPG();
    } catch (const std::exception &e) {
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(smlFileName, QString::fromUtf8(e.what())).toStdString());
    }
}

QString TTagDocument::TextFor(TMediaKind kind, const QString &writtenFile)
{
    if (kind == TMediaKind::Unknown)
        throw std::invalid_argument("TTagDocument::TextFor: no media kind");
    const auto files = GetKOVA_Station(*FDocument)->Get_TitleBlock()->Get_Files();
    const QString written = QFileInfo(writtenFile).absoluteFilePath();
    files->Set_SML(FSmlFileName);
    files->Set_WAV(kind == TMediaKind::Wav ? written : FWavFileName);
    files->Set_JPG(kind == TMediaKind::Jpg ? written : FJpgFileName);
    return FormatXMLData(FDocument->XML().join(QStringLiteral("\r\n")));
}
