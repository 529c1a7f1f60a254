#include "game/controller/CargoPicker.h"

#include <algorithm>
#include <cmath>

#include "game/car/Car.h"
#include "game/cargo/Cargo.h"
#include "game/dock/Dock.h"
#include "game/track/Track.h"
#include "math/RandomSource.h"

void CargoPicker::reset()
{
    std::fill(std::begin(colourEnabled), std::end(colourEnabled), false);
    std::fill(std::begin(typeWeights), std::end(typeWeights), 0.0f);
    forcedType = NO_TYPE;
    forcedCount = 0;
    std::fill(std::begin(carTypeWeights), std::end(carTypeWeights), 0.0f);
    clearOpenDocks();
}

void CargoPicker::clearOpenDocks()
{
    openDocks.clear();
    std::fill(std::begin(openCount), std::end(openCount), 0);
    std::fill(std::begin(nearestDistance), std::end(nearestDistance), NO_DISTANCE);
}

void CargoPicker::setColours(u32 mask)
{
    for (int i = 0; i < COLOURS; ++i) {
        colourEnabled[i] = (mask >> i & 1u) != 0;
    }
}

i32 CargoPicker::randomEnabledColour()
{
    const auto enabled = int(std::count(std::begin(colourEnabled), std::end(colourEnabled), true));
    if (enabled == 0) {
        return 0;
    }
    int before = RandomSource::below(enabled);
    for (i32 colour = 0; colour < COLOURS; ++colour) {
        if (colourEnabled[colour] && before-- == 0) {
            return colour;
        }
    }
    return 0;
}

i32 CargoPicker::pickWeighted(const float* weights, int n)
{
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) {
        sum += weights[i];
    }
    const auto x = float(double(sum) * RandomSource::fraction());
    float running = 0.0f;
    for (i32 i = 0; i < n; ++i) {
        running += weights[i];
        if (running > x) {
            return i;
        }
    }
    return 0;
}

i32 CargoPicker::pickCarType()
{
    return pickWeighted(carTypeWeights, CAR_TYPES);
}

bool CargoPicker::hasTypeWeights() const
{
    float sum = 0.0f;
    for (float weight : typeWeights) {
        sum += weight;
    }
    return sum > 0.0f;
}

i32 CargoPicker::pickCargoType()
{
    if (forcedCount > 0 && forcedType != NO_TYPE) {
        --forcedCount;
        return forcedType;
    }
    return pickWeighted(typeWeights, CARGO_TYPES);
}

Dock* CargoPicker::randomOpenDock()
{
    if (openDocks.empty()) {
        return nullptr;
    }
    return openDocks[size_t(RandomSource::below(int(openDocks.size())))];
}

i32 CargoPicker::pickOpenColour(bool weighted)
{
    if (openDocks.empty()) {
        return 0;
    }
    auto share = [&](i32 colour) { return openCount[colour] > 0 ? (weighted ? openCount[colour] : 1) : 0; };
    int total = 0;
    for (i32 colour = 0; colour < COLOURS; ++colour) {
        total += share(colour);
    }
    if (total <= 0) {
        return 0;
    }
    const int r = RandomSource::below(total);
    int running = 0;
    for (i32 colour = 0; colour < COLOURS; ++colour) {
        running += share(colour);
        if (running > r) {
            return colour;
        }
    }
    return 0;
}

i32 CargoPicker::nearestColour() const
{
    i32 limit = 1000000;
    i32 best = 0;
    for (i32 colour = 0; colour < COLOURS; ++colour) {
        if (float(limit) > nearestDistance[colour]) {
            best = colour;
            limit = i32(nearestDistance[colour]);
        }
    }
    return best;
}

bool CargoPicker::isColourOpen(i32 colour) const
{
    return colour >= 0 && colour < COLOURS && openCount[colour] > 0;
}

void CargoPicker::registerDock(Dock* dock)
{
    if (dock->isFilled()) {
        return;
    }
    const i32 k = dock->colour;
    if (k < 0 || k >= COLOURS) {
        return;
    }
    openDocks.push_back(dock);
    ++openCount[k];
    if (const Track* track = dock->car->getTrack()) {
        const float p = dock->car->lambda + dock->position.x;
        nearestDistance[k] = std::min(nearestDistance[k], std::fabs(track->helpLambda - p));
    }
}

void CargoPicker::forgetDock(Dock* dock)
{
    auto found = std::find(openDocks.begin(), openDocks.end(), dock);
    if (found == openDocks.end()) {
        return;
    }
    openDocks.erase(found);
    if (dock->colour >= 0 && dock->colour < COLOURS) {
        --openCount[dock->colour];
    }
}

Dock* CargoPicker::findEmptyDockFor(const Cargo* piece) const
{
    for (Dock* dock : openDocks) {
        if (dock->isEmpty() && dock->accepts(piece->type)) {
            return dock;
        }
    }
    return nullptr;
}

Dock* CargoPicker::findDockHoldingWrongPiece() const
{
    for (Dock* dock : openDocks) {
        if (dock->holdsWrongCargo()) {
            return dock;
        }
    }
    return nullptr;
}

Dock* CargoPicker::findDockHoldingBonus() const
{
    for (Dock* dock : openDocks) {
        if (dock->holdsBonus()) {
            return dock;
        }
    }
    return nullptr;
}
