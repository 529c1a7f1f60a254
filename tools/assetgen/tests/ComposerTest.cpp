// The composer: melodies that fit their chords and loops that join.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "audio/Composer.h"
#include "core/Families.h"

using namespace assetgen;

namespace {

Song song(uint32_t seed) {
    std::vector<int> chords = {0, 5, 3, 4, 0, 5, 1, 4, 3, 4, 2, 5, 3, 4, 1, 4, 0, 5, 3, 4, 0, 5, 1, 4};
    return Song{"x.ogg", seed, 120, 72, chords, Lead::Chip, false, 0.0};
}

bool isChordTone(int degree, int chord) {
    const int d = ((degree - chord) % 7 + 7) % 7;
    return d == 0 || d == 2 || d == 4;
}

} // namespace

TEST(Composer, ScaleDegreesGiveTheMajorScaleInEveryOctave) {
    for (const auto& [degree, note] : {std::pair{0, 60}, std::pair{2, 64}, std::pair{6, 71}, std::pair{7, 72},
                                       std::pair{-1, 59}, std::pair{-7, 48}}) {
        EXPECT_EQ(scaleNote(60, degree), note) << degree;
    }
}

TEST(Composer, NearestChordToneIsInTheTriadAndClose) {
    for (int chord = 0; chord < 7; ++chord) {
        for (int degree = -3; degree < 15; ++degree) {
            const int t = nearestChordTone(degree, chord);
            EXPECT_TRUE(isChordTone(t, chord)) << degree << " over " << chord;
            EXPECT_LE(std::abs(t - degree), 1) << degree << " over " << chord;
        }
    }
}

TEST(Composer, MelodyFitsItsChordsAndItsLoop) {
    for (uint32_t seed : {1u, 11u, 23u, 99u}) {
        SCOPED_TRACE(seed);
        const Song s = song(seed);
        const std::vector<MelodyNote> notes = compose(s);
        ASSERT_FALSE(notes.empty());
        const int steps = static_cast<int>(s.chords.size()) * 8;
        int previousEnd = 0;
        for (const MelodyNote& n : notes) {
            EXPECT_GE(n.step, previousEnd) << "notes overlap";
            EXPECT_GT(n.length, 0);
            EXPECT_LE(n.step + n.length, steps);
            EXPECT_GE(n.degree, 0);
            EXPECT_LE(n.degree, 11);
            const int chord = s.chords[static_cast<size_t>(n.step / 8)];
            if (n.step % 4 == 0) {
                EXPECT_TRUE(isChordTone(n.degree, chord)) << "strong beat at step " << n.step;
            }
            previousEnd = n.step + n.length;
        }
        // Every eight-bar section ends on a chord tone held to the bar's end.
        for (int bar = 7; bar < static_cast<int>(s.chords.size()); bar += 8) {
            const MelodyNote* last = nullptr;
            for (const MelodyNote& n : notes) {
                if (n.step / 8 == bar) {
                    last = &n;
                }
            }
            ASSERT_NE(last, nullptr) << "bar " << bar;
            EXPECT_EQ(last->step + last->length, (bar + 1) * 8);
            EXPECT_TRUE(isChordTone(last->degree, s.chords[static_cast<size_t>(bar)]));
        }
    }
}

TEST(Composer, OtherSeedOtherTune) {
    // The same seed gives the same bytes; the whole tool's run checks that.
    auto degrees = [](const std::vector<MelodyNote>& notes) {
        std::vector<int> d;
        for (const MelodyNote& n : notes) {
            d.push_back(n.degree * 1000 + n.step);
        }
        return d;
    };
    EXPECT_NE(degrees(compose(song(5))), degrees(compose(song(6))));
}

TEST(Composer, TracksWrapNotesPastTheLoopPanAndFinishAtThePeak) {
    // A note running past the end of the loop comes in at its start.
    Track track(100);
    const Buffer note(30, 0.5f);
    track.add(note, 90.0 / kRate, 1.0f, 0.0f);
    const float centre = 0.5f * std::sqrt(0.5f);
    EXPECT_FLOAT_EQ(track.left()[95], centre);
    EXPECT_FLOAT_EQ(track.left()[5], centre);
    EXPECT_FLOAT_EQ(track.left()[19], centre);
    EXPECT_FLOAT_EQ(track.left()[20], 0.0f);
    EXPECT_FLOAT_EQ(track.left()[50], 0.0f);

    // Panned hard right, and finished: the louder side at the peak.
    Track right(10);
    right.add(Buffer(10, 0.4f), 0.0, 1.0f, 1.0f);
    EXPECT_NEAR(right.left()[0], 0.0f, 1e-6);
    EXPECT_GT(right.right()[0], 0.0f);
    right.finish(0.8f);
    EXPECT_FLOAT_EQ(right.right()[3], 0.8f);
}

TEST(Families, ParallelRunnerRunsEveryJobOnceAndPassesOnAFailure) {
    std::vector<int> runs(50, 0);
    runParallel(runs.size(), [&](size_t i) { runs[i] += 1; });
    for (int r : runs) {
        EXPECT_EQ(r, 1);
    }
    EXPECT_THROW(runParallel(8,
                             [](size_t i) {
                                 if (i == 5) {
                                     throw std::runtime_error("job 5 failed");
                                 }
                             }),
                 std::runtime_error);
}

TEST(Families, NamesAreUnique) {
    const std::vector<Family>& list = families();
    for (size_t i = 0; i < list.size(); ++i) {
        for (size_t j = i + 1; j < list.size(); ++j) {
            EXPECT_STRNE(list[i].name, list[j].name);
        }
    }
}
