// The built-in default SML document ("GeneratedSML"), compiled into the program.
#pragma once

#include <QByteArray>

class TXMLDocument;

// The document's bytes exactly as stored: 7-bit ASCII, CR LF line ends, no byte-order mark.
// Never empty; needs no QCoreApplication.
QByteArray GeneratedSML();

// Loads the default document into Doc through the byte-stream load (deactivating, and so
// auto-saving, whatever Doc held before). The sample Files addresses are left for the
// caller to replace. Throws what the load throws.
void LoadGeneratedSML(TXMLDocument &Doc);
