#include "bus/BaudRate.h"

namespace {

// clang-format off
constexpr quint32 kRateBits[] = {
    0,      110,    300,    600,    1200,   2400,   4800,   9600,   14400,  19200,  38400,  56000,
    57600,  115200, 153600, 230400, 345600, 460800, 576000, 691200, 921600, 128000, 256000,
};
// clang-format on
constexpr int kRateBitsCount = int(sizeof kRateBits / sizeof kRateBits[0]);
static_assert(kRateBitsCount == br256000 + 1, "one speed per rate");

} // namespace

quint32 BaudRateBits(TBaudRate rate) {
    const int i = int(rate);
    return i >= 0 && i < kRateBitsCount ? kRateBits[i] : 0;
}

TBaudRate BaudRateOfBits(quint32 bits) {
    for (int i = 1; i < kBaudRateCount; ++i)
        if (kRateBits[i] == bits)
            return TBaudRate(i);
    return brCustom;
}
