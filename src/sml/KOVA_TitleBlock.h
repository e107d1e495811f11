// Typed classes of the title block: <TitleBlock> and its children. Each class is
// TXML<Name> with its interface IXML<Name> (see KOVA_Binding.h).
//
// Every accessor creates its item when missing (elements at the end of their parent,
// attributes after the last attribute), so reading marks the document modified. Typed
// getters (int, qint64, bool, float) throw the conversion error on empty or unconvertible
// text; text getters never fail.
#pragma once

#include "sml/KOVA_Binding.h"

// <Version>: version strings of the document.
#define KOVA_Station_TitleBlock_Version_ITEMS(X, P)                                                \
    X(P, String, XML) X(P, String, SML) X(P, String, KOVA) X(P, String, CreatedOn)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Version)

// <Target>: the observed target, its database identifiers and verdict.
#define KOVA_Station_TitleBlock_Target_ITEMS(X, P)                                                 \
    X(P, String, ConstellationName)                                                                \
    X(P, Integer, ConstID)                                                                         \
    X(P, String, TargetName)                                                                       \
    X(P, Integer, TargetID)                                                                        \
    X(P, Integer, ScanID)                                                                          \
    X(P, Integer, HitID)                                                                           \
    X(P, Integer, KOVADataID)                                                                      \
    X(P, Boolean, Falsified)                                                                       \
    X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Target)

// <CreatedOn>: creation date and time, free text (never converted).
#define KOVA_Station_TitleBlock_CreatedOn_ITEMS(X, P) X(P, String, Date) X(P, String, Time)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_CreatedOn)

// <Location>: the station's grid square and position.
#define KOVA_Station_TitleBlock_Location_ITEMS(X, P)                                               \
    X(P, String, GridSquare) X(P, Single, Latitude) X(P, Single, Longitude)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Location)

// <Personel>: the station operator and the observers.
#define KOVA_Station_TitleBlock_Personel_ITEMS(X, P) X(P, Text, SysOp) X(P, Text, Observers)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Personel)

// <Files>: the SML, JPG and WAV files of the observation.
#define KOVA_Station_TitleBlock_Files_ITEMS(X, P)                                                  \
    X(P, String, SML) X(P, String, JPG) X(P, String, WAV)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock_Files)

// <TitleBlock>: the first half of the document.
#define KOVA_Station_TitleBlock_ITEMS(X, P)                                                        \
    X(P, Node, Version)                                                                            \
    X(P, Node, Target)                                                                             \
    X(P, Node, CreatedOn)                                                                          \
    X(P, Text, OperatingMode)                                                                      \
    X(P, Node, Location)                                                                           \
    X(P, Node, Personel)                                                                           \
    X(P, Node, Files)
KOVA_TYPED_CLASS(KOVA_Station_TitleBlock)
