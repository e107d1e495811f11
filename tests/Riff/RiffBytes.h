// Builds small RIFF files byte by byte for the container tests.
#pragma once

#include "Riff/TRiffRW.h"

#include <QByteArray>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace riffbytes
{

// A literal with embedded zero bytes, without its terminator.
template <size_t N> QByteArray B(const char (&text)[N])
{
    return QByteArray(text, int(N - 1));
}

// The file with its header size set to match its length.
inline QByteArray LE32(quint32 v);
inline QByteArray Fixed(QByteArray file);

inline QByteArray LE32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray Fixed(QByteArray file)
{
    file.replace(4, 4, LE32(quint32(file.size() - 8)));
    return file;
}

// One chunk: id, data, and whether a zero pad byte follows odd data.
struct Chunk {
    QByteArray id;
    QByteArray data;
    bool pad = true;
};

inline QByteArray ChunkBytes(const Chunk &c)
{
    QByteArray b = c.id + LE32(quint32(c.data.size())) + c.data;
    if (c.pad && (c.data.size() & 1))
        b += '\0';
    return b;
}

// A whole file: "RIFF", the correct size, the form type and the chunks.
inline QByteArray Riff(const QByteArray &form, const std::vector<Chunk> &chunks)
{
    QByteArray body = form;
    for (const Chunk &c : chunks)
        body += ChunkBytes(c);
    return "RIFF" + LE32(quint32(body.size())) + body;
}

inline QByteArray Id(const TFourCC &id)
{
    return QByteArray(id.Data(), 4);
}

// The container's chunks as (id, bytes), in order.
inline std::vector<std::pair<QByteArray, QByteArray>> Contents(TRiffRW &riff)
{
    std::vector<std::pair<QByteArray, QByteArray>> out;
    for (int i = 0; i < riff.GetChunkCount(); ++i)
        out.emplace_back(Id(riff.GetChunkName(i)), riff.ReadChunk(i));
    return out;
}

inline std::vector<std::pair<QByteArray, QByteArray>> Contents(const std::vector<Chunk> &chunks)
{
    std::vector<std::pair<QByteArray, QByteArray>> out;
    for (const Chunk &c : chunks)
        out.emplace_back(c.id, c.data);
    return out;
}

// A deterministic byte pattern standing for audio.
inline QByteArray Pattern(int size, int seed = 1)
{
    QByteArray b(size, '\0');
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = char(x >> 24);
    }
    return b;
}

} // namespace riffbytes

// gtest prints QByteArray pairs readably.
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    const bool text = std::all_of(b.begin(), b.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    *os << b.size() << ":"
        << (text ? b.left(48).toStdString() : b.left(24).toHex(' ').toStdString());
}
