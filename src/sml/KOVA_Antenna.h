// Typed classes of the antenna description: <Antenna> below <EquipmentSetup> and its
// chain. Each class is TXML<Name> with its interface IXML<Name> (see KOVA_Binding.h).
//
// Every accessor creates its item when missing (elements at the end of their parent,
// attributes after the last attribute), so reading marks the document modified; test the
// optional chain parts (LNA, L1, BPF, L2, RFAmp, L3, AzEl, DriftScan, Other) with
// ChildNodes()->FindNode before using their getters. Typed getters (qint64, bool, float)
// throw the conversion error on empty or unconvertible text; text getters never fail.
#pragma once

#include "sml/KOVA_Binding.h"

// <PointingCoordinates>: where the antenna points, degrees.
#define KOVA_Station_EquipmentSetup_Antenna_PointingCoordinates_ITEMS(X, P)                        \
    X(P, Boolean, SkyMapLock)                                                                      \
    X(P, Single, Az) X(P, Single, El) X(P, Single, DEC) X(P, Single, Ra)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_PointingCoordinates)

// <AzEl>: movement limits of a steerable mount, degrees.
#define KOVA_Station_EquipmentSetup_Antenna_Mount_AzEl_ITEMS(X, P)                                 \
    X(P, Single, MaximumAzimuth)                                                                   \
    X(P, Single, MinimumAzimuth)                                                                   \
    X(P, Single, MaximumElevation)                                                                 \
    X(P, Single, MinimumElevation)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Mount_AzEl)

// <DriftScan>: fixed pointing of a drift-scan antenna, degrees.
#define KOVA_Station_EquipmentSetup_Antenna_Mount_DriftScan_ITEMS(X, P)                            \
    X(P, Single, Azimuth) X(P, Single, Elevation)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Mount_DriftScan)

// <Mount>: the mount; its kind is whichever of BirdBath, AzEl, DriftScan it holds.
#define KOVA_Station_EquipmentSetup_Antenna_Mount_ITEMS(X, P)                                      \
    X(P, String, Manufacture)                                                                      \
    X(P, String, Model)                                                                            \
    X(P, Text, BirdBath)                                                                           \
    X(P, Node, AzEl)                                                                               \
    X(P, Node, DriftScan)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Mount)

// <Circular>: a dish reflector, metres.
#define KOVA_Station_EquipmentSetup_Antenna_Shape_Circular_ITEMS(X, P)                             \
    X(P, Single, ReflectorDiameter) X(P, Single, FocalLength) X(P, Single, ReflectorDepth)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Shape_Circular)

// <Other>: any other antenna shape, by gain (dB) and half-power beam width (degrees).
#define KOVA_Station_EquipmentSetup_Antenna_Shape_Other_ITEMS(X, P)                                \
    X(P, Single, ShapeGain) X(P, Single, HPBW)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Shape_Other)

// <Shape>: the reflector shape; its kind is whichever of Circular, Other it holds.
#define KOVA_Station_EquipmentSetup_Antenna_Shape_ITEMS(X, P)                                      \
    X(P, String, Note) X(P, Node, Circular) X(P, Node, Other)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Shape)

// <Horn>: the feed horn.
#define KOVA_Station_EquipmentSetup_Antenna_Horn_ITEMS(X, P)                                       \
    X(P, String, Shape) X(P, String, Feed) X(P, Single, Diameter) X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_Horn)

// <LNA>: low-noise amplifier, dB.
#define KOVA_Station_EquipmentSetup_Antenna_LNA_ITEMS(X, P)                                        \
    X(P, String, Manufacture)                                                                      \
    X(P, String, Model)                                                                            \
    X(P, Single, Gain)                                                                             \
    X(P, Single, NoiseFigure)                                                                      \
    X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_LNA)

// <L1>, <L2>, <L3>: line losses, dB.
#define KOVA_Station_EquipmentSetup_Antenna_L1_ITEMS(X, P) X(P, Single, InsertionLoss)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_L1)
#define KOVA_Station_EquipmentSetup_Antenna_L2_ITEMS(X, P) X(P, Single, InsertionLoss)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_L2)
#define KOVA_Station_EquipmentSetup_Antenna_L3_ITEMS(X, P) X(P, Single, InsertionLoss)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_L3)

// <BPF>: band-pass filter, -3 dB frequencies in Hz, loss in dB.
#define KOVA_Station_EquipmentSetup_Antenna_BPF_ITEMS(X, P)                                        \
    X(P, Int64, HiCutOff) X(P, Int64, LoCutOff) X(P, Single, InsertionLoss) X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_BPF)

// <RFAmp>: RF amplifier, dB.
#define KOVA_Station_EquipmentSetup_Antenna_RFAmp_ITEMS(X, P)                                      \
    X(P, String, Manufacture) X(P, String, Model) X(P, String, Note) X(P, Single, Gain)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna_RFAmp)

// <Antenna>: the chain from the sky to the receiver input.
#define KOVA_Station_EquipmentSetup_Antenna_ITEMS(X, P)                                            \
    X(P, String, Manufacture)                                                                      \
    X(P, String, Model)                                                                            \
    X(P, String, Note)                                                                             \
    X(P, Node, PointingCoordinates)                                                                \
    X(P, Node, Mount)                                                                              \
    X(P, Node, Shape)                                                                              \
    X(P, Node, Horn)                                                                               \
    X(P, Node, LNA)                                                                                \
    X(P, Node, L1)                                                                                 \
    X(P, Node, BPF)                                                                                \
    X(P, Node, L2)                                                                                 \
    X(P, Node, RFAmp)                                                                              \
    X(P, Node, L3)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Antenna)
