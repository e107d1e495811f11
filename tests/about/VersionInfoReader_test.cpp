// Reading the version data compiled into an executable, and files that carry none.
#include "about/VersionInfoReader.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

using Values = std::vector<std::pair<QString, QString>>;

QString stringPath(const QString &name, const QString &translation = QStringLiteral("0409FDE9"))
{
    return QStringLiteral("\\StringFileInfo\\%1\\%2").arg(translation, name);
}

class VersionInfoReaderFiles : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        testsupport::writeFile(path, bytes);
        return path;
    }

    QTemporaryDir dir;
    VersionInfoReader reader;
};

TEST(VersionInfoReader, ReadsTheDataTheBuildCompiledIntoThisExecutable)
{
    VersionInfoReader reader;
    reader.SetFileName(QCoreApplication::applicationFilePath());
    ASSERT_TRUE(reader.HasVersionInfo());
    EXPECT_EQ(reader.Translations(), QStringList{QStringLiteral("0409FDE9")});
    EXPECT_EQ(reader.FixedFileVersion(), QStringLiteral("1.0.0.0"));
    EXPECT_EQ(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductName),
              QStringLiteral("Orvane"));
    EXPECT_EQ(reader.GetStringFileInfoByIdx(VersionInfoReader::FileVersion),
              QStringLiteral("1.0.0.0"));
    EXPECT_EQ(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductVersion),
              QStringLiteral("1.0.0"));
    EXPECT_FALSE(reader.GetStringFileInfoByIdx(VersionInfoReader::CompanyName).isEmpty());
    EXPECT_FALSE(reader.GetStringFileInfoByIdx(VersionInfoReader::Comments).isEmpty());
    // Names the build leaves out, and indexes beyond the standard names, read as empty.
    for (const int index :
         {int(VersionInfoReader::LegalTrademarks), int(VersionInfoReader::PrivateBuild),
          int(VersionInfoReader::SpecialBuild), -1, 12})
        EXPECT_TRUE(reader.GetStringFileInfoByIdx(index).isEmpty()) << index;
    // The lookup ignores the letter case of the translation's hex digits.
    EXPECT_EQ(
        reader.QueryValue(stringPath(QStringLiteral("productname"), QStringLiteral("0409fde9"))),
        QStringLiteral("Orvane"));
}

TEST(VersionInfoReader, EmptyFileNameStandsForTheRunningExecutable)
{
    VersionInfoReader reader;
    reader.SetFileName(QString());
    EXPECT_TRUE(reader.FileName().isEmpty());
    EXPECT_EQ(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductName),
              QStringLiteral("Orvane"));
}

TEST_F(VersionInfoReaderFiles, FilesWithoutUsableDataReadAsEmpty)
{
    const QByteArray full = VersionInfoReader::EncodeBlock(
        {{QStringLiteral("\\VarFileInfo\\Translation"), QStringLiteral("0409FDE9")},
         {stringPath(QStringLiteral("ProductName")), QStringLiteral("Orvane")}});
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"plain bytes", QByteArray(4096, 'x')},
        // Cut before the closing empty path: a block must end inside the file.
        {"truncated block", full.left(full.size() - 1)},
        {"marker only", VersionInfoReader::EncodeBlock({}).chopped(1)},
    };
    for (const auto &c : cases) {
        reader.SetFileName(write(QLatin1String(c.name), c.bytes));
        EXPECT_FALSE(reader.HasVersionInfo()) << c.name;
        EXPECT_TRUE(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductName).isEmpty())
            << c.name;
        EXPECT_TRUE(reader.Translations().isEmpty()) << c.name;
    }
    for (const QString &path : {dir.filePath(QStringLiteral("missing")), dir.path()}) {
        reader.SetFileName(path);
        EXPECT_FALSE(reader.HasVersionInfo()) << path.toStdString();
    }
}

TEST_F(VersionInfoReaderFiles, WithoutTranslationEveryStringReadsAsEmpty)
{
    reader.SetFileName(
        write(QStringLiteral("untranslated"),
              VersionInfoReader::EncodeBlock(
                  {{stringPath(QStringLiteral("ProductName")), QStringLiteral("X")}})));
    EXPECT_TRUE(reader.HasVersionInfo());
    EXPECT_TRUE(reader.CurrentTranslation().isEmpty());
    EXPECT_TRUE(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductName).isEmpty());
}

TEST_F(VersionInfoReaderFiles, SkipsBrokenMarkersAndUsesTheFirstTranslation)
{
    // A marker followed by garbage (no path) comes first; the real block sits in the
    // middle of other bytes, with a second translation that must not be used.
    const QByteArray broken = VersionInfoReader::EncodeBlock({}).chopped(1) + "garbage";
    const QByteArray block = VersionInfoReader::EncodeBlock(
        {{QStringLiteral("\\VarFileInfo\\Translation"), QStringLiteral("0407FDE9 0409FDE9")},
         {stringPath(QStringLiteral("CompanyName"), QStringLiteral("0407FDE9")),
          QStringLiteral("Sternwarte Ü")},
         {stringPath(QStringLiteral("CompanyName")), QStringLiteral("Observatory")}});
    reader.SetFileName(write(QStringLiteral("mixed"), QByteArray(1000, '\x7f') + broken +
                                                          QByteArray(50, 'y') + block +
                                                          QByteArray(1000, '\0')));
    EXPECT_EQ(reader.Translations(),
              (QStringList{QStringLiteral("0407FDE9"), QStringLiteral("0409FDE9")}));
    EXPECT_EQ(reader.GetStringFileInfoByIdx(VersionInfoReader::CompanyName),
              QStringLiteral("Sternwarte Ü"));
}

TEST_F(VersionInfoReaderFiles, ReadingAnotherFileForgetsThePreviousData)
{
    reader.SetFileName(QCoreApplication::applicationFilePath());
    ASSERT_TRUE(reader.HasVersionInfo());
    reader.SetFileName(write(QStringLiteral("none"), QByteArray("no version data")));
    EXPECT_FALSE(reader.HasVersionInfo());
    EXPECT_TRUE(reader.FixedFileVersion().isEmpty());
    EXPECT_TRUE(reader.GetStringFileInfoByIdx(VersionInfoReader::ProductName).isEmpty());
}

} // namespace
