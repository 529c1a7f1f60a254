#include "audio/Synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

float Noise::white() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>((state_ >> 8) * (2.0 / 16777216.0) - 1.0);
}

double Noise::uniform() { return (white() + 1.0) * 0.5; }

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

float sineAt(double phase) { return static_cast<float>(std::sin(2 * M_PI * phase)); }

float triangleAt(double phase) {
    const double p = phase - std::floor(phase);
    return static_cast<float>(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
}

float sawAt(double phase) {
    const double p = phase - std::floor(phase);
    return static_cast<float>(2 * p - 1);
}

float pulseAt(double phase, double width) {
    const double p = phase - std::floor(phase);
    return p < width ? 1.0f : -1.0f;
}

double adsr(double t, double length, double attack, double decay, double sustain, double release) {
    if (t < 0) {
        return 0;
    }
    double level;
    if (t < attack) {
        level = t / attack;
    } else if (t < attack + decay) {
        level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
    } else {
        level = sustain;
    }
    if (t > length) {
        const double r = (t - length) / release;
        level *= r >= 1 ? 0 : 1 - r;
    }
    return level;
}

double expDecay(double t, double halfLife) { return t < 0 ? 0 : std::pow(0.5, t / halfLife); }

float OnePole::lowpass(float x, double cutoffHz) {
    const double a = 1.0 - std::exp(-2 * M_PI * cutoffHz / kRate);
    low_ += static_cast<float>(a * (x - low_));
    return low_;
}

float OnePole::highpass(float x, double cutoffHz) { return x - lowpass(x, cutoffHz); }

void Biquad::set(int kind, double hz, double q) {
    if (kind == kind_ && hz == hz_ && q == q_) {
        return;
    }
    kind_ = kind;
    hz_ = hz;
    q_ = q;
    const double w0 = 2 * M_PI * std::min(hz, kRate * 0.45) / kRate;
    const double alpha = std::sin(w0) / (2 * q);
    const double cw = std::cos(w0);
    const double a0 = 1 + alpha;
    if (kind == 0) {
        b0_ = alpha / a0;
        b1_ = 0;
        b2_ = -alpha / a0;
    } else {
        b0_ = (1 - cw) / 2 / a0;
        b1_ = (1 - cw) / a0;
        b2_ = (1 - cw) / 2 / a0;
    }
    a1_ = -2 * cw / a0;
    a2_ = (1 - alpha) / a0;
}

float Biquad::bandpass(float x, double hz, double q) {
    set(0, hz, q);
    return step(x);
}

float Biquad::lowpass(float x, double hz, double q) {
    set(1, hz, q);
    return step(x);
}

float Biquad::step(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

void mixInto(Buffer& dst, const Buffer& src, int offset, float gain) {
    if (offset < 0) {
        offset = 0;
    }
    if (dst.size() < src.size() + static_cast<size_t>(offset)) {
        dst.resize(src.size() + static_cast<size_t>(offset), 0.0f);
    }
    for (size_t i = 0; i < src.size(); ++i) {
        dst[i + static_cast<size_t>(offset)] += src[i] * gain;
    }
}

void normalize(Buffer& b, float peak) {
    float m = 0;
    for (float v : b) {
        m = std::max(m, std::fabs(v));
    }
    if (m > 0) {
        const float k = peak / m;
        for (float& v : b) {
            v *= k;
        }
    }
}

void declick(Buffer& b, double fadeIn, double fadeOut) {
    const int in = std::min<int>(samplesOf(fadeIn), static_cast<int>(b.size()));
    const int out = std::min<int>(samplesOf(fadeOut), static_cast<int>(b.size()));
    for (int i = 0; i < in; ++i) {
        b[static_cast<size_t>(i)] *= static_cast<float>(i) / in;
    }
    for (int i = 0; i < out; ++i) {
        b[b.size() - 1 - static_cast<size_t>(i)] *= static_cast<float>(i) / out;
    }
}

Buffer pluck(double hz, double seconds, double brightness, uint32_t seed) {
    Noise noise(seed);
    const int period = std::max(2, static_cast<int>(kRate / hz + 0.5));
    std::vector<float> line(static_cast<size_t>(period));
    OnePole shape;
    for (float& v : line) {
        v = shape.lowpass(noise.white(), 800 + brightness * 6000);
    }
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    size_t pos = 0;
    for (float& v : out) {
        const size_t next = (pos + 1) % line.size();
        const float s = line[pos];
        line[pos] = 0.996f * 0.5f * (line[pos] + line[next]);
        v = s;
        pos = next;
    }
    declick(out, 0.001, 0.02);
    return out;
}

Buffer bell(double hz, double seconds, double brightness) {
    static const double ratios[] = {0.5, 1.0, 1.19, 1.56, 2.0, 2.51, 2.66, 3.01, 4.1};
    static const double gains[] = {0.35, 1.0, 0.5, 0.45, 0.4, 0.25, 0.2, 0.18, 0.1};
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (size_t k = 0; k < sizeof(ratios) / sizeof(ratios[0]); ++k) {
            const double f = hz * ratios[k];
            if (f > kRate * 0.45) {
                continue;
            }
            const double life = seconds * 0.35 / (1.0 + k * (1.0 - brightness * 0.6));
            v += gains[k] * std::sin(2 * M_PI * f * t) * expDecay(t, life);
        }
        out[i] = static_cast<float>(v * std::min(1.0, t / 0.002));
    }
    declick(out, 0.001, 0.05);
    return out;
}

Buffer marimba(double hz, double seconds) {
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double v = std::sin(2 * M_PI * hz * t) * expDecay(t, 0.18) +
                         0.35 * std::sin(2 * M_PI * hz * 4.0 * t) * expDecay(t, 0.03) +
                         0.12 * std::sin(2 * M_PI * hz * 10.0 * t) * expDecay(t, 0.008);
        out[i] = static_cast<float>(v * std::min(1.0, t / 0.0015));
    }
    declick(out, 0.0, 0.02);
    return out;
}

Buffer noiseBurst(double seconds, double hz, double q, double halfLife, uint32_t seed) {
    Noise noise(seed);
    Biquad filter;
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        out[i] = static_cast<float>(filter.bandpass(noise.white(), hz, q) * expDecay(t, halfLife));
    }
    declick(out, 0.0005, 0.01);
    return out;
}

Buffer kick(double seconds) {
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = 50 + 110 * std::exp(-t * 30);
        phase += f / kRate;
        out[i] = static_cast<float>(std::sin(2 * M_PI * phase) * expDecay(t, 0.07));
    }
    declick(out, 0.0005, 0.01);
    return out;
}

Buffer snare(double seconds, uint32_t seed) {
    Buffer out = noiseBurst(seconds, 2500, 0.7, 0.05, seed);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        out[i] = out[i] * 1.6f + static_cast<float>(0.5 * std::sin(2 * M_PI * 190 * t) * expDecay(t, 0.03));
    }
    return out;
}

Buffer hat(double seconds, uint32_t seed) {
    Noise noise(seed);
    OnePole hp;
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        out[i] = static_cast<float>(hp.highpass(noise.white(), 6000) * expDecay(t, 0.015));
    }
    return out;
}

Buffer clap(uint32_t seed) {
    Buffer out;
    Noise jitter(seed * 7 + 3);
    // A hand clap is a few very close noise bursts.
    for (int k = 0; k < 3; ++k) {
        mixInto(out, noiseBurst(0.16, 1100 + 300 * jitter.uniform(), 1.2, k == 2 ? 0.035 : 0.006, seed + k),
                samplesOf(0.008 * k), k == 2 ? 1.0f : 0.7f);
    }
    return out;
}

} // namespace assetgen
