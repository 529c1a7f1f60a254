#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

// Sound building blocks. Every buffer is mono float at kRate samples per
// second; all randomness comes from a seeded source, so every run makes the
// same samples.
constexpr int kRate = 22050;

using Buffer = std::vector<float>;

class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
    float white(); // -1 .. 1
    double uniform(); // 0 .. 1

private:
    uint32_t state_;
};

inline int samplesOf(double seconds) { return static_cast<int>(seconds * kRate + 0.5); }

double midiToHz(double note);

// Oscillators by phase in cycles (0..1 repeating).
float sineAt(double phase);
float triangleAt(double phase);
float sawAt(double phase);
float pulseAt(double phase, double width);

// Envelopes: a value 0..1 at time t seconds.
double adsr(double t, double length, double attack, double decay, double sustain, double release);
double expDecay(double t, double halfLife);

// One-pole and resonant filters that keep their state across calls.
class OnePole {
public:
    float lowpass(float x, double cutoffHz);
    float highpass(float x, double cutoffHz);

private:
    float low_ = 0;
};

class Biquad {
public:
    // Resonant band-pass and low-pass (RBJ cookbook), recomputed when the
    // parameters change.
    float bandpass(float x, double hz, double q);
    float lowpass(float x, double hz, double q);

private:
    void set(int kind, double hz, double q);
    float step(float x);
    int kind_ = -1;
    double hz_ = 0, q_ = 0;
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Mixes src into dst starting at sample offset, growing dst when needed.
void mixInto(Buffer& dst, const Buffer& src, int offset, float gain = 1.0f);
// Scales so that the largest magnitude equals peak.
void normalize(Buffer& b, float peak);
// Short linear fades at both ends so nothing clicks.
void declick(Buffer& b, double fadeIn = 0.002, double fadeOut = 0.01);

// Instruments shared by the effects and the music.
Buffer pluck(double hz, double seconds, double brightness, uint32_t seed); // Karplus-Strong string
Buffer bell(double hz, double seconds, double brightness);                 // inharmonic partials
Buffer marimba(double hz, double seconds);
Buffer noiseBurst(double seconds, double hz, double q, double halfLife, uint32_t seed);
Buffer kick(double seconds);
Buffer snare(double seconds, uint32_t seed);
Buffer hat(double seconds, uint32_t seed);
Buffer clap(uint32_t seed);

} // namespace assetgen
