#include "game/cargo/Bonuses.h"

#include <algorithm>
#include <cmath>

#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/dock/Dock.h"
#include "game/launcher/Launcher.h"
#include "global/Global.h"
#include "graphics/Texture.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"

namespace {

UString text(Language::StringsEnum id)
{
    return g_qel->language->getText(id);
}

// The common part of a collection, then the effect on the live game and
// the sound; true, the bonus is used up.
template <class Effect>
bool collect(CargoSpecial* bonus, const char* sound, Effect effect)
{
    bonus->CargoSpecial::onCollect();
    if (GameController* game = MyGlobal::liveGame()) {
        effect(*game);
    }
    playSound(sound);
    return true;
}

} // namespace

BonusStop::BonusStop() : CargoSpecial(11, 0, false, text(Language::BONUSSTOP)) {}

bool BonusStop::onCollect()
{
    return collect(this, "railSqueak", [](GameController& game) { game.stopUntil = game.time + 5.0; });
}

BonusRewind::BonusRewind() : CargoSpecial(12, 1, true, text(Language::BONUSREVERSE)) {}

bool BonusRewind::onCollect()
{
    return collect(this, "steam", [](GameController& game) { game.rewindUntil = game.time + 5.0; });
}

BonusWildcard::BonusWildcard() : CargoSpecial(10, 2, false, text(Language::BONUSWILDCARD)) {}

bool BonusWildcard::onCollect()
{
    return collect(this, "stardust", [](GameController& game) {
        game.launcher->clearQueue();
        game.launcher->wildcardShots += 4;
    });
}

BonusColorBomb::BonusColorBomb() : CargoSpecial(13, 3, false, text(Language::BONUSCOLORBOMB)) {}

void BonusColorBomb::attachToDock(Dock* d)
{
    Cargo::attachToDock(d);
    bombColour = d->colour;
    if (bombColour >= 0 && bombColour < 8) {
        color = cargoColours[bombColour];
    }
}

bool BonusColorBomb::onCollect()
{
    const i32 colour = bombColour;
    return collect(this, "boom", [colour](GameController& game) {
        // By index: a bomb that goes off in one of these docks walks the
        // same list again.
        std::vector<Dock*>& open = game.cargoPicker.openDocks;
        for (size_t i = 0; i < open.size(); ++i) {
            if (open[i]->colour == colour) {
                open[i]->fillWithColour(false);
            }
        }
    });
}

BonusFireball::BonusFireball() : CargoSpecial(15, 4, false, text(Language::BONUSFIREBALL)) {}

bool BonusFireball::onCollect()
{
    return collect(this, "fireballSound", [](GameController& game) {
        game.launcher->clearQueue();
        game.launcher->fireballShots += 4;
    });
}

BonusBullseye::BonusBullseye() : CargoSpecial(16, 5, false, text(Language::BONUSSPEEDSHOT)) {}

bool BonusBullseye::onCollect()
{
    return collect(this, "guitar", [](GameController& game) { game.launcher->fastShotTime += 20.0; });
}

BonusSlow::BonusSlow() : CargoSpecial(18, 7, false, text(Language::BONUSSLOW)) {}

bool BonusSlow::onCollect()
{
    return collect(this, "trainSlow", [](GameController& game) { game.slowUntil = game.time + 8.0; });
}

BonusHeart::BonusHeart() : CargoSpecial(17, 6, false, UString())
{
    flare.setPlacement(gameFrame("flare", 0), nullptr, nullptr, nullptr);
    flare.color = UColor(255, 0, 0, 255);
}

void BonusHeart::update(double time, double dt)
{
    CargoSpecial::update(time, dt);
    heartPhase += float(dt);
    while (heartPhase >= 1.0f) {
        heartPhase -= 1.0f;
    }
    while (heartPhase < 0.0f) {
        heartPhase += 1.0f;
    }
    const auto* frames = static_cast<Texture*>(g_qel->resourceManager->find("heart", true));
    const int n = int(frames->skins.size());
    Skin* skin = frames->skins.at(size_t(std::max(0, int(std::floor(heartPhase * float(n - 1))))));
    if (skin != pSkin) {
        setPlacement(skin, nullptr, nullptr, nullptr);
    }
    flare.position = position;
    const float s = float(4.0 + std::sin(8.0 * time));
    flare.scale = V3(s, s, 1.0f);
    flare.rotation.z += float(16.0 * dt);
    flare.updateXform();
}

void BonusHeart::render()
{
    flare.render();
    CargoSpecial::render();
}

bool BonusHeart::onCollect()
{
    ProfileStore& profiles = g_global->profiles;
    Profile& profile = profiles.getProfile(profiles.currentIndex);
    if (profile.addHeart() <= 0) {
        popupText = text(Language::EXTRALIFE);
        playSound("extraLife");
    } else {
        popupText = "Deprecated";
        playSoundSemitones("vibe", profile.hearts);
    }
    CargoSpecial::onCollect();
    return true;
}
