// Embedded artwork and the image type that decodes and draws it.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

// A decoded image from the program's embedded data, found by name (":/resources/<NAME>").
// Keeps its colour pixels opaque and, for RGBA images, a separate alpha plane.
class ResourceImage {
public:
    // Throws std::runtime_error("The png image could not be loaded from the resource ID.")
    // when no embedded item of that name exists, and a std::runtime_error naming the fault
    // when the data cannot be decoded; the image keeps its previous content then.
    void LoadFromResource(const QString& name);
    // For images that a window may never draw: finds and checks the item as far as that needs
    // no decoding (see CheckPng, CheckJpeg) and throws as LoadFromResource does for what it
    // finds; the pixels are decoded when first drawn or asked for. A file whose checksums hold
    // but whose pixels still cannot be decoded then leaves the image empty, drawing nothing.
    void LoadFromResourceOnDemand(const QString& name);

    int Width() const;
    int Height() const;
    bool HasAlpha() const;

    // Whole image at natural size with its top-left at (x, y): opaque copy for RGB images,
    // the integer blend (src * a + dst * (255 - a) + 255) >> 8 for RGBA, reading the
    // target's pixels. The target must be Format_RGB32; pixels outside it are skipped.
    void Draw(QImage& target, int x, int y) const;

    // The colour pixels (Format_RGB32), the source of stretched copies without blending.
    const QImage& ColorSurface() const;

private:
    // Decodes what LoadFromResourceOnDemand left; the program draws on one thread only.
    void DecodePending() const;

    QSize size_{0, 0};
    bool hasAlpha_ = false;
    mutable QByteArray pending_;  // the undecoded item, until the first use
    mutable QImage color_;
    mutable std::vector<std::uint8_t> alpha_;  // one byte per pixel, row-major; empty for RGB
};
