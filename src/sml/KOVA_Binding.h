// Accessor generator of the typed SML classes.
//
// Each typed class lists its items once, as a table macro named after the class without
// its "TXML" prefix, e.g.
//
//   #define KOVA_Station_TitleBlock_Location_ITEMS(X, P)
//       X(P, String, GridSquare) X(P, Single, Latitude) X(P, Single, Longitude)
//
// and KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Location) declares the class TXML<Name> with
// its interface IXML<Name>; the table becomes the class's getters (all first, in table
// order) and setters; KOVA_DEFINE_CONSTRUCTION registers the class's child element kinds
// (the Node items, in table order). Item kinds:
//   Node     child element; Get_ returns the child's typed interface (created when missing)
//   Text     child element holding only text; Get_/Set_ its text (created when missing)
//   String   attribute text, unconverted (a missing attribute reads "" and is added empty)
//   Integer, Int64, Boolean, Single
//            attribute converted to int, qint64, bool, float; reading empty or
//            unconvertible text throws the conversion error (a missing one is added empty)
#pragma once

#include "sml/TXMLNode.h"

#include <QString>

#include <memory>

#define KOVA_GET(P, Kind, Name) KOVA_GET_##Kind(P, Name)
#define KOVA_SET(P, Kind, Name) KOVA_SET_##Kind(P, Name)
#define KOVA_REGISTER(P, Kind, Name) KOVA_REGISTER_##Kind(P, Name)

#define KOVA_GET_Node(P, Name)                                                                     \
    I##P##_##Name Get_##Name()                                                                     \
    {                                                                                              \
        return GetChildAs<T##P##_##Name>(QStringLiteral(#Name));                                   \
    }
#define KOVA_GET_Text(P, Name)                                                                     \
    QString Get_##Name()                                                                           \
    {                                                                                              \
        return GetChildText(QStringLiteral(#Name));                                                \
    }
#define KOVA_GET_String(P, Name)                                                                   \
    QString Get_##Name()                                                                           \
    {                                                                                              \
        return GetAttrText(QStringLiteral(#Name));                                                 \
    }
#define KOVA_GET_Integer(P, Name)                                                                  \
    int Get_##Name()                                                                               \
    {                                                                                              \
        return GetAttrInteger(QStringLiteral(#Name));                                              \
    }
#define KOVA_GET_Int64(P, Name)                                                                    \
    qint64 Get_##Name()                                                                            \
    {                                                                                              \
        return GetAttrInt64(QStringLiteral(#Name));                                                \
    }
#define KOVA_GET_Boolean(P, Name)                                                                  \
    bool Get_##Name()                                                                              \
    {                                                                                              \
        return GetAttrBoolean(QStringLiteral(#Name));                                              \
    }
#define KOVA_GET_Single(P, Name)                                                                   \
    float Get_##Name()                                                                             \
    {                                                                                              \
        return GetAttrSingle(QStringLiteral(#Name));                                               \
    }

#define KOVA_SET_Node(P, Name)
#define KOVA_SET_Text(P, Name)                                                                     \
    void Set_##Name(const QString &Value)                                                          \
    {                                                                                              \
        SetChildText(QStringLiteral(#Name), Value);                                                \
    }
#define KOVA_SET_String(P, Name)                                                                   \
    void Set_##Name(const QString &Value)                                                          \
    {                                                                                              \
        SetAttrText(QStringLiteral(#Name), Value);                                                 \
    }
#define KOVA_SET_Integer(P, Name)                                                                  \
    void Set_##Name(int Value)                                                                     \
    {                                                                                              \
        SetAttrInteger(QStringLiteral(#Name), Value);                                              \
    }
#define KOVA_SET_Int64(P, Name)                                                                    \
    void Set_##Name(qint64 Value)                                                                  \
    {                                                                                              \
        SetAttrInt64(QStringLiteral(#Name), Value);                                                \
    }
#define KOVA_SET_Boolean(P, Name)                                                                  \
    void Set_##Name(bool Value)                                                                    \
    {                                                                                              \
        SetAttrBoolean(QStringLiteral(#Name), Value);                                              \
    }
#define KOVA_SET_Single(P, Name)                                                                   \
    void Set_##Name(float Value)                                                                   \
    {                                                                                              \
        SetAttrSingle(QStringLiteral(#Name), Value);                                               \
    }

#define KOVA_REGISTER_Node(P, Name) RegisterChildNode<T##P##_##Name>(QStringLiteral(#Name));
#define KOVA_REGISTER_Text(P, Name)
#define KOVA_REGISTER_String(P, Name)
#define KOVA_REGISTER_Integer(P, Name)
#define KOVA_REGISTER_Int64(P, Name)
#define KOVA_REGISTER_Boolean(P, Name)
#define KOVA_REGISTER_Single(P, Name)

// Declares the typed class TXML<Name> over TXMLNode, with the accessors of <Name>_ITEMS
// (getters first) and its construction step, and its interface IXML<Name>, a shared
// pointer to it.
#define KOVA_TYPED_CLASS(Name)                                                                     \
    class TXML##Name : public TXMLNode                                                             \
    {                                                                                              \
    public:                                                                                        \
        using TXMLNode::TXMLNode;                                                                  \
        Name##_ITEMS(KOVA_GET, XML##Name) Name##_ITEMS(KOVA_SET, XML##Name)                        \
                                                                                                   \
            protected : void AfterConstruction() override;                                         \
    };                                                                                             \
    using IXML##Name = std::shared_ptr<TXML##Name>;

// Construction step of TXML<Name>: registers its child element kinds, then finishes the
// ordinary construction.
#define KOVA_DEFINE_CONSTRUCTION(Name)                                                             \
    void TXML##Name::AfterConstruction()                                                           \
    {                                                                                              \
        Name##_ITEMS(KOVA_REGISTER, XML##Name) TXMLNode::AfterConstruction();                      \
    }
