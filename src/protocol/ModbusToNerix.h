#pragma once

#include <QtGlobal>
#include <array>
#include <vector>

class TNerixModule;

// One row of a device's register map: the holding register where a Nerix object's property starts.
// Each property takes two consecutive registers.
struct TRecordPOD {
    quint16 Register = 0;
    quint8 ObjectNumber = 0;
    quint16 PropertyNumber = 0;
};

// The register map of one device.
class TModbusPOD {
public:
    // Appends a row unless the register, or the object/property pair, is already mapped.
    void AddMapping(quint16 Register, quint8 ObjectNumber, quint16 PropertyNumber);
    // The first row's register for the pair; false when the pair has no register.
    bool FindRegister(quint8 ObjectNumber, quint16 PropertyNumber, quint16& Register) const;

    const std::vector<TRecordPOD>& Rows() const { return FRows; }

private:
    std::vector<TRecordPOD> FRows;
};

// Carries one Nerix transaction of a module as a Modbus RTU request for a pair of holding registers
// (function 3 to read, 16 to write) and turns the answer back into the module's Nerix frame.
class TModbusToNerix {
public:
    static constexpr int kBufferSize = 16;

    // `owner` is the module whose frame is translated; it owns this tunnel.
    explicit TModbusToNerix(TNerixModule* owner);

    TModbusPOD& Map() { return FMap; }
    const TModbusPOD& Map() const { return FMap; }
    void AddMapping(quint16 Register, quint8 ObjectNumber, quint16 PropertyNumber) {
        FMap.AddMapping(Register, ObjectNumber, PropertyNumber);
    }

    // Builds the Modbus request for the module's current Nerix frame into Buffer(); false when the
    // frame's object/property has no register (then nothing may be sent).
    bool PackRequest(int& RequestLength, int& AnswerLength);
    // Takes the answer that the exchange left in Buffer(). A read answer's value goes into the
    // Nerix frame; a write answer leaves the frame as it was, so the frame's own check passes.
    bool UnpackAnswer();
    // Whether `answer` is an intact answer to the request last packed: the same address (unless the
    // request went to address 0), the same function, and for a read exactly four data bytes, for a
    // write the same register and quantity. Anything else, an exception answer included, is refused.
    bool AnswerMatches(const quint8* answer, int length) const;

    quint8* Buffer() { return FBuffer.data(); }

private:
    TModbusPOD FMap;
    TNerixModule* FOwner;
    std::array<quint8, kBufferSize> FBuffer{};
    // The request as packed: the exchange overwrites Buffer() with the answer.
    std::array<quint8, 6> FRequestHead{};
};

// Checks a Modbus RTU answer for reading or writing two registers from `address` at `reg`.
// Shared by the tunnel and the direct register-pair master.
bool ModbusPairAnswerMatches(quint8 address, quint8 function, quint16 reg, const quint8* answer, int length);
