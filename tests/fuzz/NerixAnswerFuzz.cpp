// Whatever a line delivers as the answer to a read, the module either rejects it or returns the
// value of an intact frame that answers this very request.
#include "protocol/Crc16.h"
#include "protocol/NerixModule.h"
#include "support/FakeAccessPoint.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
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
