// Fuzz target for the PNG decoder: any input either decodes to a picture of the size its
// header gives or is refused with a DecodeError; nothing else may happen.
// Built natively with clang's libFuzzer by scripts/fuzz; not part of the cross build.
#include <cstdint>
#include <cstdlib>

#include "ui/codec_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const codec::Image image = codec::DecodePng(data, size);
        if (image.pixels.size() != size_t(image.width) * size_t(image.height))
            std::abort();
        volatile bool sink = codec::AnyTransparent(image);
        (void)sink;
    } catch (const codec::DecodeError&) {
    }
    return 0;
}
