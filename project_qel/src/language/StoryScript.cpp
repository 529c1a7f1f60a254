#include "language/StoryScript.h"

#include <algorithm>

namespace {

using L = Language;

constexpr StoryLine introScene1[] = {{L::INTRO11, 0.0f}};
constexpr StoryLine introScene2[] = {
    {L::INTRO21, 45.0f}, {L::INTRO22, 15.0f}, {L::INTRO23, -15.0f}, {L::INTRO24, -45.0f}};
constexpr StoryLine introScene3[] = {{L::INTRO31, 15.0f}, {L::INTRO32, -15.0f}};
constexpr StoryLine introScene4[] = {
    {L::INTRO41, 45.0f}, {L::INTRO42, 15.0f}, {L::INTRO43, -15.0f}, {L::INTRO44, -45.0f}};
constexpr StoryLine introScene5[] = {{L::INTRO51, 0.0f}};

constexpr StoryScene openingStory[] = {
    {2.0, 3.0, true, introScene1},
    {6.0, 8.0, false, introScene2},
    {15.0, 5.0, false, introScene3},
    {21.0, 8.0, false, introScene4},
    {30.0, 4.0, false, introScene5},
};

constexpr StoryLine winScene1[] = {{L::WIN11, 0.0f}};
constexpr StoryLine winScene2[] = {{L::WIN21, 0.0f}};
constexpr StoryLine winScene3[] = {
    {L::WIN31, 45.0f}, {L::WIN32, 15.0f}, {L::WIN33, -15.0f}, {L::WIN34, -45.0f}};
constexpr StoryLine winScene4[] = {{L::WIN41, 15.0f}, {L::WIN42, -15.0f}};
constexpr StoryLine winScene5[] = {
    {L::WIN51, 45.0f}, {L::WIN52, 15.0f}, {L::WIN53, -15.0f}, {L::WIN54, -45.0f}};
constexpr StoryLine winScene6[] = {{L::WIN61, 0.0f}};

constexpr StoryScene completionStory[] = {
    {2.0, 3.0, true, winScene1},
    {6.0, 3.0, false, winScene2},
    {10.0, 8.0, false, winScene3},
    {19.0, 5.0, false, winScene4},
    {25.0, 8.0, false, winScene5},
    {34.0, 300.0, true, winScene6},
};

constexpr CreditsRow creditsRows[] = {
    {L::COPYRIGHT, L::NULLTEXT},  {L::NULLTEXT, L::NULLTEXT},
    {L::CREDITS1A, L::CREDITS1B}, {L::CREDITS2A, L::CREDITS2B},   {L::CREDITS3A, L::CREDITS3B},
    {L::CREDITS4A, L::CREDITS4B}, {L::CREDITS5A, L::CREDITS5B},   {L::NULLTEXT, L::CREDITS6B},
    {L::NULLTEXT, L::CREDITS7B},  {L::NULLTEXT, L::CREDITS8B},    {L::CREDITS10A, L::CREDITS10B},
    {L::NULLTEXT, L::CREDITS11B}, {L::NULLTEXT, L::CREDITS12B},   {L::NULLTEXT, L::CREDITS13B},
    {L::NULLTEXT, L::CREDITS14B}, {L::NULLTEXT, L::CREDITS15B},   {L::NULLTEXT, L::CREDITS16B},
    {L::NULLTEXT, L::CREDITS17B}, {L::NULLTEXT, L::CREDITS18B},   {L::NULLTEXT, L::CREDITS19B},
    {L::NULLTEXT, L::CREDITS20B}, {L::NULLTEXT, L::CREDITS21B},   {L::NULLTEXT, L::CREDITS22B},
    {L::NULLTEXT, L::CREDITS23B}, {L::NULLTEXT, L::CREDITS24B},   {L::NULLTEXT, L::CREDITS25B},
    {L::NULLTEXT, L::CREDITS26B}, {L::NULLTEXT, L::CREDITS27B},   {L::NULLTEXT, L::CREDITS28B},
    {L::NULLTEXT, L::CREDITS29B}, {L::NULLTEXT, L::CREDITS30B},   {L::NULLTEXT, L::CREDITS31B},
    {L::NULLTEXT, L::CREDITS32B}, {L::NULLTEXT, L::CREDITS33B},   {L::NULLTEXT, L::CREDITS34B},
    {L::NULLTEXT, L::CREDITS35B}, {L::NULLTEXT, L::CREDITS36B},   {L::NULLTEXT, L::CREDITS37B},
    {L::NULLTEXT, L::CREDITS38B}, {L::NULLTEXT, L::CREDITS39B},   {L::NULLTEXT, L::CREDITS40B},
    {L::NULLTEXT, L::CREDITS41B}, {L::NULLTEXT, L::CREDITS42B},   {L::NULLTEXT, L::CREDITS43B},
    {L::NULLTEXT, L::CREDITS44B}, {L::NULLTEXT, L::CREDITS45B},
};

}  // namespace

std::span<const StoryScene> getOpeningStory()
{
    return openingStory;
}

std::span<const StoryScene> getCompletionStory()
{
    return completionStory;
}

std::span<const StoryScene> getScenesStarting(std::span<const StoryScene> story, double before, double now)
{
    const auto first = std::find_if(story.begin(), story.end(),
                                    [before](const StoryScene& scene) { return scene.start > before; });
    const auto last = std::find_if(first, story.end(), [now](const StoryScene& scene) { return scene.start > now; });
    return {first, last};
}

std::span<const CreditsRow> getCreditsRows()
{
    return creditsRows;
}
