#include "resources/builtin_pictures.h"

#include <array>

namespace ravelo {

namespace resources {
extern const uint8_t kEmbedded_builtin1[];
extern const unsigned kEmbedded_builtin1_size;
extern const uint8_t kEmbedded_builtin2[];
extern const unsigned kEmbedded_builtin2_size;
extern const uint8_t kEmbedded_builtin3[];
extern const unsigned kEmbedded_builtin3_size;
extern const uint8_t kEmbedded_builtin4[];
extern const unsigned kEmbedded_builtin4_size;
extern const uint8_t kEmbedded_builtin5[];
extern const unsigned kEmbedded_builtin5_size;
extern const uint8_t kEmbedded_builtin6[];
extern const unsigned kEmbedded_builtin6_size;
extern const uint8_t kEmbedded_builtin7[];
extern const unsigned kEmbedded_builtin7_size;
extern const uint8_t kEmbedded_builtin8[];
extern const unsigned kEmbedded_builtin8_size;
extern const uint8_t kEmbedded_builtin9[];
extern const unsigned kEmbedded_builtin9_size;
extern const uint8_t kEmbedded_builtin10[];
extern const unsigned kEmbedded_builtin10_size;
extern const uint8_t kEmbedded_builtin11[];
extern const unsigned kEmbedded_builtin11_size;
extern const uint8_t kEmbedded_builtin12[];
extern const unsigned kEmbedded_builtin12_size;
extern const uint8_t kEmbedded_builtin13[];
extern const unsigned kEmbedded_builtin13_size;
extern const uint8_t kEmbedded_builtin14[];
extern const unsigned kEmbedded_builtin14_size;
extern const uint8_t kEmbedded_builtin15[];
extern const unsigned kEmbedded_builtin15_size;
extern const uint8_t kEmbedded_builtin16[];
extern const unsigned kEmbedded_builtin16_size;
extern const uint8_t kEmbedded_builtin17[];
extern const unsigned kEmbedded_builtin17_size;
}  // namespace resources

std::span<const uint8_t> BuiltInPicturePng(int number) {
  using namespace resources;
  static const std::array<std::span<const uint8_t>, kBuiltInPictureCount> kPictures = {
      std::span<const uint8_t>(kEmbedded_builtin1, kEmbedded_builtin1_size),
      std::span<const uint8_t>(kEmbedded_builtin2, kEmbedded_builtin2_size),
      std::span<const uint8_t>(kEmbedded_builtin3, kEmbedded_builtin3_size),
      std::span<const uint8_t>(kEmbedded_builtin4, kEmbedded_builtin4_size),
      std::span<const uint8_t>(kEmbedded_builtin5, kEmbedded_builtin5_size),
      std::span<const uint8_t>(kEmbedded_builtin6, kEmbedded_builtin6_size),
      std::span<const uint8_t>(kEmbedded_builtin7, kEmbedded_builtin7_size),
      std::span<const uint8_t>(kEmbedded_builtin8, kEmbedded_builtin8_size),
      std::span<const uint8_t>(kEmbedded_builtin9, kEmbedded_builtin9_size),
      std::span<const uint8_t>(kEmbedded_builtin10, kEmbedded_builtin10_size),
      std::span<const uint8_t>(kEmbedded_builtin11, kEmbedded_builtin11_size),
      std::span<const uint8_t>(kEmbedded_builtin12, kEmbedded_builtin12_size),
      std::span<const uint8_t>(kEmbedded_builtin13, kEmbedded_builtin13_size),
      std::span<const uint8_t>(kEmbedded_builtin14, kEmbedded_builtin14_size),
      std::span<const uint8_t>(kEmbedded_builtin15, kEmbedded_builtin15_size),
      std::span<const uint8_t>(kEmbedded_builtin16, kEmbedded_builtin16_size),
      std::span<const uint8_t>(kEmbedded_builtin17, kEmbedded_builtin17_size)};
  if (number < 1 || number > kBuiltInPictureCount) return {};
  return kPictures[static_cast<std::size_t>(number - 1)];
}

std::string_view BuiltInPictureCaption(int number) {
  static constexpr std::string_view kCaptions[kBuiltInPictureCount] = {
      "No. 1  男性",     "No. 2  女性",     "No. 3  少年",     "No. 4  少女",   "No. 5  家族",
      "No. 6  ビル",     "No. 7  家",       "No. 8  本",       "No. 9  地図",   "No. 10  クラブ",
      "No. 11  ダイヤ",  "No. 12  ハート",  "No. 13  スペード", "No. 14  赤色ピン", "No. 15  緑色ピン",
      "No. 16  黄色ピン", "No. 17  黒色ピン"};
  if (number < 1 || number > kBuiltInPictureCount) return {};
  return kCaptions[number - 1];
}

}  // namespace ravelo
