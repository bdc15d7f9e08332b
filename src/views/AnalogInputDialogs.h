#pragma once

#include "model/Ranges.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

// The checks and computations of the analog input window's small dialogs, apart from the dialogs.

// --- Range selection ---
// The distinct parameter names of the ranges in List, in list order. Without AllParameters the
// thermocouples and thermoresistances are left out.
QStringList ParameterNamesOf(const TRangeList& List, const TPrTbl& Table, bool AllParameters);
// The indexes in List of the ranges of one parameter, in list order.
std::vector<int> RangeIndexesOf(const TRangeList& List, const TPrTbl& Table, const QString& Parameter);
// "[0x0006]  0..1 V".
QString RangeItemText(quint16 Code, const TPrTbl& Table);
// A range's user scale as the edits show it: three decimals when the two ends differ, else nothing.
QString ScaleText(const TRangeRec& Range, bool Upper);

// --- Filter parameters ---
enum TFilterCheck { fcOk, fcBadCutoff, fcBadResponseTime };
// The cutoff is a number of 0 or more (text that is no number counts as 0); the response time a
// whole number the device can hold (0 .. 65535).
TFilterCheck CheckFilterParams(const QString& Cutoff, const QString& ResponseTime, float& CutoffValue,
                               quint16& ResponseTimeValue);
// The cutoff as the dialog shows it: one decimal, 0 for a negative value.
QString FilterCutoffText(float Cutoff);

// --- LED limits ---
// Both read as numbers (no number: 0); false when the maximum is below the minimum.
bool CheckLedLimits(const QString& Min, const QString& Max, float& Low, float& High);
// Up to five decimals, trailing zeros removed.
QString LedLimitText(float Value);

// --- Channel flags ---
// "RMS Points": a whole number up to 65535 replaces bits 16-31 with its low 16 bits; a larger one
// leaves them. Text that is no whole number leaves them too and sets Error.
quint32 WithRmsPoints(quint32 Flags, const QString& Text, bool& Error);

// --- User polynomial ---
// The channel keeps the coefficients in property order (37, 38, 39), which a device applies as
// a0 + a1*x + a2*x^2; the dialog shows them as A*x^2 + B*x + C. A goes to 39 and C to 37, so that
// what the calibration finds is what the device computes.
struct TPolynomialABC {
    double A = 0;
    double B = 0;
    double C = 0;
};
TPolynomialABC AbcOf(const std::array<float, 3>& Polynomial);
std::array<float, 3> PolynomialOf(const TPolynomialABC& Abc);
// A coefficient edit: empty counts as 0, other text that is no number as nothing.
std::optional<double> CoefficientOf(const QString& Text);
// Up to seven decimals, trailing zeros removed.
QString CoefficientText(double Value);

// The three-point calibration: a parabola A*x^2 + B*x + C through (raw, made) of each point.
class TPolynomialCalibration {
public:
    enum TColumn { ccRaw, ccMade };
    enum TResult { crIncomplete, crEqualRaw, crDone };
    static constexpr int kPoints = 3;

    void Clear();
    // Nothing clears the value.
    void Set(int Point, TColumn Column, std::optional<double> Value);
    std::optional<double> Value(int Point, TColumn Column) const;
    bool Complete() const;
    // By Lagrange's interpolation once all six values are in; two equal raw values have no parabola.
    TResult Compute(std::array<double, 3>& ABC) const;

private:
    std::array<std::array<std::optional<double>, 2>, kPoints> FValues{};
};
