#include "views/AnalogChannelForms.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

int AnalogOutputIndexFor(quint32 TypeCode, int Row) {
    int index = -1;
    switch (TypeCode) {
    case 2:
    case 3:
    case 34:
    case 66:
        index = Row;
        break;
    case 21:
    case 44:
        index = Row - 14;
        break;
    case 24:
    case 26:
    case 27:
    case 43:
        index = 0;
        break;
    case 28:
        index = Row - 1;
        break;
    case 29:
        index = Row - 2;
        break;
    case 69:
        index = Row - 8;
        break;
    default:
        break;
    }
    return index < 0 ? -1 : index;
}

double AoTrackValue(double Low, double High, int Position) {
    return Low + (High - Low) / kAoTrackSteps * Position;
}

int AoTrackPosition(double Low, double High, double Value) {
    const double step = (High - Low) / kAoTrackSteps;
    if (step == 0 || !std::isfinite(step) || !std::isfinite(Value))
        return 0;
    const double p = std::round((Value - Low) / step);
    return int(std::clamp(p, 0.0, double(kAoTrackSteps)));
}

std::optional<double> ParseTypedValue(const QString& Text) {
    QString t = Text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

int HeatInputIndexFor(quint32 TypeCode, int Row) {
    if (TypeCode == 0 || TypeCode == 20)
        return Row < 0 ? -1 : Row;
    if (TypeCode == 15)
        return 0;
    return -1;
}

int AdcCutoffPosition(float Cutoff) {
    if (!(Cutoff > 0))
        return 0;
    if (Cutoff > 50)
        return kAdcAverageSteps;
    return std::clamp(int(std::lround(Cutoff / 0.5)), 0, kAdcAverageSteps);
}

double SinePoint(int A, int N, double Amplitude, double Offset, double Low, double High) {
    const double v = std::sin(6.28 / std::max(N, 1) * A) * Amplitude + Offset;
    return std::clamp(v, std::min(Low, High), std::max(Low, High));
}

double SineBarValue(double Low, double High, int Position) {
    return Low + (High - Low) / 100 * Position;
}

int SineAmplitudePosition(double Low, double High, double X) {
    if (High == Low || !std::isfinite(X))
        return 0;
    return std::clamp(int(std::lround((X - Low) * 100 / (High - Low))), 0, 100);
}

TSinePlayer::TSinePlayer(QObject* parent) : QObject(parent) {
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, &TSinePlayer::Turn);
}

TSinePlayer::~TSinePlayer() {
    FRunning = false;
    FTimer.stop();
}

void TSinePlayer::Start() {
    if (FRunning)
        return;
    FRunning = true;
    FIndex = 0;
    FN = std::clamp(Points ? Points() : 64, 1, 65536);
    FTimer.start(0);
}

void TSinePlayer::Stop() {
    if (!FRunning)
        return;
    FRunning = false;
    FTimer.stop();
    // A point under way reports the end when it is done.
    if (!FInTurn && OnStopped)
        OnStopped();
}

void TSinePlayer::Turn() {
    if (!FRunning || FInTurn || !Write)
        return;
    if (FIndex == 0)
        FN = std::clamp(Points ? Points() : 64, 1, 65536);
    const double amplitude = Amplitude ? Amplitude() : 0;
    const double offset = Offset ? Offset() : 0;
    const float v = float(SinePoint(FIndex, FN, amplitude, offset, Low, High));
    FInTurn = true;
    const TSineWrite result = Write(v);
    FInTurn = false;
    if (result != swRefused) {
        ++FWritten;
        FIndex = (FIndex + 1) % FN;
        if (OnPoint)
            OnPoint(v, result);
    }
    if (!FRunning) {
        if (OnStopped)
            OnStopped();
        return;
    }
    // A refused point waits a little for the exchange ahead of it instead of spinning.
    FTimer.start(result == swRefused ? 2 : 0);
}
