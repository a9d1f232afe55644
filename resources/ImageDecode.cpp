#include "ImageDecode.h"

#include <stdexcept>

QImage NewColorImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw std::runtime_error("Not enough memory to decode the image.");
    return image;
}
