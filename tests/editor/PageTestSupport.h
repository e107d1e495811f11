// Documents for the Antenna and Receiver page tests: literal XML loaded with the main
// window's document options, and the typed equipment-setup nodes of it.
#pragma once

#include "sml/KOVA_SML.h"

#include <QLabel>
#include <QRegularExpression>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace pagetest
{

// A loaded document with its typed equipment setup.
struct TDoc {
    explicit TDoc(const QString &xml)
        : document(TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent |
                   TXMLDocOption::doAttrNull | TXMLDocOption::doAutoPrefix |
                   TXMLDocOption::doNamespaceDecl)
    {
        if (xml.isEmpty())
            LoadGeneratedSML(document);
        else
            document.LoadFromXML(xml);
        setup = GetKOVA_Station(document)->Get_EquipmentSetup();
    }

    TXMLDocument document;
    IXMLKOVA_Station_EquipmentSetup setup;
};

// The default document.
inline std::unique_ptr<TDoc> defaultDoc()
{
    return std::make_unique<TDoc>(QString());
}

// A document whose equipment setup holds the given XML.
inline std::unique_ptr<TDoc> setupDoc(const QString &equipment)
{
    return std::make_unique<TDoc>(QStringLiteral("<KOVA_Station><EquipmentSetup>") + equipment +
                                  QStringLiteral("</EquipmentSetup></KOVA_Station>"));
}

// The XML of a node without the indentation between elements.
inline QString compact(const QString &xml)
{
    static const QRegularExpression blanks(QStringLiteral(">\\s+<"));
    return QString(xml).replace(blanks, QStringLiteral("><")).trimmed();
}

// The text of an attribute of the named child of node ("<absent>" for either missing).
inline QString attr(const IXMLNode &node, const QString &child, const QString &name)
{
    const IXMLNode element = child.isEmpty() ? node : node->ChildNodes()->FindNode(child);
    if (!element)
        return QStringLiteral("<absent>");
    return element->GetAttribute(name).value_or(QStringLiteral("<absent>"));
}

// Checks that a page, shown with a document, fits the main window's tab area at the
// window's client size of 768 x 611 and that no visible label is cut off. With
// ORVANE_PAGE_GRAB set to a folder, the page is also saved there as NAME.png.
inline void expectFitsTheWindowsPageArea(QWidget &page, const QString &name)
{
    if (qEnvironmentVariableIsSet("ORVANE_PAGE_GRAB"))
        page.grab().save(qEnvironmentVariable("ORVANE_PAGE_GRAB") + "/" + name + ".png");
    ASSERT_LE(page.minimumSizeHint().width(), 745);
    ASSERT_LE(page.minimumSizeHint().height(), 545);
    for (QLabel *label : page.findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), label->sizeHint().width());
        const QRect onPage(label->mapTo(&page, QPoint(0, 0)), label->size());
        EXPECT_TRUE(page.rect().contains(onPage));
    }
}

} // namespace pagetest
