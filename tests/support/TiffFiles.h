// Picture files for tests: real TIFFs of a given size, and TIFF-like bytes.
#pragma once

#include <string>

namespace testing_support {

// Bytes that begin like a TIFF file (little-endian header), then rest: what
// the privileged tool accepts as a picture, without being one to decode.
std::string tiffBytes(const std::string& rest);
// A TIFF picture w x h in one colour; packed (LZW): a small file of many pixels.
void writeTiff(const std::string& path, int width, int height, bool packed = false);

} // namespace testing_support
