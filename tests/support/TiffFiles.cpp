#include "tests/support/TiffFiles.h"

#include "tests/support/Sandbox.h"

#include <QImage>
#include <QImageWriter>
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

} // namespace testing_support
