#pragma once

#include "model/CustomZUVOChannel.h"

#include <array>

// Selectors of TFlameChannel::ReadSettings / WriteSettings; fcsAll runs every selector the
// direction knows, in the order of this list for reading and in 0, 1, 2, 4, 7, 6, 11, 12, 13, 14,
// 15 for writing (so writing all also restarts the controller and corrects its zero level).
enum TFlameSelector : int {
    fcsACLevel = 0,
    fcsDCLevel = 1,
    fcsAlgorithm = 2,
    fcsACMax = 3, // read only
    fcsDOMask = 4,
    fcsVersion = 5, // read only
    fcsRelayLags = 6,
    fcsRestart = 7, // write only
    fcsStatus = 8,  // read only
    fcsAC = 9,      // read only
    fcsDC = 10,     // read only
    fcsLevels = 11,
    fcsZeroCorrection = 12, // write only
    fcsIndication = 13,
    fcsChannelEnabled = 14,
    fcsAnalogOutput = 15, // AOSource and AOConversion
    fcsAll = 16,
};

// The flame controller of both KVD-FLAME-BUS templates (object 9).
class TFlameChannel : public TCustomZUVOChannel {
public:
    static constexpr quint8 kObject = 9;
    // Algorithm bits.
    static constexpr quint8 kDimmingRelayOff = 0x01; // the K2 "dimming" relay switched off
    static constexpr quint8 kAutoRestart = 0x02;
    // Indication: 1 switches the indication off.
    static constexpr quint8 kIndicationOff = 1;
    // ChannelEnabled bits: a set bit switches that photosensor channel off.
    static constexpr quint8 kChannel1Off = 0x01;
    static constexpr quint8 kChannel2Off = 0x02;
    static constexpr int kRelayCount = 4; // K1 "OK", K2 "dimming", K3 "extinction", K4 "failure"

    TFlameChannel(TZUVOModule* Module, quint8 ObjectNumber, int Index);

    float AC = 0;
    float DC = 0;
    float ACLevel = 0;
    quint8 Algorithm = 0;
    float DCLevel = 0;
    float ACMax = 0;
    quint8 DOMask = 0; // bits 0..3: relays K1..K4 under manual control
    quint32 Version = 0;
    std::array<quint16, kRelayCount> RelayLags{};
    quint32 Status = 0;
    std::array<float, 6> Levels{};
    quint8 Indication = 0;
    quint8 ChannelEnabled = 0;
    quint8 AOSource = 0;
    std::array<float, 4> AOConversion{}; // input start, input stop, output start, output stop

    // The steps of a configuration: every step a read of all settings makes (Write false), and of
    // those the ones a configuration writes back (Write true): not the commands (restart, zero
    // correction), which writing all settings also sends, and not the relays' manual control, a
    // live state of the outputs.
    static std::vector<int> ConfigurationSteps(bool Write);

    // Both return the module's Ok; ErrorText is the first failing step's text, empty on success.
    bool ReadSettings(int Selector, QString& ErrorText) override;
    bool WriteSettings(int Selector, QString& ErrorText) override;

private:
    QString ReadStep(int Selector) override;
    QString WriteStep(int Selector) override;
    std::vector<int> ReadSteps(int Selector) const override;
    std::vector<int> WriteSteps(int Selector) const override;
};
