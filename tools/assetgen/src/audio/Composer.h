#pragma once

#include <cstdint>
#include <vector>

#include "audio/Synth.h"

namespace assetgen {

// The composer of the game's tunes: a song is a chord progression (one chord
// per bar, as a scale degree of a major key) and a style; the melody is made
// from motifs over the chords.

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

// The MIDI note of a scale degree (0 = the tonic at `root`; 7 an octave up).
int scaleNote(int root, int degree);

struct MelodyNote {
    int step;   // eighth-note index from the start of the loop
    int length; // in eighths
    int degree; // scale degree relative to the tonic
};

// The melody of one loop of the song: motifs over the chords, strong beats
// on chord tones, each eight-bar section closed by a held chord tone.
std::vector<MelodyNote> compose(const Song& song);

// The scale degree nearest to `degree` that belongs to the triad on `chord`.
int nearestChordTone(int degree, int chord);

// A stereo loop: notes whose tails run past the end come back in at the
// start, so the loop joins without a seam.
class Track {
public:
    // A loop of `length` samples per channel.
    explicit Track(int length);

    // Adds a mono sound at a time, panned -1 (left) .. 1 (right).
    void add(const Buffer& sound, double atSeconds, float gain, float pan);
    // Soft-limits and scales both channels so the larger peak is `peak`.
    void finish(float peak);

    const Buffer& left() const { return left_; }
    const Buffer& right() const { return right_; }

private:
    Buffer left_;
    Buffer right_;
};

} // namespace assetgen
