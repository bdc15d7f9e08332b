#include "measurement/LPFilter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Feed(TLPFilter& filter, const std::vector<double>& samples) {
    std::vector<double> out;
    for (double x : samples)
        out.push_back(filter.FilterSample(x));
    return out;
}

TEST(LPFilter, SettersTakeOnlyTheirRanges) {
    TLPFilter f;
    EXPECT_EQ(f.Alfa(), 0.0);
    EXPECT_EQ(f.FilterOrder(), 2);
    EXPECT_EQ(f.TimeResponse(), 0);
    for (double bad : {1.0, 0.05, 0.1, -0.5})
        f.SetAlfa(bad);
    EXPECT_EQ(f.Alfa(), 0.0);
    f.SetAlfa(0.999);
    EXPECT_EQ(f.Alfa(), 0.999);
    f.SetFilterOrder(0);
    f.SetFilterOrder(11);
    EXPECT_EQ(f.FilterOrder(), 2);
    f.SetFilterOrder(10);
    EXPECT_EQ(f.FilterOrder(), 10);
}

TEST(LPFilter, StagesCascade) {
    TLPFilter first;
    first.SetAlfa(0.5);
    first.SetFilterOrder(1);
    EXPECT_EQ(Feed(first, {0, 1, 1}), (std::vector<double>{0, 0.5, 0.75}));

    TLPFilter second;
    second.SetAlfa(0.5);
    EXPECT_EQ(Feed(second, {1, 1}), (std::vector<double>{0.25, 0.5}));

    // Alfa 0 passes the input through, even through all ten stages.
    TLPFilter through;
    through.SetFilterOrder(10);
    EXPECT_EQ(through.FilterSample(3.5), 3.5);

    TLPFilter reset;
    reset.SetAlfa(0.5);
    reset.SetFilterOrder(1);
    reset.ResetFilter(8);
    EXPECT_EQ(reset.FilteredValue(), 8.0);
    EXPECT_EQ(reset.FilterSample(0), 4.0);
}

TEST(LPFilter, StepIsTakenOverHeldOffAndResumedFrom) {
    TLPFilter f;
    f.SetAlfa(0.5);
    f.SetFilterOrder(1);
    f.SetTimeResponse(5);
    f.SetThreshold(1, 100, 0);
    EXPECT_EQ(f.FilterSample(10), 10.0);  // the first step resets the stages to it
    EXPECT_EQ(f.FilterSample(0), 10.0);   // a spike is held off
    EXPECT_EQ(f.FilterSample(9.5), 9.75); // filtering goes on from the held stages
}

TEST(LPFilter, LastingStepsAreTakenOverAfterTheHoldEveryTime) {
    TLPFilter f;
    f.SetAlfa(0.5);
    f.SetFilterOrder(1);
    f.SetTimeResponse(2);
    f.SetThreshold(10, 100, 0); // 10
    EXPECT_EQ(f.FilterSample(50), 50.0);
    // Held: the first held sample starts the count at 2, the next two count it down to 0; then the
    // step is taken over.
    EXPECT_EQ(Feed(f, {0, 0, 0, 0}), (std::vector<double>{50, 50, 50, 0}));
    // A second lasting step is followed the same way instead of freezing the output.
    EXPECT_EQ(Feed(f, {80, 80, 80, 80, 80}), (std::vector<double>{0, 0, 0, 80, 80}));
    // A sample back within the threshold re-arms the hold in full.
    EXPECT_EQ(Feed(f, {20, 20, 80}), (std::vector<double>{80, 80, 80}));
    EXPECT_EQ(Feed(f, {20, 20, 20, 20}), (std::vector<double>{80, 80, 80, 20}));

    // TimeResponse 255 is a count like any other.
    TLPFilter slow;
    slow.SetTimeResponse(255);
    slow.SetThreshold(10, 100, 0);
    slow.FilterSample(50);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(slow.FilterSample(0), 50.0) << i;
    EXPECT_EQ(slow.FilterSample(0), 0.0);
}

TEST(LPFilter, ThresholdNeedsASpanAndAPercentage) {
    TLPFilter f;
    f.SetAlfa(0.5);
    f.SetFilterOrder(1);
    f.SetTimeResponse(1);
    f.SetThreshold(0, 100, 0);
    f.SetThreshold(101, 100, 0);
    f.SetThreshold(50, 0, 100);
    // Still the initial 100: a jump of 50 is filtered, not taken over.
    EXPECT_EQ(f.FilterSample(50), 25.0);
    f.SetThreshold(100, 20, 10); // 10
    EXPECT_EQ(f.FilterSample(36), 25.0);
    EXPECT_EQ(f.FilterSample(35), 30.0);
}

} // namespace
