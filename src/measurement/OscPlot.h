#pragma once

#include "measurement/OscDm.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct TOscLanguage;

// One entry of the plot's time scales: the millisecond scales redraw each block from x = 0, the
// date-time scales keep the points of earlier blocks and show the last Span.
struct TTimeScale {
    int Id = 0;
    const char* Button = "";
    qint64 SpanMs = 0;
    int WindowMs = 0; // the store's block length while this scale is chosen
    bool DateTime = false;
};

const std::array<TTimeScale, 10>& TimeScales();
// The vertical ranges R, the axis going from -R to +R.
const std::array<int, 12>& VerticalRanges();
inline constexpr int kInitialTimeScale = 2; // "500 ms"
inline constexpr int kLoadedTimeScale = 5;  // "10 m"
// The longest date-time scale: older points are dropped.
inline constexpr qint64 kLongestSpanMs = 5LL * 3600 * 1000;

// Milliseconds since the epoch of a day-count time stamp, as the date-time axis counts.
double DaysToAxisMs(double Days);

// The points a block adds to each curve: the display offset added, x the sample's time (date-time
// scales, in axis milliseconds) or the sweep's position from 0 in steps of the sampling period.
void BlockPoints(const TSample* Samples, int Count, const TChannelProfileList& Profiles, quint32 Frequency,
                 bool DateTime, std::vector<std::vector<QPointF>>& Curves);

// At most four points per pixel column of the span XMin .. XMax (the first, lowest, highest and last
// of the points that fall into it, in their order), so that the cost of drawing does not grow with
// the points held; the points next outside the span are kept so the curve runs to the edges.
QList<QPointF> Decimate(const std::vector<QPointF>& Points, double XMin, double XMax, int Width);

// Decimate for a curve that only grows at its end (and loses points at its start): the min/max of
// pixel-wide buckets aligned to absolute x are kept between calls, so an update costs what the new
// points cost, not what the curve holds. Any other change of the points must Invalidate it.
class TCurveDecimator {
public:
    void Invalidate();
    // Count points were taken from the start of the curve since the last call.
    void Erased(size_t Count) { FCovered = Count > FCovered ? 0 : FCovered - Count; }
    QList<QPointF> Reduce(const std::vector<QPointF>& Points, double XMin, double XMax, int Width);
    int BucketCount() const { return int(FBuckets.size() - FFirst); }

private:
    struct TBucket {
        qint64 Key = 0;
        QPointF First, Low, High, Last;
    };
    void Add(const QPointF& Point);
    std::vector<TBucket> FBuckets;
    size_t FFirst = 0; // buckets before this one hold points no longer on the curve
    size_t FCovered = 0;
    double FBucketWidth = 0;
};

// The summary page of the wizard.
QString SummaryText(const TOscDm& Dm, const TOscLanguage& T);
// "01:00:00" for a start delay or a duration.
QString DelayText(const QDateTime& Time);
