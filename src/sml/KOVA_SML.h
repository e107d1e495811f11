// Typed binding of the SML document: the root <KOVA_Station>, its <EquipmentSetup> and,
// through the included headers, every typed class of the title block, the antenna and the
// receiver. Code that works on SML documents includes just this header.
//
// Each class is TXML<Name> with its interface IXML<Name>, a shared pointer to it (see
// KOVA_Binding.h). Accessors create missing items (reading marks the document modified);
// typed nodes stay valid until the next load of their document.
#pragma once

#include "sml/GeneratedSML.h"
#include "sml/KOVA_Antenna.h"
#include "sml/KOVA_Binding.h"
#include "sml/KOVA_Receiver.h"
#include "sml/KOVA_TitleBlock.h"
#include "sml/TXMLDocument.h"

// <EquipmentSetup>: the antenna chain and the receiver chain.
#define KOVA_Station_EquipmentSetup_ITEMS(X, P) X(P, Node, Antenna) X(P, Node, Receiver)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup)

// <KOVA_Station>: the document element, title block and equipment setup.
#define KOVA_Station_ITEMS(X, P) X(P, Node, TitleBlock) X(P, Node, EquipmentSetup)
KOVA_TYPED_CLASS(KOVA_Station)

// The typed root of Doc. Activates an inactive document (an empty tree when it has no
// source) and creates an empty <KOVA_Station> root when the tree has no document element.
// Throws EIntfCastError ("Interface not supported") when the root has another name, and the
// document's EXMLDocError when activation fails to parse.
IXMLKOVA_Station GetKOVA_Station(TXMLDocument &Doc);

// Every typed class as V(<Name>), the class being TXML<Name> with its item table
// <Name>_ITEMS(X, P): for code that walks the whole vocabulary (tests, benchmarks).
#define KOVA_TYPED_CLASSES(V)                                                                      \
    V(KOVA_Station)                                                                                \
    V(KOVA_Station_TitleBlock)                                                                     \
    V(KOVA_Station_TitleBlock_Version)                                                             \
    V(KOVA_Station_TitleBlock_Target)                                                              \
    V(KOVA_Station_TitleBlock_CreatedOn)                                                           \
    V(KOVA_Station_TitleBlock_Location)                                                            \
    V(KOVA_Station_TitleBlock_Personel)                                                            \
    V(KOVA_Station_TitleBlock_Files)                                                               \
    V(KOVA_Station_EquipmentSetup)                                                                 \
    V(KOVA_Station_EquipmentSetup_Antenna)                                                         \
    V(KOVA_Station_EquipmentSetup_Antenna_PointingCoordinates)                                     \
    V(KOVA_Station_EquipmentSetup_Antenna_Mount)                                                   \
    V(KOVA_Station_EquipmentSetup_Antenna_Mount_AzEl)                                              \
    V(KOVA_Station_EquipmentSetup_Antenna_Mount_DriftScan)                                         \
    V(KOVA_Station_EquipmentSetup_Antenna_Shape)                                                   \
    V(KOVA_Station_EquipmentSetup_Antenna_Shape_Circular)                                          \
    V(KOVA_Station_EquipmentSetup_Antenna_Shape_Other)                                             \
    V(KOVA_Station_EquipmentSetup_Antenna_Horn)                                                    \
    V(KOVA_Station_EquipmentSetup_Antenna_LNA)                                                     \
    V(KOVA_Station_EquipmentSetup_Antenna_L1)                                                      \
    V(KOVA_Station_EquipmentSetup_Antenna_BPF)                                                     \
    V(KOVA_Station_EquipmentSetup_Antenna_L2)                                                      \
    V(KOVA_Station_EquipmentSetup_Antenna_RFAmp)                                                   \
    V(KOVA_Station_EquipmentSetup_Antenna_L3)                                                      \
    V(KOVA_Station_EquipmentSetup_Receiver)                                                        \
    V(KOVA_Station_EquipmentSetup_Receiver_Tuning)                                                 \
    V(KOVA_Station_EquipmentSetup_Receiver_SpectrumAnalyzer)                                       \
    V(KOVA_Station_EquipmentSetup_Receiver_A_To_D)                                                 \
    V(KOVA_Station_EquipmentSetup_Receiver_WeightingWindow)                                        \
    V(KOVA_Station_EquipmentSetup_Receiver_DSP)                                                    \
    V(KOVA_Station_EquipmentSetup_Receiver_DigitalFilter)                                          \
    V(KOVA_Station_EquipmentSetup_Receiver_TimeKeeping)                                            \
    V(KOVA_Station_EquipmentSetup_Receiver_AnalogFilter)
