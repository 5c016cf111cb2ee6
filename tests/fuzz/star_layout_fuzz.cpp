// The Star chart's first layout and drawing of any document body: the body reader's checks, then
// StarLayout (placing, spreading, clamping) and StarDraw on the recording surface. A crafted
// hierarchy (cycles, shared children, far-off positions, damaged view sizes) must neither crash nor
// hang the layout.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "charts/star/star_drawing.h"
#include "charts/star/star_layout.h"
#include "model/body_io.h"
#include "platform/picture_codec.h"
#include "tests/support/recording_surface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ravelo;
  SilentMessages messages;
  NoProgress progress;
  OpaquePictureCodec codec;
  auto diagram = std::make_unique<Diagram>();
  std::istringstream in(std::string("RVL001    ") + std::string(reinterpret_cast<const char*>(data), size));
  if (!ReadBody(in, *diagram, {messages, progress, codec})) return 0;
  diagram->header.CurrentChart = StarChart;
  testing::RecordingSurface surface;
  ViewState view;
  RandomSource random;
  RenderContext context(*diagram, surface, view, random);
  StarLayout(context, 1);
  StarDraw(context);
  return 0;
}
