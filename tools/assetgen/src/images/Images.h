#pragma once

#include "core/Output.h"

namespace assetgen {

// The image groups; each writes its sheets and skin lists.
void writeGameplayImages(const Output& out);
void writeEffectImages(const Output& out);
void writeGuiImages(const Output& out);
void writeHudImages(const Output& out);
void writeMascotImages(const Output& out);
void writeLogoImages(const Output& out);
void writeIntroImage(const Output& out);
void writeWorldMapImages(const Output& out);
void writeHelpImages(const Output& out);

} // namespace assetgen
