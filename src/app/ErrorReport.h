// The general error report: how an error that escapes an event handler is shown.
#pragma once

#include <QString>

#include <exception>

// The text shown for e: the message of the innermost nested error (std::nested_exception),
// with a full stop appended when its last character's code is above that of "." (46).
// An empty message stays empty.
QString ErrorReportText(const std::exception &e);
