#pragma once

#include "emulator/VirtualDeviceManager.h"
#include "protocol/Crc16.h"
#include "support/NerixFrames.h"

#include <gtest/gtest.h>

#include <bit>
#include <optional>

// Requests to the emulated bus as real 11-byte frames, so that every test also goes through the
// CRC check, the request record and the rebuilt answer.

// The value of the answer, or nothing when no device answered. Every answer must echo the header
// of the request and carry an intact CRC; the answer to a write is the request itself.
inline std::optional<quint32> Ask(TVirtualDeviceManager& Manager, quint8 Address, quint8 Operation,
                                  quint8 Channel, quint16 Register, quint32 Value = 0) {
    const QByteArray request = NerixFrame(Address, Operation, Channel, Register, Value);
    QByteArray answer;
    if (!Manager.ProcessNerixRequest(request, answer))
        return std::nullopt;
    EXPECT_EQ(answer.size(), 11);
    EXPECT_EQ(answer.left(5), request.left(5));
    EXPECT_EQ(Crc16(reinterpret_cast<const quint8*>(answer.constData()), 11), 0);
    if (Operation != 0) {
        EXPECT_EQ(answer, request);
    }
    const auto* b = reinterpret_cast<const quint8*>(answer.constData());
    return quint32(b[5]) << 24 | quint32(b[6]) << 16 | quint32(b[7]) << 8 | b[8];
}

inline std::optional<quint32> ReadReg(TVirtualDeviceManager& Manager, quint8 Address, quint8 Channel,
                                      quint16 Register) {
    return Ask(Manager, Address, 0, Channel, Register);
}

inline bool WriteReg(TVirtualDeviceManager& Manager, quint8 Address, quint8 Channel, quint16 Register,
                     quint32 Value) {
    return Ask(Manager, Address, 1, Channel, Register, Value).has_value();
}

inline quint32 FloatBits(float Value) {
    return std::bit_cast<quint32>(Value);
}

inline float BitsFloat(quint32 Bits) {
    return std::bit_cast<float>(Bits);
}
