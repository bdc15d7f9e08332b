#include "measurement/OscPlot.h"
#include "localization/OscLanguage.h"

#include <algorithm>
#include <cmath>

const std::array<TTimeScale, 10>& TimeScales() {
    static const std::array<TTimeScale, 10> scales = {{
        {0, "100 ms", 100, 100, false},
        {1, "200 ms", 200, 200, false},
        {2, "500 ms", 500, 500, false},
        {3, "1000 ms", 1000, 1000, false},
        {4, "1 m", 60000, 500, true},
        {5, "10 m", 600000, 500, true},
        {6, "30 m", 1800000, 500, true},
        {7, "1 h", 3600000, 500, true},
        {8, "2 h", 7200000, 500, true},
        {9, "5 h", kLongestSpanMs, 500, true},
    }};
    return scales;
}

const std::array<int, 12>& VerticalRanges() {
    static const std::array<int, 12> ranges = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 3000};
    return ranges;
}

double DaysToAxisMs(double Days) {
    const QDateTime t = DaysToDateTime(Days);
    return t.isValid() ? double(t.toMSecsSinceEpoch()) : 0.0;
}

void BlockPoints(const TSample* Samples, int Count, const TChannelProfileList& Profiles, quint32 Frequency,
                 bool DateTime, std::vector<std::vector<QPointF>>& Curves) {
    const int n = Profiles.Count();
    Curves.resize(size_t(n));
    if (n == 0)
        return;
    const double period = Frequency == 0 ? 0.0 : 1000.0 / double(Frequency);
    double x = 0;
    for (int i = 0; i + n <= Count; i += n) {
        for (int c = 0; c < n; ++c) {
            const TSample& s = Samples[i + c];
            const double y = double(s.Value) + double(Profiles.ProfileAt(c)->DisplayOffset);
            Curves[size_t(c)].push_back({DateTime ? DaysToAxisMs(s.Time) : x, y});
        }
        x += period;
    }
}

QList<QPointF> Decimate(const std::vector<QPointF>& Points, double XMin, double XMax, int Width) {
    QList<QPointF> out;
    if (Points.empty() || Width <= 0 || !(XMax > XMin))
        return out;
    auto first = std::lower_bound(Points.begin(), Points.end(), XMin,
                                  [](const QPointF& p, double x) { return p.x() < x; });
    auto last = std::upper_bound(Points.begin(), Points.end(), XMax,
                                 [](double x, const QPointF& p) { return x < p.x(); });
    if (first != Points.begin())
        --first;
    if (last != Points.end())
        ++last;
    if (last - first <= 4 * Width) {
        out.reserve(last - first);
        for (auto it = first; it != last; ++it)
            out.append(*it);
        return out;
    }
    out.reserve(4 * Width + 2);
    const double scale = double(Width) / (XMax - XMin);
    auto column = [&](const QPointF& p) {
        return std::clamp(qint64(std::floor((p.x() - XMin) * scale)), qint64(-1), qint64(Width));
    };
    auto it = first;
    while (it != last) {
        const qint64 col = column(*it);
        auto begin = it, low = it, high = it;
        while (it != last && column(*it) == col) {
            if (it->y() < low->y())
                low = it;
            if (it->y() > high->y())
                high = it;
            ++it;
        }
        // A column that holds many points draws as a vertical stroke from its lowest to its
        // highest: the two extremes, in the order they came, so the curve does not go back in time.
        // A sparse column keeps its first and last point too.
        auto end = it - 1;
        std::array<decltype(it), 4> picks = {begin, low < high ? low : high, low < high ? high : low, end};
        const bool dense = (it - begin) > 8;
        auto previous = last;
        for (int k = 0; k < 4; ++k) {
            auto p = picks[size_t(k)];
            if (dense && (k == 0 || k == 3))
                continue;
            if (p != previous) {
                out.append(*p);
                previous = p;
            }
        }
    }
    return out;
}

void TCurveDecimator::Invalidate() {
    FBuckets.clear();
    FFirst = 0;
    FCovered = 0;
    FBucketWidth = 0;
}

void TCurveDecimator::Add(const QPointF& Point) {
    const qint64 key = qint64(std::floor(Point.x() / FBucketWidth));
    if (FBuckets.size() > FFirst && FBuckets.back().Key == key) {
        TBucket& b = FBuckets.back();
        if (Point.y() < b.Low.y())
            b.Low = Point;
        if (Point.y() > b.High.y())
            b.High = Point;
        b.Last = Point;
        return;
    }
    FBuckets.push_back({key, Point, Point, Point, Point});
}

QList<QPointF> TCurveDecimator::Reduce(const std::vector<QPointF>& Points, double XMin, double XMax,
                                       int Width) {
    QList<QPointF> out;
    if (Points.empty() || Width <= 0 || !(XMax > XMin)) {
        Invalidate();
        return out;
    }
    const double width = (XMax - XMin) / double(Width);
    if (width != FBucketWidth || FCovered > Points.size()) {
        Invalidate();
        FBucketWidth = width;
    }
    for (size_t i = FCovered; i < Points.size(); ++i) {
        if (FBuckets.size() > FFirst && Points[i].x() < FBuckets.back().Last.x()) {
            // Not in order: nothing can be kept for such a curve; reduce it whole.
            Invalidate();
            return Decimate(Points, XMin, XMax, Width);
        }
        Add(Points[i]);
    }
    FCovered = Points.size();
    // Buckets of points gone from the start of the curve.
    const qint64 oldest = qint64(std::floor(Points.front().x() / FBucketWidth));
    while (FFirst < FBuckets.size() && FBuckets[FFirst].Key < oldest)
        ++FFirst;
    if (FFirst > 4096) {
        FBuckets.erase(FBuckets.begin(), FBuckets.begin() + qsizetype(FFirst));
        FFirst = 0;
    }
    const qint64 lo = qint64(std::floor(XMin / FBucketWidth)) - 1;
    const qint64 hi = qint64(std::floor(XMax / FBucketWidth)) + 1;
    auto it = std::lower_bound(FBuckets.begin() + qsizetype(FFirst), FBuckets.end(), lo,
                               [](const TBucket& b, qint64 k) { return b.Key < k; });
    out.reserve(4 * (Width + 3));
    for (; it != FBuckets.end() && it->Key <= hi; ++it) {
        // A pixel column is a stroke from its lowest to its highest point, in their order: half
        // the points of first-min-max-last for the same picture, and the chart's cost is per point.
        const bool lowFirst = it->Low.x() <= it->High.x();
        out.append(lowFirst ? it->Low : it->High);
        if (it->Low != it->High)
            out.append(lowFirst ? it->High : it->Low);
    }
    return out;
}

QString DelayText(const QDateTime& Time) {
    return (Time.isValid() ? Time.time() : QTime(0, 0)).toString(QStringLiteral("hh:mm:ss"));
}

QString SummaryText(const TOscDm& Dm, const TOscLanguage& T) {
    QStringList lines;
    lines << T.SummaryRate + QString::number(Dm.SamplingFrequency) << QString();
    lines << (Dm.StartAtTime ? T.Autostart + QStringLiteral(": ") + DelayText(Dm.StartTime)
                             : T.Autostart + QStringLiteral(": ") + T.Disconnected);
    lines << (Dm.StopAtTime ? T.Autostop + QStringLiteral(": ") + DelayText(Dm.StopTime)
                            : T.Autostop + QStringLiteral(": ") + T.Disconnected);
    lines << QString() << QString();
    const TChannelProfileList& profiles = Dm.ChannelProfiles;
    if (profiles.Count() == 0) {
        lines << T.SetAtLeastOne;
        return lines.join(QLatin1Char('\n'));
    }
    lines << T.ChannelList;
    lines << T.ColNo + QStringLiteral("\t\t") + T.ColSlope + QStringLiteral("\t\t") + T.ColOffsetShort;
    lines << QString(77, QLatin1Char('-'));
    for (int i = 0; i < profiles.Count(); ++i) {
        const TChannelProfile* p = profiles.ProfileAt(i);
        lines << QStringLiteral("%1\t\t%2\t\t%3\t\t%4")
                     .arg(i + 1)
                     .arg(double(p->Slope), 0, 'f', 3)
                     .arg(double(p->Offset), 0, 'f', 3)
                     .arg(p->Label);
    }
    return lines.join(QLatin1Char('\n'));
}
