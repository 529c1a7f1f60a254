#include "audio/Composer.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
}

int scaleNote(int root, int degree) {
    const int octave = static_cast<int>(std::floor(degree / 7.0));
    const int d = degree - octave * 7;
    return root + octave * 12 + kMajor[d];
}

Track::Track(int length) : left_(static_cast<size_t>(length), 0.0f), right_(static_cast<size_t>(length), 0.0f) {}

void Track::add(const Buffer& sound, double atSeconds, float gain, float pan) {
    const size_t n = left_.size();
    const size_t start = static_cast<size_t>(samplesOf(atSeconds)) % n;
    const float l = gain * std::sqrt(0.5f * (1.0f - pan));
    const float r = gain * std::sqrt(0.5f * (1.0f + pan));
    for (size_t i = 0; i < sound.size(); ++i) {
        const size_t k = (start + i) % n;
        left_[k] += sound[i] * l;
        right_[k] += sound[i] * r;
    }
}

void Track::finish(float peak) {
    float m = 0;
    for (size_t i = 0; i < left_.size(); ++i) {
        left_[i] = std::tanh(left_[i]);
        right_[i] = std::tanh(right_[i]);
        m = std::max({m, std::fabs(left_[i]), std::fabs(right_[i])});
    }
    if (m > 0) {
        for (size_t i = 0; i < left_.size(); ++i) {
            left_[i] *= peak / m;
            right_[i] *= peak / m;
        }
    }
}

namespace {

// Rhythm cells for one bar of melody, in eighth-note steps: (start, length).
const std::vector<std::vector<std::pair<int, int>>> kRhythms = {
    {{0, 2}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
    {{0, 1}, {1, 1}, {2, 2}, {4, 1}, {5, 1}, {6, 2}},
    {{0, 3}, {3, 1}, {4, 4}},
    {{0, 2}, {2, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
    {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
    {{0, 2}, {3, 1}, {4, 2}, {6, 1}, {7, 1}},
};

// A motif: a rhythm and a contour of relative scale steps.
struct Motif {
    int rhythm;
    std::vector<int> contour;
};

Motif makeMotif(Noise& rng) {
    Motif m;
    m.rhythm = static_cast<int>(rng.uniform() * kRhythms.size()) % static_cast<int>(kRhythms.size());
    for (size_t i = 0; i < kRhythms[static_cast<size_t>(m.rhythm)].size(); ++i) {
        const double u = rng.uniform();
        m.contour.push_back(u < 0.3 ? 1 : u < 0.55 ? -1 : u < 0.7 ? 2 : u < 0.85 ? -2 : 0);
    }
    return m;
}

} // namespace

int nearestChordTone(int degree, int chord) {
    int best = degree;
    int bestDist = 99;
    for (int oct = -2; oct <= 2; ++oct) {
        for (int k = 0; k < 3; ++k) {
            const int d = chord + 2 * k + 7 * oct;
            if (std::abs(d - degree) < bestDist) {
                bestDist = std::abs(d - degree);
                best = d;
            }
        }
    }
    return best;
}

namespace {

// The nearest chord tone, moved by an octave when it falls outside the
// melody's range of degrees 0 to 11.
int chordToneInRange(int degree, int chord) {
    int t = nearestChordTone(degree, chord);
    while (t < 0) {
        t += 7;
    }
    while (t > 11) {
        t -= 7;
    }
    return t;
}

} // namespace

std::vector<MelodyNote> compose(const Song& song) {
    Noise rng(song.seed);
    const int bars = static_cast<int>(song.chords.size());
    // Sections of eight bars: A, B, A' ... each made of a motif, its repeat over
    // the next chords, a variation and a cadence.
    Motif a1 = makeMotif(rng);
    Motif a2 = makeMotif(rng);
    Motif b1 = makeMotif(rng);
    Motif b2 = makeMotif(rng);
    std::vector<MelodyNote> notes;
    int degree = 4;
    for (int bar = 0; bar < bars; ++bar) {
        const int section = (bar / 8) % 3;
        const int inSection = bar % 8;
        const Motif& m = section == 1 ? (inSection % 4 < 2 ? b1 : b2) : (inSection % 4 < 2 ? a1 : a2);
        const int chord = song.chords[static_cast<size_t>(bar)];
        const auto& rhythm = kRhythms[static_cast<size_t>(m.rhythm)];
        const bool cadence = inSection == 7;
        if (inSection == 0) {
            degree = nearestChordTone(section == 1 ? 7 : 4, chord);
        }
        for (size_t i = 0; i < rhythm.size(); ++i) {
            if (cadence && i > 2) {
                break;
            }
            // The line stays within one octave and a half; strong beats land
            // on chord tones.
            degree = std::clamp(degree + m.contour[i], 0, 11);
            if (rhythm[i].first % 4 == 0) {
                degree = chordToneInRange(degree, chord);
            }
            int length = rhythm[i].second;
            if (cadence && i == 2) {
                degree = chordToneInRange(section == 2 || bar == bars - 1 ? 7 : degree, chord);
                length = 8 - rhythm[i].first;
            }
            notes.push_back(MelodyNote{bar * 8 + rhythm[i].first, length, degree});
        }
        // A little variation the second time round.
        if (section == 2 && inSection == 5 && !notes.empty()) {
            notes.back().degree = chordToneInRange(notes.back().degree + 2, chord);
        }
    }
    return notes;
}

} // namespace assetgen
