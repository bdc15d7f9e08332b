// What the analog output window, the eight-channel and pulse-counter windows and the sine generator
// decide without a window: which output a row is, the track bar's scale, typed values, the filter
// dialog's positions, the LED's blinking and the sine's points, and how the player paces its points.
#include "views/AnalogChannelForms.h"

#include "localization/AnalogChannelFormsLanguage.h"
#include "localization/LanguageTables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(AnalogChannelForms, OutputOfARowByTypeCode) {
    struct {
        quint32 Type;
        int Row;
        int Output;
    } cases[] = {{2, 3, 3},  {3, 5, 5},  {34, 0, 0},  {21, 15, 1}, {44, 14, 0}, {44, 13, -1},
                 {24, 7, 0}, {26, 2, 0}, {27, 9, 0},  {28, 1, 0},  {28, 0, -1}, {29, 3, 1},
                 {43, 4, 0}, {69, 9, 1}, {69, 7, -1}, {5, 0, -1},  {1, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(AnalogOutputIndexFor(c.Type, c.Row), c.Output) << "type " << c.Type << " row " << c.Row;
    EXPECT_EQ(HeatInputIndexFor(0, 3), 3);
    EXPECT_EQ(HeatInputIndexFor(20, 1), 1);
    EXPECT_EQ(HeatInputIndexFor(15, 4), 0);
    EXPECT_EQ(HeatInputIndexFor(1, 0), -1);
}

TEST(AnalogChannelForms, TrackScaleOfARange) {
    // 4..20 mA: the middle of the track is 12 mA, and back.
    EXPECT_DOUBLE_EQ(AoTrackValue(4, 20, 250), 12.0);
    EXPECT_EQ(AoTrackPosition(4, 20, 12), 250);
    EXPECT_EQ(AoTrackPosition(4, 20, 4.016), 1);
    // Beyond the limits the position stays on the track.
    EXPECT_EQ(AoTrackPosition(4, 20, 99), kAoTrackSteps);
    EXPECT_EQ(AoTrackPosition(4, 20, -5), 0);
    // A range without span: one value, no division by zero.
    EXPECT_EQ(AoTrackPosition(5, 5, 5), 0);
    EXPECT_EQ(AoTrackPosition(5, 5, 7), 0);
    EXPECT_DOUBLE_EQ(AoTrackValue(5, 5, 300), 5.0);
    EXPECT_EQ(AoTrackPosition(0, 20, std::nan("")), 0);
}

TEST(AnalogChannelForms, TypedValuesTakeEitherSeparator) {
    EXPECT_EQ(ParseTypedValue(QStringLiteral("12.5")), 12.5);
    EXPECT_EQ(ParseTypedValue(QStringLiteral(" 12,5 ")), 12.5);
    EXPECT_EQ(ParseTypedValue(QStringLiteral("-3")), -3.0);
    for (const char* bad : {"", "abc", "1.2.3", "12 mA", "inf", "nan"})
        EXPECT_FALSE(ParseTypedValue(QString::fromLatin1(bad))) << bad;
}

TEST(AnalogChannelForms, FilterPositionsAndTheConverterRate) {
    struct {
        float Cutoff;
        int Position;
    } cases[] = {{60, 100},          {50, 100}, {0, 0},      {-3, 0},
                 {std::nanf(""), 0}, {0.5f, 1}, {12.3f, 25}, {0.2f, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(AdcCutoffPosition(c.Cutoff), c.Position) << c.Cutoff;
    EXPECT_FLOAT_EQ(AdcCutoffOf(100), 50.0f);
    EXPECT_EQ(AdcRateOf(0), 1000);
    EXPECT_EQ(AdcRateOf(1), 100);
}

TEST(AnalogChannelForms, PulseCounterLedByZone) {
    // Below: dark whatever it was; within: lit steadily; above: toggles on every blink tick.
    EXPECT_FALSE(HeatLedAfterBlink(0, true));
    EXPECT_TRUE(HeatLedAfterBlink(1, false));
    EXPECT_TRUE(HeatLedAfterBlink(1, true));
    bool lit = false;
    std::vector<bool> seen;
    for (int i = 0; i < 4; ++i)
        seen.push_back(lit = HeatLedAfterBlink(2, lit));
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

TEST(AnalogChannelForms, CodeUnitWithoutNormalizationOutsideEmulation) {
    const QString mA = QStringLiteral("mA"), code = QStringLiteral("Code");
    EXPECT_EQ(AI8ResultUnit(false, false, mA, code), code);
    EXPECT_EQ(AI8ResultUnit(false, true, mA, code), mA);
    EXPECT_EQ(AI8ResultUnit(true, false, mA, code), mA);
}

TEST(AnalogChannelForms, SinePointsUse628AndStayInRange) {
    // Quarter period of 64 points with 6.28 instead of 2π: not exactly the peak.
    EXPECT_DOUBLE_EQ(SinePoint(16, 64, 8, 12, 4, 20), std::sin(6.28 / 64 * 16) * 8 + 12);
    EXPECT_LT(SinePoint(16, 64, 8, 12, 4, 20), 20.0);
    EXPECT_DOUBLE_EQ(SinePoint(0, 64, 8, 12, 4, 20), 12.0);
    // An amplitude beyond the range is cut at its limits.
    EXPECT_DOUBLE_EQ(SinePoint(16, 64, 50, 12, 4, 20), 20.0);
    EXPECT_DOUBLE_EQ(SinePoint(48, 64, 50, 12, 4, 20), 4.0);
    EXPECT_DOUBLE_EQ(SineBarValue(4, 20, 50), 12.0);
    EXPECT_EQ(SineAmplitudePosition(4, 20, 12), 50);
    EXPECT_EQ(SineAmplitudePosition(4, 20, 30), 100);
    EXPECT_EQ(SineAmplitudePosition(7, 7, 7), 0);
}

namespace {

// Runs events until Done or a safety limit.
template <class F> bool Spin(F Done, int LimitMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!Done() && t.elapsed() < LimitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return Done();
}

} // namespace

TEST(SinePlayer, OnePeriodThenStopAfterTheCurrentPoint) {
    TSinePlayer player;
    player.Low = 0;
    player.High = 20;
    player.Points = [] { return 8; };
    player.Amplitude = [] { return 5; };
    player.Offset = [] { return 10; };
    std::vector<float> written;
    bool stopped = false;
    player.Write = [&](float v) {
        written.push_back(v);
        // A stop asked while the point is written (a click processed by its wait) ends playing
        // when the point is done, with no further write.
        if (written.size() == 11)
            player.Stop();
        return swDone;
    };
    player.OnStopped = [&] { stopped = true; };
    player.Start();
    ASSERT_TRUE(Spin([&] { return stopped; }));
    ASSERT_EQ(written.size(), 11u);
    for (size_t i = 0; i < written.size(); ++i)
        EXPECT_FLOAT_EQ(written[i], float(SinePoint(int(i % 8), 8, 5, 10, 0, 20))) << i;
    EXPECT_FALSE(player.Running());
    QCoreApplication::processEvents();
    EXPECT_EQ(written.size(), 11u);
}

TEST(SinePlayer, ARefusedPointComesAgainAndIsNotAFailure) {
    TSinePlayer player;
    player.Low = 0;
    player.High = 10;
    player.Points = [] { return 16; };
    player.Amplitude = [] { return 5; };
    player.Offset = [] { return 5; };
    int calls = 0;
    std::vector<std::pair<float, TSineWrite>> points;
    player.Write = [&](float) { return ++calls <= 3 ? swRefused : swDone; };
    player.OnPoint = [&](float v, TSineWrite r) { points.emplace_back(v, r); };
    player.Start();
    ASSERT_TRUE(Spin([&] { return points.size() >= 2; }));
    player.Stop();
    // The first point is the one that was refused three times; nothing was reported for the refusals.
    EXPECT_FLOAT_EQ(points[0].first, 5.0f);
    EXPECT_EQ(points[0].second, swDone);
    EXPECT_EQ(player.PointsWritten(), points.size());
}

TEST(SinePlayer, ThePeriodIsTakenAtItsStart) {
    TSinePlayer player;
    player.Low = -1;
    player.High = 1;
    int n = 4;
    player.Points = [&] { return n; };
    player.Amplitude = [] { return 1; };
    player.Offset = [] { return 0; };
    std::vector<int> periods;
    player.Write = [&](float) {
        periods.push_back(player.PeriodPoints());
        n = 8; // changed in the middle of the first period
        return swDone;
    };
    player.Start();
    ASSERT_TRUE(Spin([&] { return periods.size() >= 6; }));
    player.Stop();
    EXPECT_EQ(periods[3], 4);
    EXPECT_EQ(periods[4], 8);
}

TEST(AnalogChannelForms, EveryTextInEveryLanguage) {
    for (const TTableReport& r : CheckAnalogChannelFormsLanguageTables())
        EXPECT_TRUE(r.Missing.isEmpty())
            << r.Module.toStdString() << ": " << r.Missing.join(", ").toStdString();
}
