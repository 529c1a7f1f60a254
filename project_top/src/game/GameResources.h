#pragma once
// The game's sounds and sprites, found by their start-up names. A name the
// start-up did not register is fatal ("Could not find resource '%s'.").
#include "math/V3.h"

class Skin;
class Sound;

Sound* gameSound(const char* name);
void playSound(const char* name);
// Panned from the point's x on the screen.
void playSoundAt(const char* name, V3 position);
void playSoundSemitones(const char* name, int semitones);
// Frame `frame` of the image registered under the name.
Skin* gameFrame(const char* image, int frame);
// Whether the settings' detail allows purely visual extras.
bool detailOn();
// Whether the renderer's drop-shadow flag is on.
bool dropShadowsOn();
