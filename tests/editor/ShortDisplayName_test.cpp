#include "editor/ShortDisplayName.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace
{

struct Case {
    const char *path;
    int maxWidth; // in characters: the width function below counts them
    const char *shown;
};

TEST(ShortDisplayName, ShortensFoldersFromTheLeft)
{
    const Case cases[] = {
        {"/data/obs/a.sml", 20, "/data/obs/a.sml"},
        {"/home/station/recordings/2026/hit.wav", 37, "/home/station/recordings/2026/hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 36, "/.../station/recordings/2026/hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 28, "/.../recordings/2026/hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 27, "/.../2026/hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 12, "/.../hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 11, ".../hit.wav"},
        {"/home/station/recordings/2026/hit.wav", 3, ".../hit.wav"},
        {"C:\\KOVA\\SML\\2026\\station.sml", 20, "C:\\...\\station.sml"},
        {"C:\\KOVA\\SML\\2026\\station.sml", 24, "C:\\...\\2026\\station.sml"},
        {"relative/folder/file.sml", 20, ".../folder/file.sml"},
        {"relative/folder/file.sml", 18, ".../file.sml"},
        {"<default>", 3, "<default>"},
        {"/toolongfilename.wav", 3, "/toolongfilename.wav"},
        {"", 3, ""},
    };
    const auto width = [](const QString &text) { return static_cast<int>(text.size()); };
    for (const Case &c : cases)
        EXPECT_EQ(ShortDisplayName(QString::fromUtf8(c.path), width, c.maxWidth).toStdString(),
                  c.shown)
            << c.path << " in " << c.maxWidth;
}

TEST(ShortDisplayName, FitsTheFontWidthOf170Pixels)
{
    const QFontMetrics metrics{QFont()};
    const QString path = QStringLiteral("/home/station/recordings/2026/12/09/observation/hit.wav");
    const QString shown = ShortDisplayName(path, metrics);
    EXPECT_NE(shown, path);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/hit.wav")));
    EXPECT_TRUE(metrics.horizontalAdvance(shown) <= 170 || shown == QStringLiteral(".../hit.wav"))
        << shown.toStdString();
}

} // namespace
