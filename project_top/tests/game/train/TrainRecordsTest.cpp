// The trains of a track as the saved game holds them: a busy track saves,
// reads back and saves again to the same bytes; damaged records are refused
// through the packet's error state, never by ending the program, and what
// was read before the refusal is deleted cleanly. The busy track's record
// is left in the build folder as train-records.bin, the seed of the fuzz
// corpus.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>

#include "game/car/CarWagons.h"
#include "game/train/StockCore.h"
#include "net/Packet.h"

namespace {

using Bytes = std::vector<u8>;

class TrainRecords : public testing::Test, public StockCore {
protected:
    static Bytes save(Track* track)
    {
        Packet out(Packet::SAVEGAME_FLAGS, -1);
        track->serialize(&out);
        return Bytes(out.buffer, out.buffer + out.getDataSize());
    }
    // Reads the bytes into a fresh track; the error text, or "" when read
    // whole.
    std::string read(const Bytes& bytes, Track** into = nullptr)
    {
        Packet in(Packet::SAVEGAME_FLAGS, int(bytes.size()));
        in.doBytes(const_cast<u8*>(bytes.data()), int(bytes.size()));
        in.rewindToRead();
        Track* track = straightTrack();
        track->serialize(&in);
        std::string error = in.hasError() ? in.getError() : "";
        if (error.empty() && !in.atEnd()) {
            error = "bytes left over";
        }
        if (into != nullptr) {
            *into = track;
        } else {
            delete track;
        }
        return error;
    }
    // A busy track: two trains, one of them split, cars of every type,
    // docks empty, filled, holding a wrong piece, a wildcard and bonuses.
    Track* busyTrack()
    {
        Track* track = straightTrack();
        Train* first = trainOf(track, 1500.0f, {0, 2, 4, 2});
        TrainSegment* segment = first->firstSegment();
        for (Car* car : {static_cast<Car*>(new Car2()), static_cast<Car*>(new Car3())}) {
            segment->addCar(car, true);
        }
        step();
        std::vector<Car*> cars = carsOf(segment);
        complete(cars[2]);
        firstDock(cars[3])->setCargo(Cargo::createByType(0));
        firstDock(cars[6])->setCargo(Cargo::createByType(Cargo::TYPE_WILDCARD));
        Train* second = trainOf(track, 400.0f, {4, 0});
        second->dockTarget = 6;
        // Bonuses waiting in the second train's docks.
        i32 bonus = 13;
        for (Car* car : carsOf(second->firstSegment())) {
            if (Dock* dock = firstDock(car)) {
                dock->setCargo(Cargo::createByType(bonus));
                bonus = 18;
            }
        }
        step();
        step();
        EXPECT_EQ(segmentsOf(first).size(), 2u);
        EXPECT_EQ(trainsOf(track).size(), 2u);
        return track;
    }
};

TEST_F(TrainRecords, ABusyTrackSavesReadsAndSavesToTheSameBytes)
{
    Track* busy = busyTrack();
    const Bytes saved = save(busy);
    Track* copy = nullptr;
    ASSERT_EQ(read(saved, &copy), "");
    EXPECT_EQ(save(copy), saved);
    ASSERT_EQ(trainsOf(copy).size(), 2u);
    EXPECT_EQ(segmentsOf(trainsOf(copy)[0]).size(), 2u);
    EXPECT_EQ(trainsOf(copy)[0]->countOpenDocks(), trainsOf(busy)[0]->countOpenDocks());
    std::ofstream(std::string(VABO_GAME_DIR) + "/../train-records.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(saved.data()), std::streamsize(saved.size()));

    // Every cut of the record is refused, and what was read goes cleanly.
    for (size_t n = 0; n < saved.size(); ++n) {
        EXPECT_NE(read(Bytes(saved.begin(), saved.begin() + std::ptrdiff_t(n))), "") << "cut at " << n;
    }
}

// A record of one train of one segment whose fields the case may change.
struct Record {
    i32 trains = 1;
    i32 state = 2;
    i32 pending = 0;
    double timeInState = 1.0;
    float push = 0.0f;
    i32 segments = 1;
    float bodyX = 900.0f;
    i32 cars = 2;
    i32 carType = 1;
    float lengths[3] = {36.0f, 24.0f, 28.0f};
    float front = 900.0f;
    bool engine = false;
    i32 colour = 2;
    bool hasPiece = true;
    i32 piece = 2;

    Bytes write() const
    {
        Packet p(Packet::SAVEGAME_FLAGS, -1);
        i32 n = trains;
        p.doInt(&n);
        for (i32 t = 0; t < std::min(trains, 2); ++t) {
            i32 s = state;
            double time = timeInState;
            double left = 0.0;
            i32 goTo = pending;
            p.doInt(&s);
            p.doDouble(&time);
            p.doDouble(&left);
            p.doInt(&goTo);
            float f = push;
            p.doBytes(&f, 4);
            i32 counts[3] = {1, 1, 0};
            for (i32& c : counts) {
                p.doInt(&c);
            }
            i32 ns = segments;
            p.doInt(&ns);
            for (i32 k = 0; k < std::min(segments, 2); ++k) {
                V3 body[5] = {V3(bodyX, 0, 0), V3(bodyX, 0, 0), V3(), V3(), V3()};
                for (V3& v : body) {
                    p.doV3(&v);
                }
                float scalars[5] = {1.0f, 0.0f, 1000.0f, -2000.0f, 5.0f};
                for (float& v : scalars) {
                    p.doBytes(&v, 4);
                }
                i32 nc = cars;
                p.doInt(&nc);
                // The engine, then cars of the case's type.
                for (i32 c = 0; c < std::min(cars, 3); ++c) {
                    i32 type = c == 0 ? 0 : carType;
                    p.doInt(&type);
                    float values[6] = {60.0f, 24.0f, 28.0f, front - 88.0f * float(c), 0.0f, 0.0f};
                    bool isEngine = c == 0;
                    if (c > 0) {
                        std::copy(std::begin(lengths), std::end(lengths), values);
                        isEngine = engine;
                    }
                    for (float& v : values) {
                        p.doBytes(&v, 4);
                    }
                    p.doBool(&isEngine);
                    if (c > 0) {
                        i32 k2 = colour;
                        bool has = hasPiece;
                        i32 type2 = piece;
                        p.doInt(&k2);
                        p.doBool(&has);
                        if (has) {
                            p.doInt(&type2);
                        }
                    }
                }
            }
        }
        return Bytes(p.buffer, p.buffer + p.getDataSize());
    }
};

TEST_F(TrainRecords, DamagedRecordsAreRefused)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    ASSERT_EQ(read(Record{}.write()), "") << "the undamaged record reads";
    struct Case {
        const char* what;
        std::function<void(Record&)> damage;
    } cases[] = {
        {"65 trains", [](Record& r) { r.trains = 65; }},
        {"a negative train count", [](Record& r) { r.trains = -1; }},
        {"state 0", [](Record& r) { r.state = 0; }},
        {"state 5", [](Record& r) { r.state = 5; }},
        {"a pending state 9", [](Record& r) { r.pending = 9; }},
        {"an endless time in state", [&](Record& r) { r.timeInState = inf; }},
        {"a push of NaN", [&](Record& r) { r.push = nan; }},
        {"65 segments", [](Record& r) { r.segments = 65; }},
        {"513 cars", [](Record& r) { r.cars = 513; }},
        {"car type 4", [](Record& r) { r.carType = 4; }},
        {"car type -1", [](Record& r) { r.carType = -1; }},
        {"an engine flag on a car", [](Record& r) { r.engine = true; }},
        {"a body length of another type", [](Record& r) { r.lengths[0] = 72.0f; }},
        {"a coupling of 27", [](Record& r) { r.lengths[2] = 27.0f; }},
        {"an inset of NaN", [&](Record& r) { r.lengths[1] = nan; }},
        {"a front of NaN", [&](Record& r) { r.front = nan; }},
        {"a body at infinity", [&](Record& r) { r.bodyX = inf; }},
        {"dock colour 8", [](Record& r) { r.colour = 8; }},
        {"dock colour -1", [](Record& r) { r.colour = -1; }},
        {"piece type 8", [](Record& r) { r.piece = 8; }},
        {"piece type 19", [](Record& r) { r.piece = 19; }},
        {"piece type -3", [](Record& r) { r.piece = -3; }},
    };
    for (const Case& c : cases) {
        Record record;
        c.damage(record);
        EXPECT_NE(read(record.write()), "") << c.what;
    }
}

} // namespace
