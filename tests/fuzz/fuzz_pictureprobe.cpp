// The picture probes run on any file a user picks as a vehicle photo, before
// a decoder sees it: they must never read past the bytes they are given, and
// their answer must fit what "complete" means for a file that can only be
// cut short, never padded in the middle.
#include "fuzzcheck.h"
#include "records/pictureprobe.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using Bytes = std::span<const unsigned char>;
using Probe = bool (*)(Bytes);

// Each prefix is copied to a buffer of its own size, so that reading one
// byte past it is a heap overflow the address sanitizer sees.
bool probePrefix(Probe probe, Bytes data, std::size_t length)
{
    const std::vector<unsigned char> prefix(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
    return probe(prefix);
}

// Completeness is kept by whatever follows the picture and lost by cutting
// it: once a prefix is complete every longer one is. Returns the length of
// the shortest complete prefix, found by bisection with every probe checked
// against the ones before it; 0 when `data` is incomplete.
std::size_t shortestComplete(Probe probe, Bytes data)
{
    if (!probe(data))
        return 0;
    std::size_t incomplete = 0; // longest length known to be incomplete (or 0)
    std::size_t complete = data.size();
    if (probePrefix(probe, data, 0))
        return 0;
    while (complete - incomplete > 1) {
        const std::size_t middle = incomplete + (complete - incomplete) / 2;
        if (probePrefix(probe, data, middle))
            complete = middle;
        else
            incomplete = middle;
    }
    // A few other cuts, spread over the input, must agree with the bisection.
    for (std::size_t k = 1; k <= 7; ++k) {
        const std::size_t cut = data.size() * k / 8;
        FUZZ_CHECK(probePrefix(probe, data, cut) == (cut >= complete));
    }
    FUZZ_CHECK(!probePrefix(probe, data, complete - 1));
    return complete;
}

void checkAppending(Probe probe, Bytes data)
{
    std::vector<unsigned char> longer(data.begin(), data.end());
    longer.insert(longer.end(), {0xFF, 0xD8, 0x00, 'B', 'M', 0xFF});
    FUZZ_CHECK(probe(longer));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Bytes input(data, size);
    const std::vector<unsigned char> exact(input.begin(), input.end());

    if (records::isCompleteJpeg(exact)) {
        FUZZ_CHECK(size >= 4 && data[0] == 0xFF && data[1] == 0xD8);
        checkAppending(records::isCompleteJpeg, exact);
        // The walk ends on the end-of-image marker, so the shortest complete
        // file is one that ends with it.
        const std::size_t end = shortestComplete(records::isCompleteJpeg, exact);
        FUZZ_CHECK(end >= 4 && data[end - 2] == 0xFF && data[end - 1] == 0xD9);
    } else if (size > 0) {
        FUZZ_CHECK(!probePrefix(records::isCompleteJpeg, exact, size - 1));
    }

    if (records::isCompleteBitmap(exact)) {
        FUZZ_CHECK(size >= 26 && data[0] == 'B' && data[1] == 'M');
        checkAppending(records::isCompleteBitmap, exact);
        FUZZ_CHECK(shortestComplete(records::isCompleteBitmap, exact) >= 26);
    } else if (size > 0) {
        FUZZ_CHECK(!probePrefix(records::isCompleteBitmap, exact, size - 1));
    }
    return 0;
}
