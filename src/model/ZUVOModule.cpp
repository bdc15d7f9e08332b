#include "model/ZUVOModule.h"

#include "protocol/ModbusToNerix.h"
#include "protocol/NerixModule.h"
#include "protocol/PlugZoVuru.h"

#include <utility>

namespace {

using TRows = std::vector<std::pair<quint16, quint16>>; // property, register offset

TRows LayoutRows(TRegisterLayout layout) {
    TRows rows;
    auto run = [&rows](quint16 firstProperty, quint16 lastProperty, quint16 firstOffset) {
        for (quint16 p = firstProperty; p <= lastProperty; ++p)
            rows.emplace_back(p, quint16(firstOffset + 2 * (p - firstProperty)));
    };
    if (layout == TRegisterLayout::AO) {
        for (auto [p, off] : TRows{{0, 0}, {1, 2}, {2, 4}, {16, 6}, {14, 8}, {15, 10}, {48, 12}, {49, 14}})
            rows.emplace_back(p, off);
        return rows;
    }
    // What every analog input layout starts with.
    run(0, 5, 0);
    rows.emplace_back(16, 12);
    rows.emplace_back(14, 14);
    rows.emplace_back(15, 16);
    run(37, 41, 18);
    switch (layout) {
    case TRegisterLayout::AI4:
        run(48, 51, 28);
        rows.emplace_back(52, 36);
        break;
    case TRegisterLayout::AI8:
        run(48, 50, 28);
        rows.emplace_back(64, 34);
        rows.emplace_back(65, 36);
        break;
    case TRegisterLayout::AIV:
    case TRegisterLayout::AIVExt:
        run(48, 50, 28);
        run(32, 36, 34);
        if (layout == TRegisterLayout::AIVExt) {
            rows.emplace_back(51, 44);
            rows.emplace_back(52, 46);
        }
        break;
    case TRegisterLayout::AO:
        break;
    }
    return rows;
}

} // namespace

void AddRegisterLayout(TModbusToNerix& tunnel, TRegisterLayout layout, quint8 object, quint16 base) {
    for (const auto& [property, offset] : LayoutRows(layout))
        tunnel.AddMapping(quint16(base + offset), object, property);
}

void AddRegisterSequence(TModbusToNerix& tunnel, quint8 object, quint16 base, int count) {
    for (int p = 0; p < count; ++p)
        tunnel.AddMapping(quint16(base + 2 * p), object, quint16(p));
}

TSystemChannel::TSystemChannel(TZUVOModule* module) : FModule(module) {
    FChannel.Module = &module->NerixModule();
    FChannel.ObjectNumber = 0;
}

std::optional<quint32> TSystemChannel::Read(quint16 property) {
    FModule->Ok = false;
    if (!FChannel.ReadPropertyAs(property, dtInteger))
        return std::nullopt;
    const auto v = FChannel.GetAsInteger();
    if (!v)
        return std::nullopt;
    FModule->Ok = true;
    return quint32(*v);
}

bool TSystemChannel::Write(quint16 property, qint32 value) {
    FModule->Ok = false;
    FModule->Ok = FChannel.WritePropertyInteger(property, value);
    return FModule->Ok;
}

quint32 TSystemChannel::ReadSerialNumber() {
    const auto v = Read(spSerialNumber);
    if (!v)
        return 0;
    FSerialNumber = *v;
    return *v;
}

void TSystemChannel::SaveToFlash() {
    Write(spSaveToFlash, 0);
    FModule->Modified = !FModule->Ok;
}

void TSystemChannel::RestoreFromFlash() {
    Write(spRestoreFromFlash, 0);
    FModule->Modified = true;
}

quint32 TSystemChannel::ReadFirmwareVersion() {
    return Read(spFirmwareVersion).value_or(0);
}

quint32 TSystemChannel::ReadMachineTime() {
    return Read(spMachineTime).value_or(0);
}

quint32 TSystemChannel::WriteMachineTime(quint32 Seconds) {
    Write(spMachineTime, qint32(Seconds));
    return Seconds;
}

TZUVOModule::TZUVOModule()
    : FNerixModule(std::make_unique<TNerixModule>()), FSystemChannel(std::make_unique<TSystemChannel>(this)) {
}

TZUVOModule::~TZUVOModule() = default;

quint8 TZUVOModule::Address() const {
    return FNerixModule->Address();
}

void TZUVOModule::SetAddress(quint8 Value) {
    if (Value != 255)
        FNerixModule->SetAddress(Value);
}

TAccessPoint* TZUVOModule::AP() const {
    return FNerixModule->AP();
}

void TZUVOModule::SetAP(TAccessPoint* Value) {
    FNerixModule->SetAP(Value);
}

TPlugZoVuru* TZUVOModule::ZoVuruPlug() const {
    return FNerixModule->ZoVuruPlug();
}

void TZUVOModule::SetZoVuruPlug(TPlugZoVuru* Value) {
    FNerixModule->SetZoVuruPlug(Value);
    if (Value)
        Value->SetNerixModule(FNerixModule.get());
}

TTransferProtocol TZUVOModule::TransferProtocol() const {
    return FNerixModule->TransferProtocol();
}

void TZUVOModule::SetTransferProtocol(TTransferProtocol Value) {
    FNerixModule->SetTransferProtocol(Value);
    if (Value != tpZoVuru && Value != tpZoVuruCheckSum)
        return;
    TPlugZoVuru* plug = FNerixModule->ZoVuruPlug();
    if (const auto group = ZoVuruGroup(); plug && group)
        plug->SetSelectDevice(*group);
}

TModbusToNerix& TZUVOModule::Tunnel() {
    return FNerixModule->ModbusToNerix();
}
