// Whatever a line delivers as the answer to a read, the module either rejects it or returns the
// value of an intact frame that answers this very request, over Nerix and through the Modbus tunnel.
// The first input byte chooses the protocol.
#include "protocol/Crc16.h"
#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool modbus = data[0] & 1;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    int offset = 0;
    TFakeAccessPoint ap([&](const QByteArray&, int n) {
        const QByteArray chunk = input.mid(offset, n);
        offset += n;
        return chunk;
    });
    ap.SetTryCount(3);
    TNerixModule module;
    module.SetAP(&ap);
    module.SetAddress(5);
    if (modbus) {
        module.SetTransferProtocol(tpModbus);
        module.ModbusToNerix().AddMapping(40, 3, 0x0102);
    }
    quint32 value = 0;
    if (module.ReadProperty(0x0102, 3, value)) {
        const auto& f = module.Buffer().Frame;
        if (Crc16(f.data(), 11) != 0 || f[0] != 5 || f[1] != 0 || f[2] != 3 || f[3] != 1 || f[4] != 2)
            std::abort();
    } else if (value != 0) {
        std::abort();
    }
    return 0;
}
