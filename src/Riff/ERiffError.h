// The one error type of the RIFF container layer.
#pragma once

#include <QString>

#include <stdexcept>

// what() is the exact UTF-8 message.
class ERiffError : public std::runtime_error
{
public:
    explicit ERiffError(const QString &message) : std::runtime_error(message.toStdString()) {}

    // A failed consistency check: "<text> (<source file>, line <line>)".
    static ERiffError Check(const QString &text, const char *sourceFile, int line);
};

// Raises ERiffError::Check with the text and the position of the check when cond is false.
#define RIFF_CHECK(cond, text)                                                                     \
    do {                                                                                           \
        if (!(cond))                                                                               \
            throw ERiffError::Check((text), __FILE__, __LINE__);                                   \
    } while (0)
