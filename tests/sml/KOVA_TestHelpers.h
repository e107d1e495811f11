// Small helpers of the typed-binding tests: documents from literal XML and error texts.
#pragma once

#include "sml/KOVA_SML.h"

#include <QString>

#include <exception>
#include <memory>
#include <ostream>
#include <string>

// Readable failure output for Qt strings.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kovatest
{

// A document with the main window's options, loaded from xml.
inline std::unique_ptr<TXMLDocument> loadSML(const QString &xml)
{
    auto doc = std::make_unique<TXMLDocument>(
        TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent |
        TXMLDocOption::doAttrNull | TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl |
        TXMLDocOption::doAutoSave);
    doc->LoadFromXML(xml);
    return doc;
}

// The message of the error f throws, or "" when it throws none.
template <class F> std::string errorOf(F &&f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return e.what();
    }
    return {};
}

inline std::string conversionError(const char *from, const char *to)
{
    return std::string("Could not convert variant of type (") + from + ") into type (" + to + ")";
}

// Names of the element children of node, in order.
inline QStringList elementNames(const IXMLNode &node)
{
    QStringList names;
    const auto children = node->ChildNodes();
    for (int i = 0; i < children->Count(); ++i)
        if (children->Nodes(i)->NodeType() == TNodeType::ntElement)
            names << children->Nodes(i)->NodeName();
    return names;
}

// "name=value" of every attribute of node, in order.
inline QStringList attributeTexts(const IXMLNode &node)
{
    QStringList texts;
    const auto attributes = node->AttributeNodes();
    for (int i = 0; i < attributes->Count(); ++i)
        texts << attributes->Nodes(i)->NodeName() + "=" + attributes->Nodes(i)->Text();
    return texts;
}

} // namespace kovatest
