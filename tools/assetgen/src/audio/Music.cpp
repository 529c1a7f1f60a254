// The music: five looping tunes composed from a chord progression, a melody
// built from motifs over it, a bass line, chord stabs and drums.
#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/Composer.h"
#include "audio/OggWriter.h"
#include "audio/Synth.h"
#include "core/Families.h"

namespace assetgen {

namespace {

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
