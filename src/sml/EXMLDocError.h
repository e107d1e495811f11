// Failure of the XML document or node layer (parse errors, lookups, inactive document).
#pragma once

#include <QString>

#include <stdexcept>

// what() is the exact UTF-8 message shown to the user.
class EXMLDocError : public std::runtime_error
{
public:
    explicit EXMLDocError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
