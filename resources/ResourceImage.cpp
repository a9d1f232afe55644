#include "ResourceImage.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "EmbeddedData.h"
#include "ImageDecode.h"

namespace {

DecodedImage decode(const QByteArray& data) {
    if (LooksLikePng(data)) return DecodePng(data);
    if (LooksLikeJpeg(data)) return DecodeJpeg(data);
    throw std::runtime_error("The embedded image is neither png nor jpeg.");
}

ImageHeader check(const QByteArray& data) {
    if (LooksLikePng(data)) return CheckPng(data);
    if (LooksLikeJpeg(data)) return CheckJpeg(data);
    throw std::runtime_error("The embedded image is neither png nor jpeg.");
}

QByteArray embedded(const QString& name) {
    std::optional<QByteArray> data = EmbeddedData(name);
    if (!data) throw std::runtime_error("The png image could not be loaded from the resource ID.");
    return std::move(*data);
}

bool isDirect32(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

std::uint8_t blendChannel(int src, int dst, int a) {
    return static_cast<std::uint8_t>((src * a + dst * (255 - a) + 255) >> 8);
}

QRgb blend(QRgb src, QRgb dst, int a) {
    return qRgb(blendChannel(qRed(src), qRed(dst), a), blendChannel(qGreen(src), qGreen(dst), a),
                blendChannel(qBlue(src), qBlue(dst), a));
}

}  // namespace

void ResourceImage::LoadFromResource(const QString& name) {
    DecodedImage decoded = decode(embedded(name));
    size_ = decoded.color.size();
    hasAlpha_ = !decoded.alpha.empty();
    pending_.clear();
    color_ = std::move(decoded.color);
    alpha_ = std::move(decoded.alpha);
}

void ResourceImage::LoadFromResourceOnDemand(const QString& name) {
    QByteArray data = embedded(name);
    const ImageHeader header = check(data);
    size_ = QSize(header.width, header.height);
    hasAlpha_ = header.alpha;
    pending_ = std::move(data);
    color_ = QImage();
    alpha_.clear();
}

void ResourceImage::DecodePending() const {
    if (pending_.isEmpty()) return;
    const QByteArray data = std::exchange(pending_, QByteArray());
    try {
        DecodedImage decoded = decode(data);
        if (decoded.color.size() != size_ || decoded.alpha.empty() == hasAlpha_) return;
        color_ = std::move(decoded.color);
        alpha_ = std::move(decoded.alpha);
    } catch (const std::exception&) {
        // Checked when loaded; what is left to fail leaves the image empty.
    }
}

int ResourceImage::Width() const {
    return size_.width();
}

int ResourceImage::Height() const {
    return size_.height();
}

bool ResourceImage::HasAlpha() const {
    return hasAlpha_;
}

const QImage& ResourceImage::ColorSurface() const {
    DecodePending();
    return color_;
}

void ResourceImage::Draw(QImage& target, int x, int y) const {
    DecodePending();
    if (color_.isNull() || target.isNull()) return;
    // Callers may hand over a converted pixmap; other layouts are drawn through a copy so the
    // per-pixel loop below can rely on 0xAARRGGBB words.
    if (!isDirect32(target.format())) {
        const QImage::Format original = target.format();
        QImage work = target.convertToFormat(QImage::Format_RGB32);
        Draw(work, x, y);
        target = work.convertToFormat(original);
        return;
    }
    const QRect area = QRect(x, y, Width(), Height()).intersected(target.rect());
    for (int ty = area.top(); ty <= area.bottom(); ++ty) {
        const int sy = ty - y;
        const auto* src =
            reinterpret_cast<const QRgb*>(color_.constScanLine(sy)) + (area.left() - x);
        auto* dst = reinterpret_cast<QRgb*>(target.scanLine(ty)) + area.left();
        if (!HasAlpha()) {
            std::copy_n(src, area.width(), dst);
            continue;
        }
        const std::uint8_t* alpha =
            alpha_.data() + static_cast<std::size_t>(sy) * Width() + (area.left() - x);
        for (int i = 0; i < area.width(); ++i) {
            if (alpha[i] == 255)
                dst[i] = src[i];
            else if (alpha[i] != 0)
                dst[i] = blend(src[i], dst[i], alpha[i]);
        }
    }
}
