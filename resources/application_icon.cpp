#include "resources/application_icon.h"

namespace ravelo {

namespace resources {
extern const uint8_t kEmbedded_app_16[];
extern const unsigned kEmbedded_app_16_size;
extern const uint8_t kEmbedded_app_24[];
extern const unsigned kEmbedded_app_24_size;
extern const uint8_t kEmbedded_app_32[];
extern const unsigned kEmbedded_app_32_size;
extern const uint8_t kEmbedded_app_48[];
extern const unsigned kEmbedded_app_48_size;
extern const uint8_t kEmbedded_app_64[];
extern const unsigned kEmbedded_app_64_size;
extern const uint8_t kEmbedded_app_128[];
extern const unsigned kEmbedded_app_128_size;
}  // namespace resources

std::span<const uint8_t> ApplicationIconPng(int size) {
  using namespace resources;
  switch (size) {
    case 16:
      return {kEmbedded_app_16, kEmbedded_app_16_size};
    case 24:
      return {kEmbedded_app_24, kEmbedded_app_24_size};
    case 32:
      return {kEmbedded_app_32, kEmbedded_app_32_size};
    case 48:
      return {kEmbedded_app_48, kEmbedded_app_48_size};
    case 64:
      return {kEmbedded_app_64, kEmbedded_app_64_size};
    case 128:
      return {kEmbedded_app_128, kEmbedded_app_128_size};
    default:
      return {};
  }
}

}  // namespace ravelo
