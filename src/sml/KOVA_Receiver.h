// Typed classes of the receiver description: <Receiver> below <EquipmentSetup> and its
// chain. Each class is TXML<Name> with its interface IXML<Name> (see KOVA_Binding.h).
//
// Every accessor creates its item when missing (elements at the end of their parent,
// attributes after the last attribute), so reading marks the document modified; test the
// optional parts (WeightingWindow, DSP, DigitalFilter, AnalogFilter) with
// ChildNodes()->FindNode before using their getters. Typed getters (int, qint64, bool,
// float) throw the conversion error on empty or unconvertible text; text getters never fail.
#pragma once

#include "sml/KOVA_Binding.h"

// <Tuning>: tuning and the observed hit; frequencies in Hz, chirp in Hz per second.
#define KOVA_Station_EquipmentSetup_Receiver_Tuning_ITEMS(X, P)                                    \
    X(P, Int64, Frequency)                                                                         \
    X(P, Int64, CenterFrequency)                                                                   \
    X(P, Single, Chirp)                                                                            \
    X(P, Integer, Bin)                                                                             \
    X(P, Single, Amplitude)                                                                        \
    X(P, Single, Ambiant)                                                                          \
    X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_Tuning)

// <SpectrumAnalyzer>: spectrum analyser settings; VerticalRange and SpectrumSize are text.
#define KOVA_Station_EquipmentSetup_Receiver_SpectrumAnalyzer_ITEMS(X, P)                          \
    X(P, String, VerticalRange)                                                                    \
    X(P, String, SpectrumSize)                                                                     \
    X(P, Integer, Integration)                                                                     \
    X(P, Single, Threshold)                                                                        \
    X(P, Integer, SegmentSize)                                                                     \
    X(P, Integer, LinesPerFrame)                                                                   \
    X(P, Single, BinWidth)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_SpectrumAnalyzer)

// <A_To_D>: the analogue-to-digital converter, its channels and calibration.
#define KOVA_Station_EquipmentSetup_Receiver_A_To_D_ITEMS(X, P)                                    \
    X(P, String, Manufacture)                                                                      \
    X(P, String, Model)                                                                            \
    X(P, Integer, SamplingRate)                                                                    \
    X(P, Integer, EncodingBits)                                                                    \
    X(P, Boolean, Stereo)                                                                          \
    X(P, String, ContentLeft)                                                                      \
    X(P, String, ContentRight)                                                                     \
    X(P, Single, CalibrationGain)                                                                  \
    X(P, Single, CalibrationOffset)                                                                \
    X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_A_To_D)

// <WeightingWindow>: the software weighting window.
#define KOVA_Station_EquipmentSetup_Receiver_WeightingWindow_ITEMS(X, P)                           \
    X(P, String, WinType) X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_WeightingWindow)

// <DSP>: digital signal processing.
#define KOVA_Station_EquipmentSetup_Receiver_DSP_ITEMS(X, P)                                       \
    X(P, String, Manufacture) X(P, String, Model) X(P, String, Algorithm) X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_DSP)

// <DigitalFilter>: the digital filter; skirt frequencies in Hz.
#define KOVA_Station_EquipmentSetup_Receiver_DigitalFilter_ITEMS(X, P)                             \
    X(P, String, FilterType)                                                                       \
    X(P, Int64, LowerSkirtFreq)                                                                    \
    X(P, Int64, UpperSkirtFreq)                                                                    \
    X(P, String, Note)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_DigitalFilter)

// <TimeKeeping>: how the station's date and time are produced.
#define KOVA_Station_EquipmentSetup_Receiver_TimeKeeping_ITEMS(X, P) X(P, String, Description)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_TimeKeeping)

// <AnalogFilter>: the analogue (audio) filter.
#define KOVA_Station_EquipmentSetup_Receiver_AnalogFilter_ITEMS(X, P) X(P, String, Description)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver_AnalogFilter)

// <Receiver>: the receiving chain behind the antenna.
#define KOVA_Station_EquipmentSetup_Receiver_ITEMS(X, P)                                           \
    X(P, String, Manufacture)                                                                      \
    X(P, String, Model)                                                                            \
    X(P, String, Mode)                                                                             \
    X(P, Integer, Bandwidth)                                                                       \
    X(P, String, Note)                                                                             \
    X(P, Node, Tuning)                                                                             \
    X(P, Node, SpectrumAnalyzer)                                                                   \
    X(P, Node, A_To_D)                                                                             \
    X(P, Node, WeightingWindow)                                                                    \
    X(P, Node, DSP)                                                                                \
    X(P, Node, DigitalFilter)                                                                      \
    X(P, Node, TimeKeeping)                                                                        \
    X(P, Node, AnalogFilter)
KOVA_TYPED_CLASS(KOVA_Station_EquipmentSetup_Receiver)
