#pragma once

#include <span>

namespace records {

// Whether a picture file's bytes are whole, told from its own structure
// before any decoder sees it: decoders fill a cut-off picture with grey or
// black rather than refusing it. Both only walk the bytes they are given.

// True when `data` is a JPEG whose segments and entropy-coded data run to the
// end-of-image marker (a truncated file has none). Bytes after the marker are
// not looked at.
bool isCompleteJpeg(std::span<const unsigned char> data);

// True when `data` is a Windows bitmap holding all the pixel data its header
// announces.
bool isCompleteBitmap(std::span<const unsigned char> data);

} // namespace records
