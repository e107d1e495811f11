// Re-indentation of an XML text for display.
#pragma once

#include <QString>

// Returns the text re-indented: declaration, comments and root each on their own line, every
// element inside the root on its own line indented by two spaces per level (LF line breaks),
// text-only elements on one line. The declaration keeps its encoding only when it names UTF-16,
// UCS-2 or UNICODE. "" gives "". Throws EXMLDocError (parse error message) on malformed text.
QString FormatXMLData(const QString &xmlData);
