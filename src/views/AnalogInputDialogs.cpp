#include "views/AnalogInputDialogs.h"

#include "model/Helper.h"

#include <cmath>

QStringList ParameterNamesOf(const TRangeList& List, const TPrTbl& Table, bool AllParameters) {
    QStringList names;
    for (int i = 0; i < List.Count(); ++i) {
        const quint16 code = List.Items(i)->Code;
        const TRangeKind kind = RangeKindOf(code);
        if (!AllParameters && (kind == rkThermocouple || kind == rkThermoresistance))
            continue;
        const QString name = Table.ParameterName(code);
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

std::vector<int> RangeIndexesOf(const TRangeList& List, const TPrTbl& Table, const QString& Parameter) {
    std::vector<int> indexes;
    for (int i = 0; i < List.Count(); ++i)
        if (Table.BelongsTo(List.Items(i)->Code, Parameter))
            indexes.push_back(i);
    return indexes;
}

QString RangeItemText(quint16 Code, const TPrTbl& Table) {
    const QString hex = QString::number(Code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("[0x") + hex + QStringLiteral("]  ") + Table.Description(Code);
}

QString ScaleText(const TRangeRec& Range, bool Upper) {
    if (Range.MinValue == Range.MaxValue)
        return {};
    return FloatToText(QStringLiteral("0.000"), Upper ? Range.MaxValue : Range.MinValue);
}

TFilterCheck CheckFilterParams(const QString& Cutoff, const QString& ResponseTime, float& CutoffValue,
                               quint16& ResponseTimeValue) {
    const double cutoff = TextToFloat(Cutoff);
    if (!std::isfinite(cutoff) || cutoff < 0)
        return fcBadCutoff;
    const auto response = ParseInt64(ResponseTime.trimmed());
    if (!response || *response < 0 || *response > 0xFFFF)
        return fcBadResponseTime;
    CutoffValue = float(cutoff);
    ResponseTimeValue = quint16(*response);
    return fcOk;
}

QString FilterCutoffText(float Cutoff) {
    return FloatToText(QStringLiteral("0.0"), Cutoff < 0 ? 0.0 : double(Cutoff));
}

bool CheckLedLimits(const QString& Min, const QString& Max, float& Low, float& High) {
    const float low = float(TextToFloat(Min));
    const float high = float(TextToFloat(Max));
    if (high < low)
        return false;
    Low = low;
    High = high;
    return true;
}

QString LedLimitText(float Value) {
    return FloatToTrimmedText(QStringLiteral("0.00000"), Value);
}

quint32 WithRmsPoints(quint32 Flags, const QString& Text, bool& Error) {
    Error = false;
    const auto points = ParseInt64(Text.trimmed());
    if (!points) {
        Error = true;
        return Flags;
    }
    if (*points > 0xFFFF)
        return Flags;
    return (Flags & 0xFFFFu) | (quint32(quint16(*points)) << 16);
}

TPolynomialABC AbcOf(const std::array<float, 3>& Polynomial) {
    return {Polynomial[2], Polynomial[1], Polynomial[0]};
}

std::array<float, 3> PolynomialOf(const TPolynomialABC& Abc) {
    return {float(Abc.C), float(Abc.B), float(Abc.A)};
}

std::optional<double> CoefficientOf(const QString& Text) {
    if (Text.trimmed().isEmpty())
        return 0.0;
    const auto value = ParseFloat(Text.trimmed());
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString CoefficientText(double Value) {
    return FloatToTrimmedText(QStringLiteral("0.0000000"), Value);
}

void TPolynomialCalibration::Clear() {
    FValues = {};
}

void TPolynomialCalibration::Set(int Point, TColumn Column, std::optional<double> Value) {
    if (Point >= 0 && Point < kPoints)
        FValues[size_t(Point)][size_t(Column)] = Value;
}

std::optional<double> TPolynomialCalibration::Value(int Point, TColumn Column) const {
    if (Point < 0 || Point >= kPoints)
        return std::nullopt;
    return FValues[size_t(Point)][size_t(Column)];
}

bool TPolynomialCalibration::Complete() const {
    for (const auto& point : FValues)
        if (!point[ccRaw] || !point[ccMade])
            return false;
    return true;
}

TPolynomialCalibration::TResult TPolynomialCalibration::Compute(std::array<double, 3>& ABC) const {
    if (!Complete())
        return crIncomplete;
    double x[kPoints], y[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        x[i] = *FValues[size_t(i)][ccRaw];
        y[i] = *FValues[size_t(i)][ccMade];
    }
    if (x[0] == x[1] || x[0] == x[2] || x[1] == x[2])
        return crEqualRaw;
    double a = 0, b = 0, c = 0;
    for (int i = 0; i < kPoints; ++i) {
        const double xj = x[(i + 1) % kPoints];
        const double xk = x[(i + 2) % kPoints];
        const double w = y[i] / ((x[i] - xj) * (x[i] - xk));
        a += w;
        b -= w * (xj + xk);
        c += w * xj * xk;
    }
    ABC = {a, b, c};
    return crDone;
}
