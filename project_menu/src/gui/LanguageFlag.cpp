#include "gui/LanguageFlag.h"

#include "context/ContextManager.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/Texture.h"
#include "input/QelInput.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"

LanguageFlag::LanguageFlag(int flagLanguage)
    : language(flagLanguage)
{
    auto* flags = static_cast<Texture*>(g_qel->resourceManager->find("languageFlags", true));
    setPlacement(flags->skins.at(static_cast<size_t>(language)), nullptr, nullptr, nullptr);
    bHasInvXform = true;
}

void LanguageFlag::update(double /*time*/, double /*dt*/)
{
    const Context* screen = g_qel->currentContext;
    bHovered = screen != nullptr && isPointInsideSkin(screen->mouseWorld);
    if (bHovered && g_qel->input->isMouseButtonPressed()) {
        g_qel->defaultLanguage = language;
        g_qel->saveConfiguration();
        if (Context* active = g_global->contextManager->getActive()) {
            active->bFinished = 1;
        }
    }
}

void LanguageFlag::render()
{
    constexpr float NAME_OFFSET = 65.0f;
    constexpr int RAISE_HALF_LINE = 0x10;
    Renderable::render();
    if (bHovered) {
        g_global->fontMedium->printShadowedAt(position.x + NAME_OFFSET, position.y, position.z,
                                              UColor(255, 255, 255, 255), RAISE_HALF_LINE,
                                              UString(g_qel->language->getTextIn(language, Language::LANGUAGENAME)),
                                              0.0f, -4.0f, 0.0f, UColor(0, 0, 0, 64));
    }
}
