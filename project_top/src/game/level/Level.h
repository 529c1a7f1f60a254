#pragma once
// The scenery and track layout of one stage: the painted scene, the
// decoration sprites that lie over the rails (drawn in depth order with the
// cars), the tracks the trains run on, the places where the launcher
// stands and the direction of the light that throws every shadow. The
// level classes only supply data; this base lays it out.
//
// Level data come in level units with heights: addTrack spreads higher
// points further from the centre of the screen, stores the height as a
// negative z and mirrors everything by the level's factors, and gives the
// path a lead-in of 250 units and a lead-out of 350 along its end tangents.
// buildScene is called exactly once, after the level class is made.
//
// Child order (and drawing order): sceneLayer, trackLayer, launcherLayer.
// The decorations are owned but not linked: the game's depth order draws
// them. The tracks' queries visit the live tracks (neither dead nor
// skipped) in child order.
#include <vector>

#include "math/V3.h"
#include "object/QelBase.h"

class Skin;
class Texture;
class Track;

class Level : public QelBase {
public:
    // mirrorX and mirrorY are 1 or -1.
    Level(i32 mirrorX, i32 mirrorY);
    ~Level() override;

    // A decoration sprite of the decoration image at the depth; needs a
    // live game.
    void addDecoration(Skin* skin, float depth);
    // Turns the level's points (x, y, height) and absolute handles into the
    // track's path; both arrays are rewritten with the transformed values.
    // count must be at least 1.
    void addTrack(Track* track, int count, V3* points, V3* handles);
    // The scene sprite, and the launcher spots mirrored into the world with
    // their sprites (and shadows while drop shadows are on).
    virtual void buildScene();

    int getTrainCount() const;
    float getMaxDanger() const;
    void registerDocks();
    void stopTrains();

    // z of the scene sprite and the decorations.
    float zScene() const;
    // The light of the live game's level, or of an unmirrored level when
    // no level is live.
    static V3 liveLightVector();

    QelBase* sceneLayer;
    QelBase* trackLayer;
    QelBase* launcherLayer;
    QelBase* decorationLayer;
    float cameraFactor = 1.0f;
    float lightAngle;
    V3 lightVector;
    std::vector<V3> launcherPositions;
    V3 sceneRotation;
    i32 mirrorX;
    i32 mirrorY;
    Texture* sceneTexture = nullptr;
    Texture* decorationTexture = nullptr;
};
