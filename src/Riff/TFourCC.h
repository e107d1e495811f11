// Four 8-bit characters naming a RIFF chunk or form type, trailing blanks included.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

struct TFourCC {
    std::array<char, 4> Chars{}; // reading order, as on disk: "SML " is 53 4D 4C 20

    constexpr TFourCC() = default;
    // From a four-character literal such as "SML "; the terminator is not stored.
    constexpr TFourCC(const char (&text)[5]) : Chars{text[0], text[1], text[2], text[3]} {}

    // The four bytes at p, in order.
    static TFourCC FromBytes(const char *p) { return TFourCC(p[0], p[1], p[2], p[3]); }

    const char *Data() const { return Chars.data(); }

    // Printable form for messages: ASCII 0x20-0x7E as is, other bytes as \xHH.
    QString Display() const
    {
        QString text;
        for (const char c : Chars) {
            const auto b = static_cast<std::uint8_t>(c);
            text += (b >= 0x20 && b < 0x7F) ? QString(QChar(b))
                                            : QStringLiteral("\\x%1").arg(b, 2, 16, QChar('0'));
        }
        return text;
    }

    // Byte for byte, case-sensitive.
    friend constexpr bool operator==(const TFourCC &a, const TFourCC &b)
    {
        return a.Chars[0] == b.Chars[0] && a.Chars[1] == b.Chars[1] && a.Chars[2] == b.Chars[2] &&
               a.Chars[3] == b.Chars[3];
    }
    friend constexpr bool operator!=(const TFourCC &a, const TFourCC &b) { return !(a == b); }

private:
    constexpr TFourCC(char a, char b, char c, char d) : Chars{a, b, c, d} {}
};
