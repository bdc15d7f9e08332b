#pragma once

#include <QtGlobal>
#include <array>

class TAccessPoint;
class TPowerRsBus;

// What the measurer reads a channel through. The base answers nothing, so a measurer without a bus
// keeps repeating its last values.
class TCustomResponder {
public:
    TCustomResponder() = default;
    virtual ~TCustomResponder() = default;
    TCustomResponder(const TCustomResponder&) = delete;
    TCustomResponder& operator=(const TCustomResponder&) = delete;

    virtual void Hook() {}
    // The channel's measured value; false leaves Value alone.
    virtual bool ReadValue(quint8 Address, int ChannelIndex, float& Value);
    // The channel's measurement range code.
    virtual bool ReadRangeCode(quint8 Address, int ChannelIndex, quint32& Value);

protected:
    int FField1 = 0;
    int FField2 = 0;
    int FField3 = 0;
};

// Reads over Modbus RTU: a channel's two holding registers at (index + 1) * 256 carry its value, the
// two after them its range code.
class TModbusResponder : public TCustomResponder {
public:
    TModbusResponder(TPowerRsBus* Bus, TAccessPoint* AccessPoint) : FBus(Bus), FAccessPoint(AccessPoint) {}

    void SetBus(TPowerRsBus* Bus) { FBus = Bus; }
    void SetAccessPoint(TAccessPoint* AccessPoint) { FAccessPoint = AccessPoint; }

    // Through the access point, with its retries.
    bool ReadValue(quint8 Address, int ChannelIndex, float& Value) override;
    // Straight through the serial bus.
    bool ReadRangeCode(quint8 Address, int ChannelIndex, quint32& Value) override;

    // The 8-byte request for the two registers at (ChannelIndex + 1) * 256 + Low.
    static std::array<quint8, 8> Request(quint8 Address, int ChannelIndex, quint8 Low);
    // A 9-byte answer of function 3 with 4 data bytes and a good CRC; its 32 bits, high byte first.
    static bool AnswerBits(const quint8* Answer, quint32& Bits);

private:
    TPowerRsBus* FBus = nullptr;
    TAccessPoint* FAccessPoint = nullptr;
    std::array<quint8, 9> FBuffer{};
};
