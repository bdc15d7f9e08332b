#include "emulator/NerixRequest.h"

#include "protocol/Crc16.h"

#include <algorithm>

bool TNerixRequest::FromFrame(const quint8* Frame) {
    TBuffer b; // default value order: most significant byte first, as the emulated devices send
    std::copy(Frame, Frame + kNerixFrameSize, b.Frame.begin());
    if (Crc16(b.Frame.data(), 9) != b.Crc())
        return false;
    Address = b.Address();
    Operation = b.Operation();
    Channel = b.ObjectNumber();
    Register = b.PropertyNumber();
    Value = b.Value();
    Crc = b.Crc();
    return true;
}

std::array<quint8, kNerixFrameSize> TNerixRequest::ToFrame() {
    TBuffer b;
    b.Build(Address, Operation, Channel, Register, Value);
    Crc = b.Crc();
    return b.Frame;
}
