// A station document read from an SML file, turned into the text that tagging a
// recording or picture writes, exactly as the window's "Tag && Save" writes it.
#pragma once

#include "media/MediaKind.h"

#include "sml/TXMLDocument.h"

#include <QString>

#include <memory>

class TTagDocument
{
public:
    // Loads the SML file. Throws std::runtime_error ("<file>: <reason>") when it cannot
    // be read, does not parse or its root is not KOVA_Station.
    explicit TTagDocument(const QString &smlFileName);

    // The text to embed into writtenFile: the title block's Files element records the
    // SML file's full path as SML and writtenFile's full path as WAV or JPG (after
    // kind), the other media name keeps the SML file's value (so one file of a batch
    // never records another), then the document is re-indented for display. Throws on
    // an Unknown kind.
    QString TextFor(TMediaKind kind, const QString &writtenFile);

private:
    QString FSmlFileName;
    QString FWavFileName; // as the SML file holds them
    QString FJpgFileName;
    std::unique_ptr<TXMLDocument> FDocument;
};
