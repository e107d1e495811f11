// The About box filled from the executable's version data, and from files without any.
#include "about/TfrmAbout.h"
#include "about/VersionInfoReader.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QString stringPath(const char *name)
{
    return QStringLiteral("\\StringFileInfo\\0409FDE9\\") + QLatin1String(name);
}

class AboutBox : public ::testing::Test
{
protected:
    QString label(const char *name) const
    {
        return box.findChild<QLabel *>(QLatin1String(name))->text();
    }
    QPlainTextEdit *memo() const
    {
        return box.findChild<QPlainTextEdit *>(QStringLiteral("moInfo"));
    }
    QStringList memoLines() const
    {
        const QString text = memo()->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        testsupport::writeFile(path, bytes);
        return path;
    }
    // A file with company, description, file version, internal name, product name,
    // product version and comments, but no copyright, trademarks or original file name.
    QString sevenValueFile()
    {
        return writeFile(
            QStringLiteral("seven"),
            QByteArray("leading bytes") +
                VersionInfoReader::EncodeBlock(
                    {{QStringLiteral("\\VarFileInfo\\Translation"), QStringLiteral("0409FDE9")},
                     {stringPath("Comments"), QStringLiteral("Listening")},
                     {stringPath("CompanyName"), QStringLiteral("Dish Works")},
                     {stringPath("FileDescription"), QStringLiteral("Editor")},
                     {stringPath("FileVersion"), QStringLiteral("2.3.4.5")},
                     {stringPath("InternalName"), QStringLiteral("inner")},
                     {stringPath("ProductName"), QStringLiteral("Product")},
                     {stringPath("ProductVersion"), QStringLiteral("2.3")}}));
    }

    QTemporaryDir dir;
    TfrmAbout box;
};

TEST_F(AboutBox, StartsHiddenWithTheBitnessSuffixInItsCaption)
{
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.windowTitle(),
              QStringLiteral("About box: (%1 Bit)").arg(static_cast<int>(sizeof(void *) * 8)));
    EXPECT_EQ(box.VersionFileName(), QCoreApplication::applicationFilePath());
    // The program icon comes from the compiled-in resources.
    EXPECT_FALSE(box.findChild<QLabel *>(QStringLiteral("ProgramIcon"))->pixmap().isNull());
}

TEST_F(AboutBox, ShowsTheVersionDataOfTheRunningExecutable)
{
    EXPECT_EQ(box.ShowVersion(), QStringLiteral("1.0.0.0"));
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isModal());

    const QStringList lines = memoLines();
    const QStringList prefixes = {QStringLiteral("Company: "),
                                  QStringLiteral("FileDescription: "),
                                  QStringLiteral("FileVersion: 1.0.0.0"),
                                  QStringLiteral("InternalName: "),
                                  QStringLiteral("Copyright: "),
                                  QStringLiteral("OriginalFileName: "),
                                  QStringLiteral("ProductName: Orvane"),
                                  QStringLiteral("ProductVersion: 1.0.0"),
                                  QStringLiteral("Comments: ")};
    ASSERT_EQ(lines.size(), prefixes.size()) << memo()->toPlainText().toStdString();
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(prefixes[i])) << lines[i].toStdString();
    EXPECT_EQ(memo()->height(), 9 * 44 + 20);
    EXPECT_EQ(memo()->y(), 123);

    EXPECT_EQ(label("lblProductName"), QStringLiteral("Orvane"));
    EXPECT_EQ(label("lblVersion"), QStringLiteral("FileVersion: 1.0.0.0"));
    EXPECT_EQ(QStringLiteral("Company: ") + label("lblCompanyName"), lines[0]);
    EXPECT_EQ(QStringLiteral("Comments: ") + label("lblComments"), lines[8]);
}

TEST_F(AboutBox, SevenValuesGiveSevenLinesInOrderAndA328PixelMemo)
{
    box.SetVersionFileName(sevenValueFile());
    EXPECT_EQ(box.ShowVersion(), QStringLiteral("2.3.4.5"));
    EXPECT_EQ(memoLines(),
              (QStringList{
                  QStringLiteral("Company: Dish Works"), QStringLiteral("FileDescription: Editor"),
                  QStringLiteral("FileVersion: 2.3.4.5"), QStringLiteral("InternalName: inner"),
                  QStringLiteral("ProductName: Product"), QStringLiteral("ProductVersion: 2.3"),
                  QStringLiteral("Comments: Listening")}));
    EXPECT_EQ(memo()->height(), 328);
}

TEST_F(AboutBox, WithoutVersionDataTheLabelsKeepTheirTextsAndCommentsEmpty)
{
    box.SetVersionFileName(writeFile(QStringLiteral("plain"), QByteArray(2048, 'z')));
    EXPECT_TRUE(box.ShowVersion().isEmpty());
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(memoLines().isEmpty());
    EXPECT_EQ(memo()->height(), 20);
    EXPECT_EQ(label("lblProductName"), QStringLiteral("lblProductName"));
    EXPECT_EQ(label("lblVersion"), QStringLiteral("lblVersion:"));
    EXPECT_EQ(label("lblCompanyName"), QStringLiteral("lblCompanyName"));
    EXPECT_TRUE(label("lblComments").isEmpty());
}

TEST_F(AboutBox, ShowingAgainRefillsTheMemoAndOnlyCommentsFollowAnEmptyValue)
{
    box.SetVersionFileName(sevenValueFile());
    box.ShowVersion();
    box.ShowVersion();
    EXPECT_EQ(memoLines().size(), 7);

    box.OKButtonClick();
    EXPECT_FALSE(box.isVisible());

    box.SetVersionFileName(writeFile(QStringLiteral("plain"), QByteArray("nothing here")));
    box.ShowVersion();
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(memoLines().isEmpty());
    EXPECT_EQ(label("lblProductName"), QStringLiteral("Product"));
    EXPECT_EQ(label("lblVersion"), QStringLiteral("FileVersion: 2.3.4.5"));
    EXPECT_TRUE(label("lblComments").isEmpty());
}

} // namespace
