#include "options/AdminOptions.h"

#include "bus/PowerRSBus.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------------
// TComPortAPOptions

TComPortAPOptions::TComPortAPOptions(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TComPortAPOptions::SetRTSMode(int Value) {
    if (Value >= 0 && Value <= 2)
        FRTSMode = Value;
}

void TComPortAPOptions::SetTimeout(int Value) {
    if (Value >= kMinAPTimeout && Value <= kMaxAPTimeout)
        FTimeout = Value;
}

void TComPortAPOptions::SetStopBitsID(int Value) {
    if (Value != FStopBitsID)
        FStopBitsID = Value;
}

void TComPortAPOptions::SetDefaults() {
    // COM2, 9600 bit/s, no parity, RTS for RS-485 direction. StopBitsID keeps what it has: the
    // settings dialog alone decides it.
    FPort = 1;
    FRateID = 6;
    FParityID = 0;
    FRTSMode = rmToggle;
    FTimeout = 50;
    FLocalEcho = false;
}

TSerialLineSettings TComPortAPOptions::LineSettings() const {
    auto checked = [](int value, int lo, int hi, int fallback) {
        return value >= lo && value <= hi ? value : fallback;
    };
    TSerialLineSettings s;
    // Port counts from 0 for COM1; a negative one is no port and means the default COM2.
    s.Port = FPort >= 0 ? FPort + 1 : 2;
    // RateID indexes the bus's rate table from 110 bit/s: the rate code is RateID + 1.
    s.Baud = BaudRateBits(TBaudRate(checked(FRateID, 0, kBaudRateCount - 2, 6) + 1));
    s.Parity = TParity(checked(FParityID, ptNONE, ptSPACE, ptNONE));
    s.StopBits = TStopBits(checked(FStopBitsID, sb1BITS, sb2BITS, sb1BITS));
    const int rts = checked(FRTSMode, rmLow, rmToggle, rmToggle);
    s.HwFlow = rts == rmToggle ? hfRTSTOGGLE : hfNONERTSON;
    s.RtsLevel = rts == rmToggle ? -1 : rts;
    s.TimeoutMs = quint32(std::max(FTimeout, 1));
    s.LocalEcho = FLocalEcho;
    return s;
}

// ---------------------------------------------------------------------------------------------------
// TUdpPortAPOptions

TUdpPortAPOptions::TUdpPortAPOptions(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TUdpPortAPOptions::SetTimeout(int Value) {
    if (Value >= kMinAPTimeout && Value <= kMaxAPTimeout)
        FTimeout = Value;
}

void TUdpPortAPOptions::SetDefaults() {
    FHost = QString::fromLatin1(kDefaultGatewayHost);
    FRemoutePort = 8080;
    FUseLocalPort = true;
    FLocalPort = 8080;
    FTimeout = 100;
}

// ---------------------------------------------------------------------------------------------------
// TTcpPortAPOptions

TTcpPortAPOptions::TTcpPortAPOptions(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TTcpPortAPOptions::SetDefaults() {
    FHost = QString::fromLatin1(kDefaultGatewayHost);
    FRemoutePort = 8081;
    FFraming = 0;
    FTimeout = 200;
}

void TTcpPortAPOptions::SetFraming(int Value) {
    if (Value == 0 || Value == 1)
        FFraming = Value;
}

void TTcpPortAPOptions::SetTimeout(int Value) {
    if (Value >= kMinAPTimeout && Value <= kMaxAPTimeout)
        FTimeout = Value;
}

// ---------------------------------------------------------------------------------------------------
// TAccessPointsOptions

TAccessPointsOptions::TAccessPointsOptions(TXMLClass* Owner)
    : TXMLClass(Owner), FComPortAPOptions(std::make_unique<TComPortAPOptions>(this)),
      FTcpPortAPOptions(std::make_unique<TTcpPortAPOptions>(this)),
      FUdpPortAPOptions(std::make_unique<TUdpPortAPOptions>(this)) {
    SetDefaults();
}

TAccessPointsOptions::~TAccessPointsOptions() = default;

void TAccessPointsOptions::SetDefaults() {
    FAccessPointID = 0;
    FComPortAPOptions->SetDefaults();
    FUdpPortAPOptions->SetDefaults();
    FTcpPortAPOptions->SetDefaults();
}

// ---------------------------------------------------------------------------------------------------
// TEmulatorOptions

TEmulatorOptions::TEmulatorOptions(TXMLClass* Owner) : TXMLClass(Owner) {
    SetDefaults();
}

void TEmulatorOptions::SetDefaults() {
    // Protocol keeps what it has: the emulator set-up window alone decides it.
    FPort = 1;
    FRateID = 6;
    FFaults.clear();
    FFaultSeed.clear();
    FTcpListen = false;
    FTcpPort = kDefaultTcpPort;
    FMbap = false;
}

// ---------------------------------------------------------------------------------------------------
// TAdminOptions

TAdminOptions::TAdminOptions(TXMLClass* Owner)
    : TXMLClass(Owner), FAccessPoints(std::make_unique<TAccessPointsOptions>(this)),
      FEmulatorPoints(std::make_unique<TEmulatorOptions>(this)) {
    SetDefaults();
}

TAdminOptions::~TAdminOptions() = default;

void TAdminOptions::SetDefaults() {
    FLiteVersion = false;
    FLanguageID = 0;
    FAccessPoints->SetDefaults();
    FEmulatorPoints->SetDefaults();
}
