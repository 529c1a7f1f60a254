// The sound effects: each synthesised from oscillators, noise, envelopes and
// filters, and written as mono Ogg Vorbis.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "audio/OggWriter.h"
#include "audio/Synth.h"
#include "core/Families.h"

namespace assetgen {

namespace {

// Renders seconds of sound from a per-sample function of time.
Buffer render(double seconds, const std::function<double(double t)>& f) {
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<float>(f(static_cast<double>(i) / kRate));
    }
    return out;
}

// A tone whose frequency follows a function of time (phase accumulated).
Buffer sweep(double seconds, const std::function<double(double)>& hz, const std::function<double(double)>& amp,
             float (*wave)(double) = &sineAt) {
    Buffer out(static_cast<size_t>(samplesOf(seconds)));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += hz(t) / kRate;
        out[i] = static_cast<float>(wave(phase) * amp(t));
    }
    return out;
}

Buffer note(double midi, double seconds, double gain = 1.0) {
    Buffer b = marimba(midiToHz(midi), seconds);
    for (float& v : b) {
        v *= static_cast<float>(gain);
    }
    return b;
}

// A bright chiptune-like lead note for the jingles.
Buffer lead(double midi, double seconds) {
    const double hz = midiToHz(midi);
    return sweep(
        seconds + 0.15, [hz](double t) { return hz * (1.0 + 0.004 * std::sin(2 * M_PI * 6 * t)); },
        [seconds](double t) { return 0.5 * adsr(t, seconds, 0.01, 0.08, 0.7, 0.12); },
        [](double p) { return 0.6f * pulseAt(p, 0.25) + 0.4f * triangleAt(p); });
}

Buffer sequence(const std::vector<std::pair<double, double>>& notes, double step, double noteLen,
                bool useLead) {
    Buffer out;
    for (size_t i = 0; i < notes.size(); ++i) {
        const Buffer n = useLead ? lead(notes[i].first, noteLen * notes[i].second) : note(notes[i].first, 0.6);
        mixInto(out, n, samplesOf(step * static_cast<double>(i)));
    }
    return out;
}

Buffer mouseClick() {
    Buffer b = noiseBurst(0.04, 3500, 1.5, 0.004, 11);
    mixInto(b, render(0.03, [](double t) { return 0.6 * std::sin(2 * M_PI * 1800 * t) * expDecay(t, 0.005); }), 0);
    return b;
}

Buffer pop() {
    Buffer b = sweep(
        0.12, [](double t) { return 300 + 700 * std::exp(-t * 40); },
        [](double t) { return adsr(t, 0.05, 0.002, 0.03, 0.5, 0.06); });
    mixInto(b, noiseBurst(0.02, 2000, 1.0, 0.003, 12), 0, 0.3f);
    return b;
}

Buffer typewriter() {
    Buffer b = noiseBurst(0.08, 3200, 2.0, 0.008, 13);
    mixInto(b, render(0.06, [](double t) { return 0.7 * std::sin(2 * M_PI * 140 * t) * expDecay(t, 0.01); }), 0);
    mixInto(b, noiseBurst(0.05, 5200, 4.0, 0.004, 14), samplesOf(0.012), 0.5f);
    return b;
}

Buffer bow() {
    // The string's twang and the swish of the throw.
    Buffer b = pluck(98, 0.5, 0.5, 15);
    Noise n(16);
    Biquad bp;
    Buffer swish = render(0.3, [&](double t) {
        return bp.bandpass(n.white(), 800 + 3000 * t / 0.3, 1.5) * adsr(t, 0.12, 0.04, 0.05, 0.6, 0.15);
    });
    mixInto(b, swish, samplesOf(0.01), 1.2f);
    return b;
}

Buffer metalClank(uint32_t seed, double base) {
    static const double partials[] = {1.0, 2.32, 3.71, 5.12, 6.9};
    Buffer b = render(0.45, [base](double t) {
        double v = 0;
        for (size_t k = 0; k < 5; ++k) {
            v += std::sin(2 * M_PI * base * partials[k] * t) * expDecay(t, 0.08 / (1 + k * 0.4)) / (1 + k * 0.5);
        }
        return v;
    });
    mixInto(b, noiseBurst(0.05, 900, 0.8, 0.008, seed), 0, 1.5f);
    mixInto(b, render(0.08, [](double t) { return std::sin(2 * M_PI * 90 * t) * expDecay(t, 0.02); }), 0, 0.8f);
    return b;
}

Buffer coupling() {
    Buffer b = metalClank(17, 310);
    mixInto(b, metalClank(18, 420), samplesOf(0.06), 0.6f);
    return b;
}

Buffer whistleChord(double seconds, uint32_t seed) {
    // A steam whistle: three reedy tones with breath noise and a pitch swell.
    Noise n(seed);
    Biquad bp;
    const double notes[] = {69, 73, 76};
    Buffer b;
    for (double m : notes) {
        const double hz = midiToHz(m);
        mixInto(b, sweep(
                       seconds, [hz](double t) { return hz * (0.97 + 0.03 * std::min(1.0, t / 0.08)); },
                       [seconds](double t) { return adsr(t, seconds - 0.12, 0.05, 0.05, 0.85, 0.12); },
                       [](double p) { return 0.55f * sawAt(p) + 0.45f * sineAt(p); }),
                0, 0.35f);
    }
    mixInto(b, render(seconds, [&](double t) {
                return bp.bandpass(n.white(), 1800, 3.0) * adsr(t, seconds - 0.12, 0.05, 0.05, 0.8, 0.12);
            }),
            0, 0.12f);
    OnePole lp;
    for (float& v : b) {
        v = lp.lowpass(v, 3500);
    }
    return b;
}

Buffer tootLong() { return whistleChord(1.3, 19); }

Buffer tootShort2() {
    Buffer b = whistleChord(0.28, 20);
    mixInto(b, whistleChord(0.34, 21), samplesOf(0.38));
    return b;
}

// A loop of steam chuffs: exactly two seconds, eight chuffs, no fade at
// either end, so that it repeats without a seam.
Buffer chug() {
    const double loop = 2.0;
    Buffer b(static_cast<size_t>(samplesOf(loop)), 0.0f);
    for (int k = 0; k < 8; ++k) {
        const double strong = k % 2 == 0 ? 1.0 : 0.7;
        Buffer chuff = noiseBurst(0.22, 700 + 150 * (k % 4), 0.9, 0.045, 30 + static_cast<uint32_t>(k));
        const int start = samplesOf(loop * k / 8.0);
        for (size_t i = 0; i < chuff.size(); ++i) {
            b[(static_cast<size_t>(start) + i) % b.size()] += static_cast<float>(chuff[i] * strong);
        }
    }
    return b;
}

Buffer stardust() {
    Buffer b;
    Noise n(22);
    for (int k = 0; k < 26; ++k) {
        const double t0 = 0.9 * k / 26.0 + 0.03 * n.uniform();
        const double hz = 1800 + 3500 * n.uniform();
        mixInto(b, bell(hz, 0.5, 0.8), samplesOf(t0), static_cast<float>(0.4 * (1.0 - t0)));
    }
    Noise s(23);
    OnePole hp;
    mixInto(b, render(1.2, [&](double t) { return hp.highpass(s.white(), 7000) * 0.15 * adsr(t, 0.6, 0.2, 0.1, 0.8, 0.5); }),
            0);
    return b;
}

Buffer boom() {
    Noise n(24);
    Biquad lp;
    Buffer b = render(1.4, [&](double t) {
        return lp.lowpass(n.white(), 120 + 2500 * std::exp(-t * 8), 0.9) * expDecay(t, 0.25) * 2.0;
    });
    mixInto(b, sweep(
                   1.0, [](double t) { return 35 + 60 * std::exp(-t * 6); }, [](double t) { return expDecay(t, 0.2); }),
            0, 0.9f);
    return b;
}

Buffer chainClick() {
    Buffer b = noiseBurst(0.05, 4200, 6.0, 0.006, 25);
    mixInto(b, render(0.04, [](double t) { return 0.4 * std::sin(2 * M_PI * 2900 * t) * expDecay(t, 0.006); }), 0);
    return b;
}

Buffer strum(const std::vector<double>& notes, double seconds, double gap, double drive, uint32_t seed) {
    Buffer b;
    for (size_t i = 0; i < notes.size(); ++i) {
        mixInto(b, pluck(midiToHz(notes[i]), seconds, 0.8, seed + static_cast<uint32_t>(i)),
                samplesOf(gap * static_cast<double>(i)), 0.6f);
    }
    if (drive > 0) {
        // Overdrive, then a speaker cabinet's roll-off of the harsh top.
        Biquad cabinet;
        for (float& v : b) {
            v = cabinet.lowpass(static_cast<float>(std::tanh(v * drive) / std::tanh(drive)), 2800, 0.8);
        }
    }
    return b;
}

Buffer guitarPower() { return strum({40, 47, 52, 55, 59}, 1.6, 0.012, 4.0, 26); }
Buffer guitarHappy() { return strum({55, 59, 62, 67, 71, 79}, 1.6, 0.025, 0.0, 27); }

Buffer clockTick() {
    Buffer b = noiseBurst(0.08, 1300, 8.0, 0.012, 28);
    mixInto(b, noiseBurst(0.05, 2600, 5.0, 0.006, 29), 0, 0.6f);
    return b;
}

Buffer vibe() {
    Buffer b;
    const double notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        const double hz = midiToHz(notes[i]);
        mixInto(b, render(1.2, [hz](double t) {
                    return std::sin(2 * M_PI * hz * t) * expDecay(t, 0.35) * (0.75 + 0.25 * std::sin(2 * M_PI * 5.5 * t)) +
                           0.2 * std::sin(2 * M_PI * hz * 4 * t) * expDecay(t, 0.05);
                }),
                samplesOf(0.09 * i), 0.6f);
    }
    return b;
}

Buffer crack(double seconds, uint32_t seed) {
    Noise n(seed);
    OnePole lp;
    return render(seconds, [&](double t) {
        return lp.lowpass(n.white(), 300 + 5000 * std::exp(-t * 20)) * expDecay(t, 0.06) * 2.5;
    });
}

Buffer fireworkShort() {
    Buffer b = crack(0.5, 31);
    mixInto(b, boom(), 0, 0.3f);
    return b;
}

Buffer fireworkFull() {
    // The rocket's whistle, the bang and a tail of crackles.
    Buffer b = sweep(
        0.6, [](double t) { return 900 + 1800 * t / 0.6; }, [](double t) { return 0.3 * adsr(t, 0.5, 0.05, 0.1, 0.8, 0.1); });
    mixInto(b, crack(0.6, 32), samplesOf(0.6));
    mixInto(b, boom(), samplesOf(0.6), 0.5f);
    Noise n(33);
    for (int k = 0; k < 30; ++k) {
        const double t0 = 0.8 + 1.0 * n.uniform();
        mixInto(b, noiseBurst(0.03, 3000 + 3000 * n.uniform(), 2.0, 0.004, 40 + static_cast<uint32_t>(k)),
                samplesOf(t0), static_cast<float>(0.8 * (1.9 - t0)));
    }
    return b;
}

Buffer airbrake() {
    Noise n(34);
    OnePole hp;
    Biquad bp;
    return render(1.1, [&](double t) {
        const double v = hp.highpass(n.white(), 2500) + 0.6 * bp.bandpass(n.white(), 5000, 1.5);
        return v * adsr(t, 0.7, 0.02, 0.15, 0.65, 0.35);
    });
}

Buffer railSqueak() {
    Noise n(35);
    Buffer b = sweep(
        0.9, [](double t) { return 2300 + 180 * std::sin(2 * M_PI * 7 * t) + 400 * t; },
        [](double t) { return 0.5 * adsr(t, 0.7, 0.06, 0.1, 0.8, 0.2) * (0.7 + 0.3 * std::sin(2 * M_PI * 13 * t)); },
        [](double p) { return 0.7f * sineAt(p) + 0.3f * sineAt(2 * p); });
    mixInto(b, noiseBurst(0.9, 2400, 3.0, 0.4, 36), 0, 0.5f);
    return b;
}

Buffer depart() {
    // The guard's whistle: two trilled blows.
    Buffer b;
    for (int k = 0; k < 2; ++k) {
        const double len = k == 0 ? 0.25 : 0.6;
        Noise n(37 + static_cast<uint32_t>(k));
        Biquad bp;
        Buffer blow = sweep(
            len, [](double t) { return 2750 + 60 * std::sin(2 * M_PI * 28 * t); },
            [len](double t) { return adsr(t, len - 0.05, 0.015, 0.02, 0.9, 0.05) * (0.75 + 0.25 * std::sin(2 * M_PI * 28 * t)); });
        Buffer breath = render(len, [&](double t) { return bp.bandpass(n.white(), 2750, 4.0) * adsr(t, len - 0.05, 0.015, 0.02, 0.9, 0.05); });
        mixInto(blow, breath, 0, 0.8f);
        mixInto(b, blow, samplesOf(k == 0 ? 0.0 : 0.35));
    }
    return b;
}

Buffer tickSlow() {
    Buffer b;
    for (int k = 0; k < 4; ++k) {
        Buffer t = noiseBurst(0.1, (k % 2 == 0 ? 1400 : 1000) * (1.0 - 0.08 * k), 8.0, 0.015, 50 + static_cast<uint32_t>(k));
        mixInto(b, t, samplesOf(0.55 * k), static_cast<float>(1.0 - 0.15 * k));
    }
    return b;
}

Buffer jingleStreak() {
    Buffer b = sequence({{84, 1}, {88, 1}, {91, 2}}, 0.11, 0.12, true);
    mixInto(b, stardust(), samplesOf(0.2), 0.35f);
    return b;
}

Buffer jingleExtraLife() {
    Buffer b = sequence({{72, 1}, {76, 1}, {79, 1}, {84, 1}, {79, 1}, {84, 4}}, 0.1, 0.11, true);
    for (double m : {60.0, 64.0, 67.0, 72.0}) {
        mixInto(b, note(m, 0.9, 0.5), samplesOf(0.5));
    }
    return b;
}

Buffer jingleLose() {
    // A sagging "wah wah wah waaah".
    Buffer b;
    const double notes[] = {67, 66, 65, 64};
    for (int i = 0; i < 4; ++i) {
        const double len = i == 3 ? 0.9 : 0.32;
        const double hz = midiToHz(notes[i] - 12);
        Biquad lp;
        Buffer n = sweep(
            len + 0.1,
            [hz, i](double t) { return hz * (i == 3 ? 1.0 + 0.015 * std::sin(2 * M_PI * 5 * t) : 1.0); },
            [len](double t) { return adsr(t, len, 0.02, 0.1, 0.8, 0.1); }, &sawAt);
        for (size_t k = 0; k < n.size(); ++k) {
            const double t = static_cast<double>(k) / kRate;
            n[k] = lp.lowpass(n[k], 300 + 1500 * (0.5 + 0.5 * std::sin(2 * M_PI * (1.0 / len) * t - M_PI / 2)), 2.0);
        }
        mixInto(b, n, samplesOf(0.36 * i));
    }
    return b;
}

Buffer jingleWin() {
    Buffer b = sequence({{72, 1}, {72, 1}, {72, 1}, {76, 3}, {74, 1}, {76, 1}, {79, 6}}, 0.12, 0.13, true);
    for (double m : {48.0, 60.0, 64.0, 67.0, 72.0}) {
        mixInto(b, note(m, 1.2, 0.45), samplesOf(0.84));
    }
    mixInto(b, stardust(), samplesOf(0.84), 0.3f);
    return b;
}

Buffer jingleWrong() {
    Buffer b;
    const double notes[] = {55, 50};
    for (int i = 0; i < 2; ++i) {
        const double hz = midiToHz(notes[i]);
        mixInto(b, sweep(
                       0.22, [hz](double) { return hz; }, [](double t) { return 0.6 * adsr(t, 0.16, 0.01, 0.05, 0.7, 0.05); },
                       [](double p) { return pulseAt(p, 0.5) * 0.5f + sawAt(p) * 0.5f; }),
                samplesOf(0.17 * i));
    }
    OnePole lp;
    for (float& v : b) {
        v = lp.lowpass(v, 1800);
    }
    return b;
}

Buffer fireballLaunch() {
    Noise n(60);
    Biquad bp;
    Buffer b = render(0.9, [&](double t) {
        return bp.bandpass(n.white(), 400 + 2600 * std::sqrt(t / 0.9), 0.8) * adsr(t, 0.5, 0.08, 0.2, 0.7, 0.3) * 2.0;
    });
    Noise r(61);
    Biquad lp;
    mixInto(b, render(0.9, [&](double t) { return lp.lowpass(r.white(), 200, 0.7) * adsr(t, 0.5, 0.05, 0.2, 0.8, 0.35) * 3.0; }),
            0);
    return b;
}

// A rocket leaving: a rising whoosh of air with a thin whistle climbing
// inside it, fading as the rocket gets away.
Buffer rocketLaunch() {
    const double seconds = 0.9;
    Noise n(62);
    Biquad bp;
    Buffer b = render(seconds, [&](double t) {
        const double rise = t / seconds;
        return bp.bandpass(n.white(), 350 + 3200 * rise * rise, 1.2) * adsr(t, seconds - 0.3, 0.06, 0.1, 0.8, 0.3) *
               2.0;
    });
    mixInto(b, sweep(
                   seconds, [seconds](double t) { return 700 + 1900 * t / seconds; },
                   [seconds](double t) { return 0.25 * adsr(t, seconds - 0.35, 0.12, 0.1, 0.7, 0.35); }),
            0);
    return b;
}

Buffer handClap() { return clap(70); }

Buffer applause(double seconds, int claps, uint32_t seed) {
    Buffer b;
    Noise n(seed);
    for (int k = 0; k < claps; ++k) {
        // Density swells in and thins out at the end, like a real crowd.
        double t0 = n.uniform();
        t0 = std::pow(t0, 0.85) * (seconds - 0.2);
        mixInto(b, clap(seed * 31 + static_cast<uint32_t>(k)), samplesOf(t0),
                static_cast<float>(0.25 + 0.35 * n.uniform()));
    }
    Noise crowd(seed + 1);
    Biquad bp;
    mixInto(b, render(seconds, [&](double t) {
                return bp.bandpass(crowd.white(), 1200, 0.5) * 0.4 * adsr(t, seconds - 0.5, 0.3, 0.2, 0.8, 0.5);
            }),
            0);
    return b;
}

struct Effect {
    const char* file;
    Buffer (*make)();
    float peak;
};

const Effect kEffects[] = {
    {"sfx/clickXP.ogg", &mouseClick, 0.7f},
    {"sfx/pop.ogg", &pop, 0.8f},
    {"sfx/typewriter.ogg", &typewriter, 0.7f},
    {"sfx/bow.ogg", &bow, 0.8f},
    {"sfx/coupling.ogg", &coupling, 0.8f},
    {"sfx/trainBell-short.ogg", [] { return bell(1250, 0.9, 0.7); }, 0.7f},
    {"sfx/tootLong.ogg", &tootLong, 0.75f},
    {"sfx/tootShortx2.ogg", &tootShort2, 0.75f},
    {"sfx/chugcontinuous2.ogg", &chug, 0.6f},
    {"sfx/stardust.ogg", &stardust, 0.7f},
    {"sfx/boom.ogg", &boom, 0.9f},
    {"sfx/chainclick.ogg", &chainClick, 0.5f},
    {"sfx/guitar1.ogg", &guitarPower, 0.8f},
    {"sfx/clock-tick.ogg", &clockTick, 0.7f},
    {"sfx/vibe.ogg", &vibe, 0.7f},
    {"sfx/fireworkbang-short.ogg", &fireworkShort, 0.85f},
    {"sfx/fireworkbang.ogg", &fireworkFull, 0.85f},
    {"sfx/airbrake.ogg", &airbrake, 0.6f},
    {"sfx/railsqueak.ogg", &railSqueak, 0.6f},
    {"sfx/depart.ogg", &depart, 0.65f},
    {"sfx/guitar2.ogg", &guitarHappy, 0.8f},
    {"sfx/bell.ogg", [] { return bell(660, 2.2, 0.6); }, 0.8f},
    {"sfx/bellsmall.ogg", [] { return bell(1760, 1.0, 0.8); }, 0.7f},
    {"sfx/clocktick.slow.ogg", &tickSlow, 0.7f},
    {"sfx/jingleX3part.ogg", &jingleStreak, 0.75f},
    {"sfx/jingle03.ogg", &jingleExtraLife, 0.75f},
    {"sfx/jinglelose.ogg", &jingleLose, 0.75f},
    {"sfx/jinglewin.ogg", &jingleWin, 0.75f},
    {"sfx/jingle06.ogg", &jingleWrong, 0.7f},
    {"sfx/fireball.ogg", &fireballLaunch, 0.8f},
    {"sfx/hclap60.ogg", &handClap, 0.8f},
    {"sfx/applause-1.ogg", [] { return applause(2.0, 60, 80); }, 0.7f},
    {"sfx/applause-2.ogg", [] { return applause(3.0, 110, 81); }, 0.7f},
    {"sfx/applause-3.ogg", [] { return applause(4.5, 190, 82); }, 0.7f},
    {"sfx/fireworklaunch.ogg", &rocketLaunch, 0.75f},
};

void writeEffect(const Output& out, size_t index) {
    const Effect& e = kEffects[index];
    Buffer b = e.make();
    normalize(b, e.peak);
    if (std::string(e.file) != "sfx/chugcontinuous2.ogg") {
        declick(b);
    }
    out.write(e.file, encodeOgg({&b}, 0.5f, 1000 + static_cast<int>(index)));
}

} // namespace

void generateSounds(const Output& out) {
    runParallel(sizeof(kEffects) / sizeof(kEffects[0]), [&out](size_t i) { writeEffect(out, i); });
}

} // namespace assetgen
