#include "emulator/VirtualInstruments.h"

#include "emulator/VirtualDevice.h"
#include "emulator/VirtualDeviceManager.h"
#include "model/DeviceRegister.h"
#include "model/Helper.h"
#include "model/Ranges.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <numbers>

std::vector<TVirtualDevice*> InstrumentDevices(const TVirtualDeviceManager& Manager,
                                               TVirtualChannelKind Kind) {
    std::vector<TVirtualDevice*> devices;
    for (int i = 0; i < Manager.DeviceCount(); ++i)
        if (TVirtualDevice* device = Manager.DeviceAt(i);
            device && !InstrumentChannels(*device, Kind).empty())
            devices.push_back(device);
    return devices;
}

std::vector<TCustomVirtualChannel*> InstrumentChannels(const TVirtualDevice& Device,
                                                       TVirtualChannelKind Kind) {
    std::vector<TCustomVirtualChannel*> channels;
    for (int i = 0; i < Device.ChannelCount(); ++i)
        if (TCustomVirtualChannel* channel = Device.ChannelAt(i); channel && channel->Kind() == Kind)
            channels.push_back(channel);
    return channels;
}

QString InstrumentDeviceText(const TVirtualDevice& Device, const QString& AddressWord) {
    return ModelNameOf(quint16(Device.TypeCode())) + QLatin1Char(' ') + AddressWord + QStringLiteral(" = ") +
           QString::number(Device.Address());
}

TCustomVirtualChannel* MatchingVirtualChannel(const TVirtualDeviceManager& Manager, int Address,
                                              TVirtualChannelKind Kind, int Index) {
    if (Index < 0)
        return nullptr;
    for (int i = 0; i < Manager.DeviceCount(); ++i) {
        TVirtualDevice* device = Manager.DeviceAt(i);
        if (!device || device->Address() != Address)
            continue;
        const std::vector<TCustomVirtualChannel*> channels = InstrumentChannels(*device, Kind);
        return Index < int(channels.size()) ? channels[size_t(Index)] : nullptr;
    }
    return nullptr;
}

std::optional<QString> InstrumentFormat(quint16 Code, bool Generator) {
    const auto in = [Code](std::initializer_list<std::pair<int, int>> spans) {
        return std::any_of(spans.begin(), spans.end(),
                           [Code](const auto& s) { return Code >= s.first && Code <= s.second; });
    };
    if (in({{0, 2}, {9, 12}, {48, 50}, {148, 151}, {176, 176}, {179, 179}}))
        return QStringLiteral("00.0000");
    if (in({{3, 5}, {13, 15}, {51, 53}, {152, 154}, {177, 177}, {180, 180}}))
        return QStringLiteral("000.000");
    if (in({{6, 8}, {54, 55}, {144, 147}, {155, 157}, {178, 178}, {181, 181}}))
        return QStringLiteral("0.00000");
    if (Generator && in({{80, 87}, {112, 115}}))
        return QStringLiteral("0000.00");
    return std::nullopt;
}

void TInstrumentRange::Load(quint16 NewCode, bool Generator) {
    Code = NewCode;
    Low = RangeLow(NewCode);
    High = RangeHigh(NewCode);
    Unit = RangeUnit(NewCode);
    if (const std::optional<QString> format = InstrumentFormat(NewCode, Generator))
        Format = *format;
}

QString TInstrumentRange::Text(double Value) const {
    const QString value = FloatToText(Format, Value);
    return Unit.isEmpty() ? value : value + QLatin1Char(' ') + Unit;
}

TGeneratorValues GeneratorValues(const TInstrumentRange& Range, int SignalPosition, int NoisePosition,
                                 TGeneratorWave Wave, qint64 ElapsedMs, qint64 PeriodMs,
                                 QRandomGenerator& Random) {
    TGeneratorValues v;
    const double span = Range.Span();
    const double level = Range.Low + span / kGeneratorBarMax * SignalPosition;
    double phase = 0;
    if (Wave != gwLevel && PeriodMs > 0)
        phase = double(ElapsedMs % PeriodMs) / double(PeriodMs);
    switch (Wave) {
    case gwLevel:
        v.Signal = level;
        break;
    case gwSine:
        v.Signal = Range.Low + (level - Range.Low) * (1 - std::cos(2 * std::numbers::pi * phase)) / 2;
        break;
    case gwRamp:
        v.Signal = Range.Low + (level - Range.Low) * phase;
        break;
    }
    const double amplitude = span / 100 / kGeneratorBarMax * NoisePosition;
    // A span of 0, or negative limits the wrong way round, leave nothing to draw from: no noise
    // rather than a draw from an empty range.
    const double scaled = std::round(amplitude * 100000);
    if (scaled >= 1 && scaled < 9e18) {
        const qint64 r = Random.bounded(qint64(scaled));
        v.Noise = amplitude / 2 - double(r) / 100000;
    }
    return v;
}

float ContactInput(bool RelayContact, bool LineBreak) {
    if (LineBreak)
        return 2.1f;
    return RelayContact ? 1.1f : 0.1f;
}

void TrimChartPoints(std::vector<QPointF>& Points, qint64 NowMs) {
    const double oldest = double(NowMs - kInstrumentChartSpanMs);
    const auto keep =
        std::find_if(Points.begin(), Points.end(), [oldest](const QPointF& p) { return p.x() >= oldest; });
    Points.erase(Points.begin(), keep);
}

void TWideningAxis::Include(double Value) {
    if (!std::isfinite(Value))
        return;
    double margin = std::fabs(Value) * 1e-6;
    if (margin == 0)
        margin = 1e-6;
    const double low = Value - margin;
    const double high = Value + margin;
    if (FEmpty) {
        FMin = low;
        FMax = high;
        FEmpty = false;
        return;
    }
    FMin = std::min(FMin, low);
    FMax = std::max(FMax, high);
}
