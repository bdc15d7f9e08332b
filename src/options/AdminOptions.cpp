#include "options/AdminOptions.h"

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
    FRTSMode = 2;
    FTimeout = 50;
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
