#include "artgen.h"
#include "sprite_parts.h"

namespace artgen {

void drawSprites(const AssetSink& sink) {
  drawHeads(sink);
  drawExplosions(sink);
  drawInterfacePictures(sink);
}

}  // namespace artgen
