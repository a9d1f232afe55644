// Reads the chunk list and header of PNG bytes, so the tests check the files themselves rather
// than what a decoder makes of them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
};

struct PngLayout {
    PngHeader header;
    QStringList chunks;
};

std::optional<PngLayout> ReadPngLayout(const QByteArray& bytes);

// The segment markers of a JPEG up to the start of scan, with each segment's payload.
struct JpegSegment {
    int marker = 0;
    QByteArray payload;
};

std::optional<std::vector<JpegSegment>> ReadJpegSegments(const QByteArray& bytes);
