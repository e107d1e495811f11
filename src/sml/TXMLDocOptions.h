// Option sets and source kinds of the XML document object.
#pragma once

#include <QFlags>

enum class TXMLDocOption {
    doNodeAutoCreate = 0x01, // name lookups create missing children and attributes
    doNodeAutoIndent = 0x02, // added elements get indentation text around them
    doAttrNull = 0x04,       // GetAttribute of an absent attribute gives null instead of ""
    doAutoPrefix = 0x08,     // namespace-qualified additions get a generated prefix
    doNamespaceDecl = 0x10,  // namespace-qualified additions declare their namespace
    doAutoSave = 0x20        // a modified document is written back to its source on close
};
Q_DECLARE_FLAGS(TXMLDocOptions, TXMLDocOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TXMLDocOptions)

// Parse options are accepted for completeness; every load ignores external entities, does not
// validate, drops whitespace-only text between nodes and runs synchronously whatever they say.
enum class TParseOption {
    poResolveExternals = 0x01,
    poValidateOnParse = 0x02,
    poPreserveWhiteSpace = 0x04,
    poAsyncLoad = 0x08
};
Q_DECLARE_FLAGS(TParseOptions, TParseOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TParseOptions)

// Where the current tree came from.
enum class TXMLDocumentSource { xdsNone, xdsXMLProperty, xdsXMLData, xdsFile, xdsStream };

// Encoding hint of the byte-stream load; the bytes decide in every case.
enum class TXMLEncodingType { xetUnknown, xetUCS4BE, xetUCS4LE, xetUTF16BE, xetUTF16LE, xetUTF8 };
