// Icon files: a directory of entries, each a device-independent bitmap or a PNG picture.
#include "ui/codec_common.h"

namespace codec {

Image DecodeIco(const uint8_t* data, size_t size) {
  Reader r(data, size, "ICO");
  if (r.U16le(0) != 0 || r.U16le(2) != 1) r.Fail("not an icon file");
  const unsigned count = r.U16le(4);
  if (count == 0) r.Fail("icon has no entries");
  r.At(6, 16 * static_cast<size_t>(count));

  size_t best = 0;
  int64_t bestArea = -1;
  unsigned bestBits = 0;
  for (unsigned i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    const unsigned w = r.U8(entry) ? r.U8(entry) : 256;
    const unsigned h = r.U8(entry + 1) ? r.U8(entry + 1) : 256;
    const unsigned bits = r.U16le(entry + 6);
    const uint32_t bytes = r.U32le(entry + 8);
    const uint32_t offset = r.U32le(entry + 12);
    if (bytes == 0 || offset > size || bytes > size - offset)
      r.Fail("entry " + std::to_string(i) + " lies past the end of the file");
    const int64_t area = static_cast<int64_t>(w) * h;
    if (area > bestArea || (area == bestArea && bits > bestBits)) {
      best = entry;
      bestArea = area;
      bestBits = bits;
    }
  }
  const uint8_t* payload = data + r.U32le(best + 12);
  const size_t bytes = r.U32le(best + 8);
  if (IsPng(payload, bytes)) return DecodePng(payload, bytes);
  return DecodeIconDib(payload, bytes);
}

}  // namespace codec
