// A node could not be converted to the requested typed interface.
#pragma once

#include <stdexcept>

// what() is always "Interface not supported".
class EIntfCastError : public std::runtime_error
{
public:
    EIntfCastError() : std::runtime_error("Interface not supported") {}
};
