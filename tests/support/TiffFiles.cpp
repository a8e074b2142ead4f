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
    std::string bytes("II*\0", 4);
    const auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    put(8, 4); // the first directory, right after the header
    const auto w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    // Width, length, 8 bits a sample, no compression, black is zero, the
    // strip's offset, rows per strip and bytes in it: tag, type, value.
    const uint32_t entries[][3] = {{256, 4, w}, {257, 4, h},   {258, 3, 8}, {259, 3, 1},
                                   {262, 3, 1}, {273, 4, 200}, {278, 4, h}, {279, 4, w * h}};
    put(std::size(entries), 2);
    for (const auto& [tag, type, value] : entries) {
        put(tag, 2);
        put(type, 2);
        put(1, 4);
        put(value, 4); // a short (type 3) in the first two bytes
    }
    put(0, 4);
    bytes.resize(256, '\0');
    writeFile(path, bytes);
}

} // namespace testing_support
