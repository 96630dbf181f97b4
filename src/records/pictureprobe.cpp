#include "records/pictureprobe.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace records {

namespace {

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const unsigned char *p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

} // namespace

bool isCompleteJpeg(std::span<const unsigned char> data)
{
    const unsigned char *p = data.data();
    const std::size_t n = data.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    std::size_t i = 2;
    while (i < n) {
        if (p[i] != 0xFF)
            return false;
        while (i < n && p[i] == 0xFF) // fill bytes before a marker
            ++i;
        if (i >= n)
            return false;
        const unsigned char marker = p[i++];
        if (marker == 0xD9) // end of image: whatever follows is not ours to judge
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        if (i + 2 > n)
            return false;
        const std::size_t length = std::size_t(p[i]) << 8 | p[i + 1];
        if (length < 2 || i + length > n)
            return false;
        i += length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data of a scan runs to the next marker that is not a
        // stuffed zero or a restart marker.
        for (;;) {
            const void *ff = i < n ? std::memchr(p + i, 0xFF, n - i) : nullptr;
            if (!ff)
                return false;
            i = std::size_t(static_cast<const unsigned char *>(ff) - p);
            if (i + 1 >= n)
                return false;
            const unsigned char next = p[i + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                i += 2;
            else if (next == 0xFF)
                i += 1;
            else
                break;
        }
    }
    return false;
}

bool isCompleteBitmap(std::span<const unsigned char> data)
{
    const unsigned char *p = data.data();
    const std::int64_t n = static_cast<std::int64_t>(data.size());
    if (n < 26 || p[0] != 'B' || p[1] != 'M')
        return false;
    const std::int64_t pixels = le32(p + 10);
    const std::uint32_t header = le32(p + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    if (header == 12) {
        width = le16(p + 18);
        height = le16(p + 20);
        bits = le16(p + 24);
    } else if (header >= 40 && n >= 54) {
        width = static_cast<std::int32_t>(le32(p + 18));
        height = static_cast<std::int32_t>(le32(p + 22));
        bits = le16(p + 28);
        compression = le32(p + 30);
        imageSize = le32(p + 34);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || bits <= 0)
        return false;
    if (compression == 0 || compression == 3 || compression == 6) { // uncompressed rows
        const std::int64_t stride = (width * bits + 31) / 32 * 4;
        // Rows times stride of a damaged header can pass the 64-bit range, so
        // the rows are compared with the number the file has room for.
        return pixels <= n && std::abs(height) <= (n - pixels) / stride;
    }
    return imageSize == 0 || n >= pixels + imageSize;
}

} // namespace records
