// Fuzz target for the network-list walker, element parser, sort and repository merge.
// Built natively with clang's libFuzzer by scripts/fuzz; not part of the cross build.
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>
#include "wlapi/bsslist.h"

namespace {

int ChannelOf(uint32_t khz)
{
    return khz % 7 == 0 ? -1 : int(khz % 200);
}

void ReadEveryItem(const std::vector<uint8_t>& list)
{
    for (const bss::Item& item : bss::WalkList(list.data(), list.size()).items) {
        const uint8_t* p = list.data() + item.offset;
        volatile size_t sink = bss::SsidText(p).size() + bss::Signal(p) + bss::IsGOnly(p);
        (void)sink;
        if (item.iesFit)
            (void)bss::ParseElements(p + bss::kIEs, bss::ReadU32(p + bss::kIELength));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Input: one byte of options, then a scan list and a repository list, split at the middle.
    if (size < 1)
        return 0;
    const uint8_t options = data[0];
    ++data;
    --size;
    (void)bss::ParseElements(data, size);

    const size_t half = size / 2;
    const size_t bufferSize = (options & 1) ? half + 64 : half;
    std::vector<uint8_t> scan(bufferSize, 0), repository(bufferSize, 0);
    std::copy_n(data, std::min(half, bufferSize), scan.begin());
    std::copy_n(data + half, std::min(size - half, bufferSize), repository.begin());

    ReadEveryItem(scan);
    std::vector<uint8_t> sorted = scan;
    bss::SortList(sorted.data(), sorted.size(), options % 4, ChannelOf);
    ReadEveryItem(sorted);

    std::vector<uint64_t> times(1024);
    for (size_t i = 0; i < times.size(); ++i)
        times[i] = uint64_t(options) << (i % 40);
    bss::MergeHooks hooks;
    hooks.channelAllowed = [](uint32_t khz) { return ChannelOf(khz) > 0; };
    bss::MergeRepository(repository.data(), times.data(), times.size(), scan.data(), scan.size(),
                         (options & 2) != 0, uint64_t(options) << 30, 150000000, hooks);
    ReadEveryItem(repository);
    ReadEveryItem(scan);
    return 0;
}
