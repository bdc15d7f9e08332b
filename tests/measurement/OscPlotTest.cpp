// The plot's arithmetic: block points, and the reductions that keep every pixel column's extremes.
#include "measurement/OscPlot.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<QPointF> Wave(int From, int To) {
    std::vector<QPointF> p;
    for (int i = From; i < To; ++i)
        p.push_back({double(i), std::sin(i / 37.0) * 10 + (i % 17 == 0 ? 5 : 0)});
    return p;
}

// The lowest and highest y of the points in each of Width columns of XMin .. XMax.
std::vector<std::pair<double, double>> Extremes(const QList<QPointF>& Points, double XMin, double XMax,
                                                int Width) {
    std::vector<std::pair<double, double>> e(size_t(Width), {1e300, -1e300});
    for (const QPointF& p : Points) {
        const int c = int(std::floor((p.x() - XMin) * Width / (XMax - XMin)));
        if (c < 0 || c >= Width)
            continue;
        e[size_t(c)].first = std::min(e[size_t(c)].first, p.y());
        e[size_t(c)].second = std::max(e[size_t(c)].second, p.y());
    }
    return e;
}

QList<QPointF> All(const std::vector<QPointF>& P) {
    return QList<QPointF>(P.begin(), P.end());
}

} // namespace

TEST(OscPlot, ReductionsKeepEveryColumnsExtremesWithFewPoints) {
    const std::vector<QPointF> points = Wave(0, 100000);
    const double lo = 20000, hi = 80000;
    const int width = 600; // columns of exactly 100 points: the two reductions' columns agree
    const auto exact = Extremes(All(points), lo, hi, width);
    const QList<QPointF> d = Decimate(points, lo, hi, width);
    EXPECT_LE(d.size(), 4 * width + 2);
    EXPECT_EQ(Extremes(d, lo, hi, width), exact);
    TCurveDecimator cd;
    const QList<QPointF> c = cd.Reduce(points, lo, hi, width);
    EXPECT_LE(c.size(), 4 * (width + 3));
    EXPECT_EQ(Extremes(c, lo, hi, width), exact);
    for (qsizetype i = 1; i < c.size(); ++i)
        ASSERT_LE(c[i - 1].x(), c[i].x());
}

TEST(OscPlot, GrowingCurveReducesAsAFreshOneAfterAppendsAndErasures) {
    std::vector<QPointF> points = Wave(0, 50000);
    TCurveDecimator kept;
    kept.Reduce(points, 0, 60000, 600);
    for (int step = 0; step < 5; ++step) {
        const std::vector<QPointF> more = Wave(50000 + step * 1000, 51000 + step * 1000);
        points.insert(points.end(), more.begin(), more.end());
        points.erase(points.begin(), points.begin() + 700);
        kept.Erased(700);
        const double hi = points.back().x(), lo = hi - 60000;
        TCurveDecimator fresh;
        EXPECT_EQ(kept.Reduce(points, lo, hi, 600), fresh.Reduce(points, lo, hi, 600)) << step;
    }
    // A point out of order makes it start over rather than draw a wrong curve.
    points.push_back({1.0, 99.0});
    TCurveDecimator fresh;
    EXPECT_EQ(kept.Reduce(points, 0, 60000, 600), fresh.Reduce(points, 0, 60000, 600));
}

TEST(OscPlot, BlockPointsAddDisplayOffsetsAndStepBySamplingPeriod) {
    TChannelProfileList profiles;
    profiles.AddProfile();
    profiles.AddProfile()->DisplayOffset = 10;
    const TSample block[6] = {{1.0, 1}, {1.0, 2}, {1.5, 3}, {1.5, 4}, {2.0, 5}, {2.0, 6}};
    std::vector<std::vector<QPointF>> curves;
    BlockPoints(block, 6, profiles, 4, false, curves);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0], (std::vector<QPointF>{{0, 1}, {250, 3}, {500, 5}}));
    EXPECT_EQ(curves[1], (std::vector<QPointF>{{0, 12}, {250, 14}, {500, 16}}));
    curves.clear();
    BlockPoints(block, 6, profiles, 4, true, curves);
    EXPECT_EQ(curves[0][1].x() - curves[0][0].x(), 0.5 * 86400000.0);
}
