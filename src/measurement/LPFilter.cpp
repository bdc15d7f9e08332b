#include "measurement/LPFilter.h"

#include <cmath>

void TLPFilter::SetAlfa(double Value) {
    if (Value > 0.1 && Value <= 0.999)
        FAlfa = Value;
}

void TLPFilter::SetFilterOrder(quint8 Value) {
    if (Value >= 1 && Value <= kMaxOrder)
        FFilterOrder = Value;
}

double TLPFilter::FilterSample(double X) {
    if (FTimeResponse != 0) {
        if (std::fabs(FFilteredValue - X) > FThreshold) {
            if (FJumpState == kArmed) {
                ResetFilter(X);
                FJumpState = kFollowing;
            } else if (FJumpState == kFollowing) {
                FJumpState = FTimeResponse;
            } else {
                // Counting the held samples down: a step that lasts is taken over once the count
                // is out, instead of being held off for ever.
                --FJumpState;
            }
            return FFilteredValue;
        }
        FJumpState = kFollowing;
    }
    double input = X;
    for (int i = 0; i < FFilterOrder; ++i) {
        FInput[size_t(i)] = input;
        FOutput[size_t(i)] = FAlfa * FOutput[size_t(i)] + (1 - FAlfa) * input;
        input = FOutput[size_t(i)];
    }
    FFilteredValue = FOutput[size_t(FFilterOrder - 1)];
    return FFilteredValue;
}

void TLPFilter::ResetFilter(double Value) {
    FInput.fill(Value);
    FOutput.fill(Value);
    FFilteredValue = Value;
}

void TLPFilter::SetThreshold(double Percent, double High, double Low) {
    if (High >= Low && Percent > 0 && Percent <= 100)
        FThreshold = Percent * (High - Low) / 100;
}
