// Reads the version data compiled into an executable: fixed version, translations and the
// string values of each translation, addressed by query paths
// ("\StringFileInfo\0409FDE9\Comments").
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class VersionInfoReader
{
public:
    // Indexes of the standard string names.
    enum StringIndex {
        Comments,
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        LegalTrademarks,
        OriginalFileName,
        PrivateBuild,
        ProductName,
        ProductVersion,
        SpecialBuild,
        StringIndexCount
    };

    // The standard name with the index ("CompanyName"); empty text when out of range.
    static QString StandardName(int index);

    const QString &FileName() const { return FFileName; }
    // Reads the version data of the file at once; an empty name stands for the running
    // executable. A file that cannot be read or carries no version data reads as empty.
    void SetFileName(const QString &fileName);

    // False when the file carries no version data.
    bool HasVersionInfo() const { return FHasVersionInfo; }
    // The translations as eight hex digits (language, code page); empty without version data.
    const QStringList &Translations() const { return FTranslations; }
    // The first translation; empty when there is none.
    QString CurrentTranslation() const { return FTranslations.value(0); }
    // The fixed file version ("1.0.0.0"); empty without version data.
    QString FixedFileVersion() const;

    // The value at the query path, letter case ignored; empty text when there is none.
    QString QueryValue(const QString &path) const;
    // The string value of the name in the current translation; empty text when there is none.
    QString GetStringFileInfo(const QString &name) const;
    // The string value of the standard name with the index; empty text when there is none.
    QString GetStringFileInfoByIdx(int index) const;

    // The bytes of a version data block holding the values under their query paths, as the
    // build embeds it into an executable.
    static QByteArray EncodeBlock(const std::vector<std::pair<QString, QString>> &values);

private:
    QString FFileName;
    bool FHasVersionInfo = false;
    QHash<QString, QString> FValues;
    QStringList FTranslations;
};
