// JPEG pictures through libjpeg. libjpeg reports errors through a callback that must not
// return, so it leaves by longjmp to the decoding function, which then reports failure.
#include "ui/codec_common.h"

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace codec {

namespace {

constexpr int kMaxScans = 1000;  // more scans than any real progressive picture uses

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void LeaveWithMessage(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void OnError(j_common_ptr cinfo) { LeaveWithMessage(cinfo); }

// Warnings that mean the picture data is damaged or cut short become errors; the rest are ignored.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
      LeaveWithMessage(cinfo);
    default:
      break;
  }
}

void OnProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

// Returns false when libjpeg gave up; err.message says why. Holds no object with a destructor,
// so leaving it by longjmp skips nothing.
bool DecodeInto(jpeg_decompress_struct& cinfo, ErrorManager& err, const uint8_t* data, size_t size,
                Image& image, std::vector<uint8_t>& row) {
  if (setjmp(err.jump)) return false;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  CheckSize(cinfo.image_width, cinfo.image_height, "JPEG");
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  const int width = static_cast<int>(cinfo.output_width);
  image = MakeImage(width, static_cast<int>(cinfo.output_height), 0);
  row.resize(static_cast<size_t>(width) * 4);
  const bool inverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    uint32_t* dst = &image.pixels[static_cast<size_t>(cinfo.output_scanline) * width];
    JSAMPROW target = cmyk ? row.data() : reinterpret_cast<JSAMPROW>(dst);
    jpeg_read_scanlines(&cinfo, &target, 1);
    if (!cmyk) continue;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &row[4 * static_cast<size_t>(x)];
      unsigned c = p[0], m = p[1], y = p[2], k = p[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      dst[x] = Argb(255, c * k / 255, m * k / 255, y * k / 255);
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

Image DecodeJpeg(const uint8_t* data, size_t size) {
  struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    Decompressor() {
      cinfo.err = jpeg_std_error(&err.pub);
      err.pub.error_exit = OnError;
      err.pub.emit_message = OnMessage;
      jpeg_create_decompress(&cinfo);
      progress.progress_monitor = OnProgress;
      cinfo.progress = &progress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  } d;
  Image image;
  std::vector<uint8_t> row;
  if (!DecodeInto(d.cinfo, d.err, data, size, image, row))
    throw DecodeError(std::string("JPEG: ") + d.err.message);
  return image;
}

}  // namespace codec
