#include "global/Global.h"

#include "audio/QelAudio.h"
#include "context/ContextManager.h"
#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "gui/GUIthemeMinimal.h"
#include "gui/GUIthemeStandard.h"
#include "input/QelInput.h"

Global* g_global = nullptr;

Global::Global() = default;

Global::~Global()
{
    bClosing = true;
    delete contextPre;
    contextPre = nullptr;
    delete contextPost;
    contextPost = nullptr;
    delete themeStandard;
    themeStandard = nullptr;
    delete themeMinimal;
    themeMinimal = nullptr;
    delete contextManager;
    contextManager = nullptr;
    delete resourceHolder;
    resourceHolder = nullptr;
    // The members then save the profiles and the record.
}

void Global::applySettings()
{
    g_qel->startFrameTimer(1.0 / settings.maxFps);
    if (g_qel->audio != nullptr) {
        g_qel->audio->frequency = soundFrequencies[settings.soundQuality];
        g_qel->audio->setSoundVolume(float(settings.soundVolume / 24.0));
        g_qel->audio->setMusicVolume(float(settings.musicVolume / 24.0));
    }
    QelGraphics* graphics = g_qel->graphics;
    if (graphics != nullptr) {
        graphics->changePresentationParameters(videoWidths[settings.videoMode], videoHeights[settings.videoMode],
                                               settings.fullscreen, settings.bilinearFilter, settings.vsync);
        graphics->bTextShadows = settings.detail >= 1 && !graphics->bBrokenAlphaOp;
    }
    if (g_qel->input != nullptr) {
        g_qel->input->mouseScale = 0.5 + 0.25 * settings.mouseSensitivity;
    }
}

i32 Global::insertHighScore(const UString& name, i32 score, i32 level, bool sign)
{
    const i32 place = settings.insertHighScore(name, score, level, sign);
    saveSettings();
    return place;
}

void Global::resetHighScores()
{
    settings.resetHighScores();
    saveSettings();
}

void Global::saveProfiles()
{
    if (!bClosing) {
        profiles.save();
    }
}

void Global::saveSettings()
{
    if (!bClosing) {
        settings.saveIfChanged();
    }
}
