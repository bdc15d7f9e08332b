#include "model/SMModbusMap.h"

namespace {

struct TDeclaration {
    TModbusParameter TSMModbusMap::*Member;
    quint16 Index;
    TModbusParamType Type;
    TModbusParamAccess Access;
    const char* Unit;
    const char* Description;
};

// clang-format off
const TDeclaration kDeclarations[] = {
    {&TSMModbusMap::Options, 0, mptInteger, mpaReadWrite, "", "Опции"},
    {&TSMModbusMap::MinClock, 1, mptSingle, mpaReadWrite, "Гц", "Минимальное значение CLK"},
    {&TSMModbusMap::MaxClock, 2, mptSingle, mpaReadWrite, "Гц", "Максимальное значение CLK"},
    {&TSMModbusMap::AcceleratingTime, 3, mptWord, mpaReadWrite, "с", "Время для разгона от 0 до MaxClock"},
    {&TSMModbusMap::DeltaClk, 4, mptSingle, mpaReadWrite, "Гц", "SCurve Disable"},
    {&TSMModbusMap::ModbusParameter1, 5, mptSingle, mpaReadWrite, "Гц", "SCurve Minimum CLK"},
    {&TSMModbusMap::Temperature, 6, mptWord, mpaReadOnly, "°C", "Температура контроллера"},
    {&TSMModbusMap::StepCounter, 7, mptInteger, mpaReadWrite, "шт", "Счетчик шагов"},
    {&TSMModbusMap::RegStatus, 8, mptWord, mpaReadOnly, "", "Регистр статуса"},
    {&TSMModbusMap::Clock, 9, mptSingle, mpaReadWrite, "Гц", "Задание: частота CLK"},
    {&TSMModbusMap::MoveRight, 10, mptWord, mpaReadWrite, "", "Задание: движение вправо"},
    {&TSMModbusMap::StepCount, 11, mptInteger, mpaReadWrite, "шт", "Задание: количество шагов"},
    {&TSMModbusMap::Execute, 12, mptWord, mpaReadWrite, "", "Задание: запрос на выполнение"},
    {&TSMModbusMap::CurrClock, 13, mptSingle, mpaReadOnly, "Гц", "Текущее значение CLK"},
};
// clang-format on

} // namespace

TSMModbusMap::TSMModbusMap() {
    // The map's port retries nothing itself: the manager's next tick is the retry.
    Port.SetTryCount(0);
    Transport.SetBus(&Port);
    Space.DeviceAddress = 1;
    Space.BaseAddress = 8192;
    Space.ReadInterval = 500;
    Space.WriteInterval = 10;
    Space.SetModbusSpaceManager(&Manager);
    Space.SetModbusTransport(&Transport);
    for (const TDeclaration& d : kDeclarations) {
        TModbusParameter& p = this->*d.Member;
        p.SetIndex(d.Index);
        p.SetParamType(d.Type);
        p.Access = d.Access;
        p.ByteOrder = mbo3210;
        p.UnitOfMeasure = QString::fromUtf8(d.Unit);
        p.Description = QString::fromUtf8(d.Description);
        p.SetModbusSpace(&Space);
    }
}

TSMModbusMap::~TSMModbusMap() {
    Manager.SetRunning(false);
    for (TModbusParameter* p : std::vector<TModbusParameter*>(Space.Parameters()))
        p->SetModbusSpace(nullptr);
}

void TSMModbusMap::ApplyOptions() {
    ApplyOptions(quint32(Options.Data().AsInteger()));
}

void TSMModbusMap::ApplyOptions(quint32 Value) {
    const auto order32 = TModbusParamByteOrder(Value & 3);
    const auto order16 = (Value >> 2) & 1 ? mbo0123 : mbo3210;
    for (TModbusParameter* p : Space.Parameters()) {
        if (p == &Options)
            continue;
        p->ByteOrder = p->ParamType() == mptWord ? order16 : order32;
    }
}
