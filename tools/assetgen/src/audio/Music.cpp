// The music: five looping tunes composed from a chord progression, a melody
// built from motifs over it, a bass line, chord stabs and drums.
#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/OggWriter.h"
#include "audio/Synth.h"
#include "core/Families.h"

namespace assetgen {

namespace {

enum class Lead { Chip, Marimba, Flute };

struct Song {
    const char* file;
    uint32_t seed;
    double bpm;
    int root;                 // MIDI note of the key's tonic (melody octave)
    std::vector<int> chords;  // scale degree (0 = I) of each bar's chord, one loop
    Lead lead;
    bool drive;               // the urgent style: pumping bass, busy drums
    double swing;             // 0 straight, up to 0.33 for shuffled eighths
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};

int scaleNote(int root, int degree) {
    const int octave = static_cast<int>(std::floor(degree / 7.0));
    const int d = degree - octave * 7;
    return root + octave * 12 + kMajor[d];
}

// A stereo loop: notes whose tails run past the end come back in at the
// start, so the loop joins without a seam.
class Track {
public:
    explicit Track(int length) : left_(static_cast<size_t>(length), 0.0f), right_(static_cast<size_t>(length), 0.0f) {}

    void add(const Buffer& sound, double atSeconds, float gain, float pan) {
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

    void finish(float peak) {
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

    const Buffer& left() const { return left_; }
    const Buffer& right() const { return right_; }

private:
    Buffer left_;
    Buffer right_;
};

Buffer leadNote(Lead lead, int midi, double seconds) {
    const double hz = midiToHz(midi);
    Buffer out(static_cast<size_t>(samplesOf(seconds + 0.25)));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double vib = t > 0.15 ? 0.005 * std::sin(2 * M_PI * 5.5 * t) : 0.0;
        phase += hz * (1 + vib) / kRate;
        double v;
        switch (lead) {
        case Lead::Chip:
            v = (0.5 * pulseAt(phase, 0.25) + 0.5 * triangleAt(phase)) * adsr(t, seconds, 0.008, 0.1, 0.55, 0.08);
            break;
        case Lead::Flute:
            v = (0.8 * sineAt(phase) + 0.15 * sineAt(2 * phase) + 0.08 * triangleAt(3 * phase)) *
                adsr(t, seconds, 0.04, 0.1, 0.8, 0.12);
            break;
        default:
            v = 0;
            break;
        }
        out[i] = static_cast<float>(v);
    }
    if (lead == Lead::Marimba) {
        Buffer m = marimba(hz, seconds + 0.25);
        mixInto(m, marimba(hz * 2, 0.3), 0, 0.25f);
        return m;
    }
    OnePole lp;
    for (float& v : out) {
        v = lp.lowpass(v, 4000);
    }
    declick(out, 0.002, 0.02);
    return out;
}

Buffer bassNote(int midi, double seconds) {
    const double hz = midiToHz(midi);
    Buffer out(static_cast<size_t>(samplesOf(seconds + 0.05)));
    double phase = 0;
    OnePole lp;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += hz / kRate;
        const double v = (0.7 * triangleAt(phase) + 0.3 * sawAt(phase)) * adsr(t, seconds, 0.005, 0.15, 0.6, 0.04);
        out[i] = lp.lowpass(static_cast<float>(v), 900);
    }
    declick(out, 0.002, 0.01);
    return out;
}

// Rhythm cells for one bar of melody, in eighth-note steps: (start, length).
const std::vector<std::vector<std::pair<int, int>>> kRhythms = {
    {{0, 2}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
    {{0, 1}, {1, 1}, {2, 2}, {4, 1}, {5, 1}, {6, 2}},
    {{0, 3}, {3, 1}, {4, 4}},
    {{0, 2}, {2, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
    {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
    {{0, 2}, {3, 1}, {4, 2}, {6, 1}, {7, 1}},
};

struct MelodyNote {
    int step;   // eighth-note index from the start of the loop
    int length; // in eighths
    int degree; // scale degree relative to the tonic
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
            degree += m.contour[i];
            // Strong beats land on chord tones; the line stays in one octave and a half.
            if (rhythm[i].first % 4 == 0) {
                degree = nearestChordTone(degree, chord);
            }
            degree = std::clamp(degree, 0, 11);
            int length = rhythm[i].second;
            if (cadence && i == 2) {
                degree = nearestChordTone(section == 2 || bar == bars - 1 ? 7 : degree, chord);
                length = 8 - rhythm[i].first;
            }
            notes.push_back(MelodyNote{bar * 8 + rhythm[i].first, length, degree});
        }
        // A little variation the second time round.
        if (section == 2 && inSection == 5 && !notes.empty()) {
            notes.back().degree = nearestChordTone(notes.back().degree + 2, chord);
        }
    }
    return notes;
}

void writeSong(const Output& out, const Song& song) {
    const double beat = 60.0 / song.bpm;
    const double eighth = beat / 2;
    const int bars = static_cast<int>(song.chords.size());
    const double length = bars * 4 * beat;
    Track track(samplesOf(length));
    auto at = [&](int step) {
        // Swing delays every second eighth.
        return step * eighth + ((step % 2 == 1) ? song.swing * eighth : 0.0);
    };

    // Melody.
    for (const MelodyNote& n : compose(song)) {
        const int midi = scaleNote(song.root, n.degree);
        track.add(leadNote(song.lead, midi, n.length * eighth * 0.92), at(n.step), 0.32f, 0.15f);
        // A soft echo of the melody on the other side.
        track.add(leadNote(song.lead, midi, n.length * eighth * 0.8), at(n.step) + beat * 0.75, 0.08f, -0.6f);
    }

    Noise drums(song.seed + 99);
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = song.chords[static_cast<size_t>(bar)];
        const int bassRoot = scaleNote(song.root - 24, chord);
        const double barStart = bar * 4 * beat;
        // Bass.
        if (song.drive) {
            for (int e = 0; e < 8; ++e) {
                const int midi = e % 2 == 0 ? bassRoot : bassRoot + 12;
                track.add(bassNote(midi, eighth * 0.8), barStart + at(e), 0.5f, 0.0f);
            }
        } else {
            const int fifth = scaleNote(song.root - 24, chord + 4);
            const int pattern[4] = {bassRoot, fifth, bassRoot + 12, fifth};
            for (int q = 0; q < 4; ++q) {
                track.add(bassNote(pattern[q], beat * 0.85), barStart + q * beat, 0.55f, 0.0f);
            }
        }
        // Chord stabs on the off-beats.
        for (int e = 1; e < 8; e += 2) {
            if (!song.drive && e % 4 == 1 && e != 1) {
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                const int midi = scaleNote(song.root - 12, chord + 2 * k);
                Buffer stab = song.lead == Lead::Marimba ? pluck(midiToHz(midi), 0.35, 0.6, song.seed + static_cast<uint32_t>(bar * 16 + e * 3 + k))
                                                         : marimba(midiToHz(midi), 0.35);
                track.add(stab, barStart + at(e), 0.11f, k == 0 ? -0.4f : (k == 1 ? 0.0f : 0.4f));
            }
        }
        // Drums.
        for (int s = 0; s < 16; ++s) {
            const double t = barStart + (s / 2) * eighth + (s % 2) * eighth / 2 +
                             ((s / 2) % 2 == 1 ? song.swing * eighth : 0.0);
            const bool quarter = s % 4 == 0;
            if ((song.drive && quarter) || (!song.drive && (s == 0 || s == 8 || (s == 10 && bar % 2 == 1)))) {
                track.add(kick(0.3), t, 0.75f, 0.0f);
            }
            if (s == 4 || s == 12) {
                track.add(snare(0.25, drums.white() > 0 ? 5u : 6u), t, 0.4f, 0.1f);
            }
            if (s % 2 == 0 || song.drive) {
                track.add(hat(0.08, static_cast<uint32_t>(s)), t, s % 4 == 2 ? 0.22f : 0.14f, -0.3f);
            }
        }
        // A sparkle at the start of every fourth bar.
        if (bar % 4 == 0) {
            track.add(bell(midiToHz(song.root + 24), 1.0, 0.8), barStart, 0.06f, 0.5f);
        }
    }
    track.finish(0.85f);
    out.write(song.file, encodeOgg({&track.left(), &track.right()}, 0.3f, static_cast<int>(2000 + song.seed)));
}

std::vector<int> progression(const std::vector<int>& a, const std::vector<int>& b) {
    // A (8 bars), B (8 bars), A again: 24 bars.
    std::vector<int> all = a;
    all.insert(all.end(), b.begin(), b.end());
    all.insert(all.end(), a.begin(), a.end());
    return all;
}

const Song kSongs[] = {
    {"sfx/music/theme.ogg", 11, 108, 72, progression({0, 5, 3, 4, 0, 5, 1, 4}, {3, 4, 2, 5, 3, 4, 1, 4}), Lead::Marimba,
     false, 0.0},
    {"sfx/music/game1.ogg", 23, 120, 74, progression({0, 3, 4, 0, 5, 3, 1, 4}, {3, 0, 3, 4, 5, 2, 3, 4}), Lead::Chip,
     false, 0.0},
    {"sfx/music/game2.ogg", 37, 126, 70, progression({0, 4, 5, 3, 0, 4, 3, 4}, {5, 3, 0, 4, 5, 3, 1, 4}), Lead::Flute,
     false, 0.0},
    // A shuffle.
    {"sfx/music/game3.ogg", 41, 112, 67, progression({0, 0, 3, 3, 0, 5, 1, 4}, {3, 3, 0, 5, 1, 1, 4, 4}), Lead::Chip,
     false, 0.3},
    // Hurry: much faster, with a pumping bass and busy drums.
    {"sfx/music/hurry.ogg", 53, 168, 74, progression({0, 5, 3, 4, 0, 5, 3, 4}, {5, 4, 3, 4, 5, 4, 1, 4}), Lead::Chip,
     true, 0.0},
};

} // namespace

void generateMusic(const Output& out) {
    runParallel(sizeof(kSongs) / sizeof(kSongs[0]), [&out](size_t i) { writeSong(out, kSongs[i]); });
}

} // namespace assetgen
