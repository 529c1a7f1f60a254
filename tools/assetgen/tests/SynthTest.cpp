// The synthesiser's envelopes and filters.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/Synth.h"

using namespace assetgen;

namespace {

// RMS of a sine of hz through a filter, after it has settled.
template <typename F>
double response(double hz, F filter) {
    double sum = 0;
    int n = 0;
    for (int i = 0; i < kRate / 2; ++i) {
        const float x = static_cast<float>(std::sin(2 * M_PI * hz * i / kRate));
        const float y = filter(x);
        if (i > kRate / 10) {
            sum += static_cast<double>(y) * y;
            ++n;
        }
    }
    return std::sqrt(sum / n);
}

} // namespace

TEST(Synth, EnvelopeRisesHoldsAndReleases) {
    // attack 0.1, decay 0.1 to 0.5, note length 1.0, release 0.2
    EXPECT_DOUBLE_EQ(adsr(-0.1, 1.0, 0.1, 0.1, 0.5, 0.2), 0.0);
    EXPECT_NEAR(adsr(0.05, 1.0, 0.1, 0.1, 0.5, 0.2), 0.5, 1e-9);
    EXPECT_NEAR(adsr(0.1, 1.0, 0.1, 0.1, 0.5, 0.2), 1.0, 1e-9);
    EXPECT_NEAR(adsr(0.5, 1.0, 0.1, 0.1, 0.5, 0.2), 0.5, 1e-9);
    EXPECT_NEAR(adsr(1.1, 1.0, 0.1, 0.1, 0.5, 0.2), 0.25, 1e-9);
    EXPECT_DOUBLE_EQ(adsr(1.3, 1.0, 0.1, 0.1, 0.5, 0.2), 0.0);
    EXPECT_NEAR(expDecay(0.3, 0.3), 0.5, 1e-12);
}

TEST(Synth, LowPassKeepsTheLowAndBandPassOnlyItsCentre) {
    const auto lowpass = [](double hz) {
        Biquad f;
        return response(hz, [&](float x) { return f.lowpass(x, 1000, 0.707); });
    };
    const auto bandpass = [](double hz) {
        Biquad f;
        return response(hz, [&](float x) { return f.bandpass(x, 2000, 2.0); });
    };
    EXPECT_NEAR(lowpass(200), std::sqrt(0.5), 0.05);
    EXPECT_LT(lowpass(6000), 0.05);
    const double centre = bandpass(2000);
    EXPECT_NEAR(centre, std::sqrt(0.5), 0.05);
    EXPECT_LT(bandpass(300), centre / 4);
    EXPECT_LT(bandpass(8000), centre / 3);
}

TEST(Synth, OnePoleHighPassRemovesASteadyOffset) {
    OnePole hp;
    float y = 1.0f;
    for (int i = 0; i < kRate; ++i) {
        y = hp.highpass(0.7f, 50);
    }
    EXPECT_NEAR(y, 0.0f, 1e-3);
}

TEST(Synth, PluckedStringSoundsAtItsPitchAndDiesAway) {
    const Buffer b = pluck(220, 2.0, 0.5, 1);
    // The period (strongest autocorrelation) is one cycle of 220 Hz.
    int bestLag = 0;
    double best = -1e9;
    for (int lag = 40; lag < 300; ++lag) {
        double sum = 0;
        for (size_t i = 2000; i < 6000; ++i) {
            sum += static_cast<double>(b[i]) * b[i + static_cast<size_t>(lag)];
        }
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    EXPECT_NEAR(bestLag, kRate / 220.0, 1.5);
    double early = 0;
    double late = 0;
    const size_t window = static_cast<size_t>(kRate / 5);
    for (size_t i = 0; i < window; ++i) {
        early += std::fabs(b[i]);
        late += std::fabs(b[b.size() - 2 * window + i]);
    }
    EXPECT_LT(late, early / 2);
    EXPECT_NE(pluck(220, 0.2, 0.5, 3), pluck(220, 0.2, 0.5, 4)) << "the seed changes the noise";
}

TEST(Synth, DeclickLeavesSilentEnds) {
    Buffer b(1000, 1.0f);
    declick(b, 0.001, 0.002);
    EXPECT_FLOAT_EQ(b.front(), 0.0f);
    EXPECT_LT(b.back(), 0.05f);
    EXPECT_FLOAT_EQ(b[500], 1.0f);
}
