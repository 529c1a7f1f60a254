#include "images/Images.h"

#include "core/Families.h"

namespace assetgen {

void generateImages(const Output& out) {
    runParallel({&writeIntroImage, &writeWorldMapImages, &writeGameplayImages, &writeEffectImages, &writeGuiImages,
                 &writeHudImages, &writeMascotImages, &writeLogoImages, &writeHelpImages},
                out);
}

} // namespace assetgen
