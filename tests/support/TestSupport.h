// Helpers shared by the tests: the corpus of real files and scratch folders.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace testsupport {

// Folder of real WAV and JPEG files ("wav/", "jpg/", MANIFEST.md); empty when absent.
QString corpusDir();

// Every file of the corpus sub-folder ("wav" or "jpg"), sorted; empty when absent.
std::vector<QString> corpusFiles(const QString &subFolder);

// Reads a whole file; throws std::runtime_error naming the file on failure.
QByteArray readFile(const QString &path);

// Writes a whole file; throws std::runtime_error naming the file on failure.
void writeFile(const QString &path, const QByteArray &bytes);

// Copies a file into dir and returns the copy's path.
QString copyInto(const QString &source, const QTemporaryDir &dir);

} // namespace testsupport

// Skips the current test when the corpus is not there.
#define ORVANE_REQUIRE_CORPUS()                                                                    \
    do {                                                                                           \
        if (testsupport::corpusDir().isEmpty())                                                    \
            GTEST_SKIP() << "corpus of real files not found (set ORVANE_CORPUS or place it in "   \
                            "../shared/corpus)";                                                   \
    } while (0)
