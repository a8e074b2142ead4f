// Picture files for tests: real TIFFs of a given size, and broken ones.
#pragma once

#include <string>

namespace testing_support {

// Bytes that begin like a TIFF file (little-endian header), then rest: what
// the privileged tool accepts as a picture, without being one to decode.
std::string tiffBytes(const std::string& rest);
// A TIFF picture w x h in one colour; packed (LZW): a small file of many pixels.
void writeTiff(const std::string& path, int width, int height, bool packed = false);
// A TIFF header that declares a picture far too big to decode, and no pixels.
void writeHugeTiffHeader(const std::string& path, int width, int height);

} // namespace testing_support
