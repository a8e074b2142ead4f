#include "tests/support/TiffFiles.h"

#include "tests/support/Sandbox.h"

#include <QImage>
#include <QImageWriter>
#include <cstdint>
#include <gtest/gtest.h>

namespace testing_support {

std::string tiffBytes(const std::string& rest) {
    return std::string("II*\0", 4) + rest;
}

void writeTiff(const std::string& path, int width, int height, bool packed) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    writeFile(path, "");
    QImageWriter writer(QString::fromStdString(path), "tiff");
    writer.setCompression(packed ? 1 : 0); // 1: LZW
    ASSERT_TRUE(writer.write(image)) << path << writer.errorString().toStdString();
}

void writeHugeTiffHeader(const std::string& path, int width, int height) {
    std::string bytes = "II*";
    bytes.push_back('\0');
    auto put16 = [&](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xff));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    put32(8); // first directory right after the header
    const uint16_t entries = 8;
    put16(entries);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) {
        put16(tag);
        put16(type);
        put32(1);
        if (type == 3) {
            put16(static_cast<uint16_t>(value));
            put16(0);
        } else {
            put32(value);
        }
    };
    entry(256, 4, static_cast<uint32_t>(width));  // ImageWidth
    entry(257, 4, static_cast<uint32_t>(height)); // ImageLength
    entry(258, 3, 8);                             // BitsPerSample
    entry(259, 3, 1);                             // no compression
    entry(262, 3, 1);                             // black is zero
    entry(273, 4, 200);                           // StripOffsets
    entry(278, 4, static_cast<uint32_t>(height)); // RowsPerStrip
    entry(279, 4, static_cast<uint32_t>(width) * static_cast<uint32_t>(height));
    put32(0);
    bytes.resize(256, '\0');
    writeFile(path, bytes);
}

} // namespace testing_support
