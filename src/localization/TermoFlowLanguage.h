#pragma once

#include "localization/LanguageTables.h"

#include <vector>

// The temperature channel window of KVD-TC-BUS and the flowmeter window of KVD-RS-BUS and
// KVD-RS-VIXPro, with the flowmeter's polynomial dialog. The column names both tables show are shared.
// clang-format off
#define DVV_TERMO_FLOW_TEXTS(X)                                                                                  \
    X(TcCaption) X(RsCaption) X(Module) X(DeviceAddress) X(ColChannel) X(ColEnabled) X(ColTemperature)           \
    X(ColAlarm) X(ColAlarmLow) X(ColAlarmHigh) X(ColRelay) X(ColRelayLow) X(ColRelayHigh) X(Controller)          \
    X(Sensor) X(SensorError) X(NoAnswer) X(RelayNormalState) X(Refresh) X(Start) X(Stop) X(Close) X(Ok) X(Cancel) \
    X(Set) X(MsgCountFailed) X(MsgTooManyChannels) X(MsgReadFailed) X(MsgWriteFailed) X(NotANumber)             \
    X(TabSettings) X(TabMeasurements) X(ColConnected) X(ColType) X(Type0) X(Type1) X(Type2) X(Type3) X(Type4)    \
    X(ColFront) X(FrontRear) X(FrontFront) X(ColResponseTime) X(ColImpulseWeight) X(SourceOff)                   \
    X(SourceFlowSpeed) X(SourceConsumption) X(ColPolynomial) X(PolynomialCaption) X(MsgPolyReadFailed)           \
    X(MsgPolyWriteFailed) X(ColInput) X(ColOutput) X(ColPulseCount) X(ColCounter) X(Reset) X(ColFrequency)       \
    X(ColConsumption) X(ColFlowSpeed) X(MeasureTime) X(MsgResetFailed) X(ModuleSettings)         \
    X(ChannelN) X(TabLimits)
// clang-format on

struct TTermoFlowLanguage : TAppLocalization {
    using TAppLocalization::TAppLocalization;
    DVV_TERMO_FLOW_TEXTS(DVV_TEXT_DECLARE)
    static const std::vector<std::pair<const char*, QString TTermoFlowLanguage::*>>& Fields();
};

using TTermoFlowLanguageLocalization = TLanguageLocalization<TTermoFlowLanguage>;
TTermoFlowLanguageLocalization& TermoFlowLanguage();

TTableReport CheckTermoFlowLanguageTable();
