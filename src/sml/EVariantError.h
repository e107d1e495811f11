// Failure to convert attribute text into a typed value.
#pragma once

#include <QString>

#include <stdexcept>

// what() is "Could not convert variant of type (...) into type (...)" or the overflow form.
class EVariantError : public std::runtime_error
{
public:
    explicit EVariantError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
