#include "platform/codec/jpeg_codec.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jerror.h>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <csetjmp>
#include <new>

#include "platform/codec/decode_limits.h"
#include "platform/image_file.h"

namespace ravelo {

namespace {

// Every 8x8 block of a Huffman-coded stream costs at least one bit.
constexpr uint64_t kMaxPixelsPerByte = 512;

// libjpeg reports a fatal error through its error manager, and must not return from it. This one
// jumps back to the setjmp of the function that drives libjpeg; that function holds only references
// and plain values, so nothing is left undestroyed, and its caller destroys the libjpeg object.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to the trap
  std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// A warning that data is missing means the rest of the picture would be made up: refuse it.
void JumpBackWhenDataMissing(j_common_ptr info, int level) {
  if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)) {
    JumpBack(info);
  }
}

void PrintNothing(j_common_ptr) {}

jpeg_error_mgr* InstallTrap(ErrorTrap& trap) {
  jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpBack;
  trap.manager.emit_message = JumpBackWhenDataMissing;
  trap.manager.output_message = PrintNothing;
  return &trap.manager;
}

// Adobe CMYK as libjpeg delivers it (inverted ink values), converted in place to opaque BGRA.
void CmykToBgra(uint8_t* row, std::size_t pixels) {
  for (std::size_t i = 0; i < pixels; ++i, row += 4) {
    const unsigned c = row[0], m = row[1], y = row[2], k = row[3];
    row[0] = static_cast<uint8_t>((y * k + 127) / 255);
    row[1] = static_cast<uint8_t>((m * k + 127) / 255);
    row[2] = static_cast<uint8_t>((c * k + 127) / 255);
    row[3] = 255;
  }
}

bool Decompress(jpeg_decompress_struct& info, ErrorTrap& trap, std::span<const uint8_t> bytes,
                PictureBudget& budget, Picture& picture) {
  if (setjmp(trap.jump) != 0) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (!SizeFitsInput(info.image_width, info.image_height, bytes.size(), kMaxPixelsPerByte) ||
      !budget.Take(info.image_width, info.image_height))
    return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  picture = BlankPicture(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 4;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.bgra.data() + info.output_scanline * rowBytes;
    jpeg_read_scanlines(&info, &row, 1);
    if (cmyk) CmykToBgra(row, static_cast<std::size_t>(picture.width));
  }
  jpeg_finish_decompress(&info);
  return true;
}

// Collects the compressed stream in a vector.
struct VectorDestination {
  jpeg_destination_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to this
  std::vector<uint8_t>* out;
  std::array<JOCTET, 16384> buffer;
};

VectorDestination& DestinationOf(j_compress_ptr info) {
  return *reinterpret_cast<VectorDestination*>(info->dest);
}

void StartBuffer(j_compress_ptr info) {
  VectorDestination& destination = DestinationOf(info);
  destination.manager.next_output_byte = destination.buffer.data();
  destination.manager.free_in_buffer = destination.buffer.size();
}

// Moves what the buffer holds into the vector; a failed allocation becomes a libjpeg error.
void KeepBuffered(j_compress_ptr info) {
  VectorDestination& destination = DestinationOf(info);
  const std::size_t used = destination.buffer.size() - destination.manager.free_in_buffer;
  bool kept = true;
  try {
    destination.out->insert(destination.out->end(), destination.buffer.begin(),
                            destination.buffer.begin() + used);
  } catch (const std::bad_alloc&) {
    kept = false;
  }
  if (!kept) {
    info->err->msg_code = JERR_OUT_OF_MEMORY;
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  }
  StartBuffer(info);
}

boolean FlushFullBuffer(j_compress_ptr info) {
  DestinationOf(info).manager.free_in_buffer = 0;
  KeepBuffered(info);
  return TRUE;
}

bool Compress(jpeg_compress_struct& info, ErrorTrap& trap, VectorDestination& destination,
              const Picture& picture, int quality) {
  if (setjmp(trap.jump) != 0) return false;
  jpeg_create_compress(&info);
  destination.manager.init_destination = StartBuffer;
  destination.manager.empty_output_buffer = FlushFullBuffer;
  destination.manager.term_destination = KeepBuffered;
  info.dest = &destination.manager;
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, std::clamp(quality, 0, 100), TRUE);
  if (quality >= 90) {
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
  }
  info.density_unit = 1;  // dots per inch
  info.X_density = 96;
  info.Y_density = 96;
  jpeg_start_compress(&info, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 4;
  while (info.next_scanline < info.image_height) {
    // libjpeg takes rows as writable pointers but only reads them.
    JSAMPROW row = const_cast<JSAMPLE*>(picture.bgra.data() + info.next_scanline * rowBytes);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = InstallTrap(trap);
  Picture picture;
  const bool decoded = Decompress(info, trap, fileBytes, budget, picture);
  jpeg_destroy_decompress(&info);
  if (!decoded) return std::nullopt;
  return picture;
}

std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality) {
  if (!HasPixelData(picture)) return {};
  std::vector<uint8_t> out;
  jpeg_compress_struct info{};
  ErrorTrap trap{};
  info.err = InstallTrap(trap);
  VectorDestination destination{};
  destination.out = &out;
  const bool compressed = Compress(info, trap, destination, picture, quality);
  jpeg_destroy_compress(&info);
  if (!compressed) return {};
  return out;
}

}  // namespace ravelo
