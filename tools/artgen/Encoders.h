// Writers for the embedded formats, with every chunk and marker chosen here rather than by a
// library default: the program's loaders and the tests rely on the exact layout.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <optional>
#include <vector>

// The image with straight (not premultiplied) alpha, computed in exact integer steps. Qt's own
// conversion divides by alpha with SIMD reciprocal estimates whose last bit differs from one
// processor to the next, and the committed pictures must be the same bytes on every machine.
QImage StraightAlpha(const QImage& image);

// 8-bit, non-interlaced RGB or RGBA with no ancillary chunks at all.
std::optional<QByteArray> EncodePng(const QImage& image, bool withAlpha);

// One 32 x 32 image at 32 bits per pixel with its 1-bit mask: a 4,286-byte icon file.
QByteArray EncodeIcon(const QImage& image);
// Square images of up to 256 pixels, each at 32 bits per pixel with its mask, in one file.
QByteArray EncodeIconSet(const std::vector<QImage>& images);

// Baseline JFIF 1.01 at 72 dpi, 4:2:0, with an Exif segment padded so that the whole file is
// exactly totalSize bytes. Picks the highest quality that fits; nothing when none does.
std::optional<QByteArray> EncodeJpegOfSize(const QImage& image, int totalSize);

// Writes `bytes` to root/relative (making the folder) through a temporary file renamed over the
// old one, so a failed run never leaves a half-written picture behind.
bool SaveArtFile(const QDir& root, const QString& relative, const std::optional<QByteArray>& bytes);
