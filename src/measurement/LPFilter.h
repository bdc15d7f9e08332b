#pragma once

#include <QtGlobal>
#include <array>

// A cascade of up to ten first-order low-pass stages, y := Alfa * y + (1 - Alfa) * x, for the
// values of analog inputs. With a TimeResponse it also follows steps: a sample further than the
// threshold from the output is first held off (the output stays) so that a single spike does not
// disturb the curve; a step that lasts TimeResponse more samples is taken over at once by resetting
// every stage to the new level instead of crawling there through the stages.
class TLPFilter {
public:
    static constexpr int kMaxOrder = 10;

    double Alfa() const { return FAlfa; }
    // Only 0.1 < Value <= 0.999 is taken; other values are ignored.
    void SetAlfa(double Value);
    // 0 switches the step following off.
    quint8 TimeResponse() const { return FTimeResponse; }
    void SetTimeResponse(quint8 Value) { FTimeResponse = Value; }
    quint8 FilterOrder() const { return FFilterOrder; }
    // Only 1 .. kMaxOrder is taken.
    void SetFilterOrder(quint8 Value);
    double FilteredValue() const { return FFilteredValue; }

    // Feeds one sample; the new FilteredValue.
    double FilterSample(double X);
    // Every stage and the output to Value.
    void ResetFilter(double Value);
    // The step threshold as Percent of the span Low .. High; ignored unless High >= Low and
    // 0 < Percent <= 100.
    void SetThreshold(double Percent, double High, double Low);

private:
    // The jump state: kArmed (the next step resets the stages), kFollowing (filtering), or the
    // number of held samples still to come before the filter is armed again.
    static constexpr int kArmed = 0;
    static constexpr int kFollowing = -1;

    double FAlfa = 0;
    quint8 FTimeResponse = 0;
    quint8 FFilterOrder = 2;
    double FFilteredValue = 0;
    double FThreshold = 100.0;
    int FJumpState = kArmed;
    std::array<double, kMaxOrder> FInput{};
    std::array<double, kMaxOrder> FOutput{};
};
