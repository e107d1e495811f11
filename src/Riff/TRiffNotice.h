// Something a load noticed about a file that is not plain, standard RIFF.
#pragma once

#include "Riff/TFourCC.h"

#include <QString>

struct TRiffNotice {
    enum class TKind {
        HeaderId,   // the first four bytes are not "RIFF"
        HeaderSize, // the header size field disagrees with the file length
        MissingPad, // an odd-length chunk is not followed by its zero pad byte
        RepeatedId, // a chunk id seen before in the same file
        PastEnd,    // a chunk's declared length runs past the end of the file (load refused)
        TooLarge,   // the file does not fit the 32-bit size fields (load refused)
    };
    TKind Kind;
    TFourCC ChunkID;   // the chunk concerned; the header id for HeaderId
    qint64 Offset = 0; // file offset of the chunk header (0 for the file header)
    qint64 Size = 0;   // the chunk's declared data length (header size field for HeaderSize)
    QString Text;      // one line for people, e.g. for `orvane-tag show`
};
