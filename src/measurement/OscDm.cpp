#include "measurement/OscDm.h"
#include "model/DeviceRegister.h"

#include <cmath>

quint8 TChannelProfile::Address() const {
    return Device ? Device->Address : 0;
}

QString ProfileLabel(const QString& DeviceName, quint8 Address, int ChannelIndex) {
    const QString address = QStringLiteral("%1").arg(Address, 2, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("%1 0x%2.%3")
        .arg(DeviceName, address)
        .arg(ChannelIndex + 1)
        .left(TChannelProfile::kMaxLabel);
}

TChannelProfile* TChannelProfileList::ProfileAt(int Index) const {
    return Index >= 0 && Index < Count() ? FItems[size_t(Index)].get() : nullptr;
}

TChannelProfile* TChannelProfileList::AddProfile() {
    FItems.push_back(std::make_unique<TChannelProfile>());
    return FItems.back().get();
}

void TChannelProfileList::Delete(int Index) {
    if (Index >= 0 && Index < Count())
        FItems.erase(FItems.begin() + Index);
}

TChannelProfile* TChannelProfileList::Find(quint8 Address, int ChannelIndex) const {
    for (const auto& p : FItems)
        if (p->ChannelIndex == ChannelIndex && p->Address() == Address)
            return p.get();
    return nullptr;
}

void TChannelProfileList::Assign(const TChannelProfileList& Other) {
    std::vector<std::unique_ptr<TChannelProfile>> items;
    items.reserve(Other.FItems.size());
    for (const auto& p : Other.FItems)
        items.push_back(std::make_unique<TChannelProfile>(*p));
    FItems = std::move(items);
}

namespace {

const QDate& DayZero() {
    static const QDate zero(1899, 12, 30);
    return zero;
}

} // namespace

double DateTimeToDays(const QDateTime& Value) {
    const QDateTime local = Value.toLocalTime();
    const double days = double(DayZero().daysTo(local.date()));
    const double fraction = double(local.time().msecsSinceStartOfDay()) / 86400000.0;
    // Before day zero the fraction counts forward from the day's start, as the whole part counts back.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime DaysToDateTime(double Days) {
    if (!std::isfinite(Days) || std::fabs(Days) > 3e6)
        return {};
    const double whole = std::trunc(Days);
    const qint64 ms = std::llround(std::fabs(Days - whole) * 86400000.0);
    QDate date = DayZero().addDays(qint64(whole));
    if (ms >= 86400000)
        return QDateTime(date.addDays(1), QTime(0, 0));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

std::vector<TChannelCandidate> AnalogInputCandidates(const TDevicePropsList& Devices,
                                                     const TDeviceRegister& Register) {
    std::vector<TChannelCandidate> list;
    for (int d = 0; d < Devices.Count(); ++d) {
        TDeviceProps* device = Devices.Items(d);
        const TDeviceRegisterRecord* record = Register.FindByType(device->TypeCode);
        if (!record)
            continue;
        for (int c = 0; c < record->Channels.Count() && c < 64; ++c)
            if (record->Channels.Items(c)->Kind == ckAnalogInput && (device->ChannelMask >> c & 1))
                list.push_back({device, c});
    }
    return list;
}
