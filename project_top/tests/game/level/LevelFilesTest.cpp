// The checker of the level files: every level, built with every argument
// set it can take, lays paths that the game can run and the painter can
// draw - trains come in from outside the view, stay in it up to the tunnel
// except where the path is hidden, keep their rails apart and clear of the
// launcher - and the first level's path is the one its worked example gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/level/LevelCamera.h"
#include "game/level/LevelData.h"
#include "game/level/LevelPath.h"
#include "game/track/SplineLambda.h"
#include "support/EngineCore.h"

namespace {

constexpr int FOV_WIDTH = 800;
constexpr float VIEW_HALF_WIDTH = 400.0f;
constexpr float VIEW_HALF_HEIGHT = 300.0f;
// A car is 44 units wide; two rails closer than a car and a little air
// would let the cars of one touch the other.
constexpr float RAIL_SPACING = 44.0f + 3.0f;
// The launcher's base and half a car.
constexpr float LAUNCHER_CLEARANCE = 60.0f;
constexpr float MARK_REACH = 40.0f;
constexpr float STEP = 4.0f;

// One argument set a level class can be built with.
struct Build {
    int trackCount;
    bool firstTrack;
    bool secondTrack;
};

struct ClassCase {
    const char* id;
    std::vector<int> pointCounts;
    std::vector<Build> builds;
};

const std::vector<Build> plain = {{1, true, true}};
const std::vector<Build> twoCounts = {{1, true, true}, {2, true, true}};
const std::vector<Build> threeCounts = {{1, true, true}, {2, true, true}, {3, true, true}};
const std::vector<Build> twoFlags = {{1, true, false}, {1, false, true}, {1, true, true}, {1, false, false}};

const std::vector<ClassCase> classes = {
    {"A1", {4}, plain},         {"A2", {10}, plain},        {"A3", {8}, plain},
    {"A4", {8}, plain},         {"A5", {6}, plain},         {"A6", {8}, plain},
    {"A7", {7}, plain},         {"A8", {7}, plain},         {"A9", {6}, plain},
    {"A10", {7}, plain},        {"A11", {6}, plain},        {"A12", {6}, plain},
    {"A13", {5}, plain},        {"A14", {6}, plain},        {"B1", {9, 9}, twoCounts},
    {"B2", {3, 3}, twoCounts},  {"B3", {4, 5}, twoFlags},   {"B4", {4, 4}, twoFlags},
    {"C1", {5, 4, 3}, threeCounts}, {"C2", {5, 5, 5}, threeCounts}, {"L1", {8}, plain},
};

// A laid and measured path of one track.
struct LaidTrack {
    const LevelTrack* data;
    SplineLambda path;
    std::vector<V3> points;
};

void lay(LaidTrack& laid, const LevelTrack& track, i32 mirrorX)
{
    laid.data = &track;
    std::vector<V3> handles;
    LevelPath::controlPoints(track, laid.points, handles);
    LevelPath::lay(laid.path, int(laid.points.size()), laid.points.data(), handles.data(), mirrorX, 1);
    laid.path.build();
}

V3 at(const SplineLambda& path, float lambda)
{
    V3 point;
    float z = 0.0f;
    path.getPointAndHeading(lambda, &point, nullptr, &z);
    point.z = z;
    return point;
}

// The lambda where the path passes closest to a point of it.
float lambdaOf(const SplineLambda& path, V3 point)
{
    float best = 0.0f;
    float bestDistance = 1e30f;
    for (float lambda = 0.0f; lambda <= path.length; lambda += 0.5f) {
        const V3 apart = at(path, lambda) - point;
        const float d = std::sqrt(apart.x * apart.x + apart.y * apart.y + apart.z * apart.z);
        if (d < bestDistance) {
            bestDistance = d;
            best = lambda;
        }
    }
    return best;
}

bool hidden(const LevelTrack& track, float lambda)
{
    for (const LevelSpan& span : track.spans) {
        if (lambda >= span.start + 5.0f && lambda < span.end - 5.0f) {
            return true;
        }
    }
    return false;
}

V3 view(V3 world, float cameraFactor)
{
    return LevelCamera::toView(world, cameraFactor, FOV_WIDTH);
}

bool inView(V3 seen)
{
    return std::fabs(seen.x) <= VIEW_HALF_WIDTH && std::fabs(seen.y) <= VIEW_HALF_HEIGHT;
}

// A visible sample of rail, as the player sees it.
struct RailSample {
    int track;
    float lambda;
    V3 seen;
};

bool oneDecimal(float value)
{
    return std::fabs(value * 10.0f - std::round(value * 10.0f)) < 1e-3f;
}

// Paths are engine objects.
class LevelFiles : public testing::Test {
protected:
    EngineCore core;
};

} // namespace

TEST_F(LevelFiles, EveryClassHasItsFileAndItsPointCounts)
{
    EXPECT_EQ(levelTable().size(), classes.size());
    for (const ClassCase& c : classes) {
        SCOPED_TRACE(c.id);
        const LevelData* level = findLevelData(c.id);
        ASSERT_NE(level, nullptr);
        ASSERT_EQ(level->tracks.size(), c.pointCounts.size());
        for (size_t t = 0; t < c.pointCounts.size(); ++t) {
            EXPECT_EQ(int(level->tracks[t].points.size()), c.pointCounts[t]);
        }
    }
}

TEST_F(LevelFiles, PointsAndHandlesStayInTheirRanges)
{
    for (const LevelData& level : levelTable()) {
        for (const LevelTrack& track : level.tracks) {
            for (const LevelPoint& p : track.points) {
                SCOPED_TRACE(level.id + " point " + std::to_string(p.x) + "," + std::to_string(p.y));
                EXPECT_TRUE(oneDecimal(p.x) && oneDecimal(p.y) && oneDecimal(p.handleX) && oneDecimal(p.handleY));
                EXPECT_TRUE(p.x >= -219.1f && p.x <= 196.0f && p.y >= -239.7f && p.y <= 178.3f);
                EXPECT_TRUE(p.height >= 5.0f && p.height <= 40.0f);
                EXPECT_TRUE(p.handleX >= -206.0f && p.handleX <= 206.0f && p.handleY >= -228.0f &&
                            p.handleY <= 136.0f);
                EXPECT_FALSE(p.handleX == p.x && p.handleY == p.y);
            }
        }
    }
}

TEST_F(LevelFiles, MarksLieWhereTheAuthoredPointsAre)
{
    for (const LevelData& level : levelTable()) {
        for (const LevelTrack& track : level.tracks) {
            SCOPED_TRACE(level.id + " track with tunnel " + std::to_string(track.tunnelLambda));
            LaidTrack laid;
            lay(laid, track, 1);
            EXPECT_NEAR(lambdaOf(laid.path, laid.points.front()), track.createLambda, MARK_REACH);
            EXPECT_NEAR(lambdaOf(laid.path, laid.points.back()), track.tunnelLambda, MARK_REACH);
            EXPECT_LT(track.tunnelLambda + 100.0f, laid.path.length);
            EXPECT_GT(track.tunnelLambda - 300.0f, track.createLambda);
            for (const LevelSpan& span : track.spans) {
                EXPECT_TRUE(span.start > track.createLambda && span.end < track.tunnelLambda);
            }
        }
    }
}

TEST_F(LevelFiles, TrainsComeInFromOutsideAndStayInViewUpToTheTunnel)
{
    for (const LevelData& level : levelTable()) {
        for (i32 mirrorX : {1, -1}) {
            for (const LevelTrack& track : level.tracks) {
                SCOPED_TRACE(level.id + " track with tunnel " + std::to_string(track.tunnelLambda));
                LaidTrack laid;
                lay(laid, track, mirrorX);
                const V3 entry = view(at(laid.path, track.createLambda), level.cameraFactor);
                const bool atEdge = std::fabs(entry.x) >= VIEW_HALF_WIDTH - 3.0f ||
                                    std::fabs(entry.y) >= VIEW_HALF_HEIGHT - 3.0f;
                EXPECT_TRUE(atEdge || hidden(track, track.createLambda)) << entry.x << "," << entry.y;
                bool entered = false;
                for (float lambda = track.createLambda; lambda <= track.tunnelLambda; lambda += STEP) {
                    const bool seen = inView(view(at(laid.path, lambda), level.cameraFactor));
                    if (entered && !seen && !hidden(track, lambda)) {
                        ADD_FAILURE() << "leaves the view at " << lambda;
                        break;
                    }
                    entered = entered || seen;
                }
                EXPECT_TRUE(entered);
            }
        }
    }
}

TEST_F(LevelFiles, RailsKeepApartAndClearOfTheLaunchers)
{
    for (const ClassCase& c : classes) {
        const LevelData& level = *findLevelData(c.id);
        for (const Build& build : c.builds) {
            SCOPED_TRACE(level.id + " built with " + std::to_string(build.trackCount) + "/" +
                         std::to_string(build.firstTrack) + "/" + std::to_string(build.secondTrack));
            std::vector<LaidTrack> laid(level.tracks.size());
            std::vector<RailSample> rail;
            for (size_t t = 0; t < level.tracks.size(); ++t) {
                const LevelTrack& track = level.tracks[t];
                if (!LevelData::builds(track.condition, build.trackCount, build.firstTrack, build.secondTrack)) {
                    continue;
                }
                lay(laid[t], track, 1);
                for (float lambda = track.createLambda; lambda <= track.tunnelLambda; lambda += STEP) {
                    const V3 seen = view(at(laid[t].path, lambda), level.cameraFactor);
                    if (inView(seen) && !hidden(track, lambda)) {
                        rail.push_back({int(t), lambda, seen});
                    }
                }
            }
            int faults = 0;
            for (size_t i = 0; i < rail.size() && faults < 3; ++i) {
                for (size_t j = i + 1; j < rail.size() && faults < 3; ++j) {
                    const RailSample& a = rail[i];
                    const RailSample& b = rail[j];
                    // Neighbours along one rail; a far camera shows a stretch of path
                    // shorter on screen than its length.
                    if (a.track == b.track &&
                        std::fabs(a.lambda - b.lambda) < 1.6f * RAIL_SPACING * level.cameraFactor) {
                        continue;
                    }
                    const float apart = std::hypot(a.seen.x - b.seen.x, a.seen.y - b.seen.y);
                    if (apart >= RAIL_SPACING) {
                        continue;
                    }
                    // A crossing at two heights with a decoration between them.
                    const bool bridged = std::any_of(level.decorationDepths.begin(), level.decorationDepths.end(),
                                                     [&](float depth) {
                                                         return depth > std::min(a.seen.z, b.seen.z) &&
                                                                depth < std::max(a.seen.z, b.seen.z);
                                                     });
                    if (!bridged) {
                        ++faults;
                        ADD_FAILURE() << "rails " << apart << " apart at " << a.track << ":" << a.lambda << " and "
                                      << b.track << ":" << b.lambda;
                    }
                }
            }
            for (const LevelSpot& spot : level.launchers) {
                const V3 base = view(V3(spot.x, spot.y, 0.0f), level.cameraFactor);
                for (const RailSample& s : rail) {
                    const float apart = std::hypot(s.seen.x - base.x, s.seen.y - base.y);
                    if (apart < LAUNCHER_CLEARANCE) {
                        ADD_FAILURE() << "launcher " << spot.x << "," << spot.y << " " << apart << " from rail "
                                      << s.track << ":" << s.lambda;
                        break;
                    }
                }
            }
        }
    }
}

TEST_F(LevelFiles, TheTwinTracksAreTurnedCopiesOfEachOther)
{
    const LevelData& b1 = *findLevelData("B1");
    ASSERT_EQ(b1.tracks.size(), 2u);
    const LevelPoint& start = b1.tracks[1].points.front();
    EXPECT_EQ(start.x, 115.0f);
    EXPECT_EQ(start.y, 100.0f);
    EXPECT_EQ(start.height, 25.0f);
    const LevelData& b2 = *findLevelData("B2");
    ASSERT_EQ(b2.tracks.size(), 2u);
    ASSERT_EQ(b1.tracks[0].points.size(), b1.tracks[1].points.size());
    for (size_t i = 0; i < b1.tracks[0].points.size(); ++i) {
        const LevelPoint& reflected = b1.tracks[0].points[i];
        const LevelPoint& original = b1.tracks[1].points[i];
        EXPECT_EQ(reflected.x, -original.x);
        EXPECT_EQ(reflected.y, -original.y);
        EXPECT_EQ(reflected.handleX, -original.handleX);
        EXPECT_EQ(reflected.handleY, -original.handleY);
        EXPECT_EQ(reflected.height, original.height);
    }
    const std::vector<LevelPoint>& first = b2.tracks[0].points;
    ASSERT_EQ(b2.tracks[1].points.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const LevelPoint& turned = b2.tracks[1].points[i];
        EXPECT_EQ(turned.x, first[i].x);
        EXPECT_EQ(turned.y, -first[i].y);
        EXPECT_EQ(turned.handleX, first[i].handleX);
        EXPECT_EQ(turned.handleY, -first[i].handleY);
        EXPECT_EQ(turned.height, first[first.size() - 1 - i].height);
    }
    EXPECT_EQ(first.front().height, 25.0f);
    EXPECT_EQ(first.back().height, 5.0f);
}

TEST_F(LevelFiles, TheFirstLevelLaysItsWorkedExample)
{
    LaidTrack laid;
    lay(laid, findLevelData("A1")->tracks.front(), 1);
    const V3 points[] = {{-368.899f, 565.7405f, -5.0f}, {-334.0852f, 318.1764f, -5.0f}, {190.9059f, -238.6323f, -5.0f},
                         {206.8147f, 95.4529f, -5.0f},   {-89.0894f, 101.8165f, -5.0f}, {-408.4677f, 244.986f, -5.0f}};
    const V3 tangents[] = {{0.13925f, -0.99026f, 0.0f},  {57.2718f, -407.2658f, 0.0f}, {194.0876f, 69.9988f, 0.0f},
                           {-120.907f, 28.6359f, 0.0f},  {-92.2712f, 41.3629f, 0.0f},  {-0.91251f, 0.40906f, 0.0f}};
    ASSERT_EQ(laid.path.points.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR((&laid.path.points[i].x)[axis], (&points[i].x)[axis], 1e-3f);
            EXPECT_NEAR((&laid.path.handles[i].x)[axis], (&tangents[i].x)[axis], 1e-3f);
        }
    }
    // Its marks against the authored points, and where it enters the view.
    EXPECT_NEAR(lambdaOf(laid.path, laid.points.front()) - 315.0f, -3.5f, 1.0f);
    EXPECT_NEAR(lambdaOf(laid.path, laid.points.back()) - 1934.0f, -24.0f, 1.0f);
    float entered = 315.0f;
    while (!inView(view(at(laid.path, entered), 1.0f))) {
        entered += 0.5f;
    }
    EXPECT_NEAR(entered - 315.0f, 2.0f, 1.0f);
}

TEST_F(LevelFiles, TheCameraSeesTheScenePlaneOneToOne)
{
    // The view's corners at the scene plane, for both camera distances.
    for (float factor : {1.0f, 1.5f}) {
        const float scenePlane = -400.0f * factor + 400.0f;
        const V3 corner = view(V3(400.0f, 316.0f, scenePlane), factor);
        EXPECT_NEAR(corner.x, 400.0f, 1e-3f);
        EXPECT_NEAR(corner.y, 300.0f, 1e-3f);
    }
    // A point 25 high comes 400 / 375 times further from the middle.
    EXPECT_NEAR(view(V3(375.0f, 16.0f, -25.0f), 1.0f).x, 400.0f, 1e-3f);
}
