#pragma once

#include <QtGui/QImage>

class QIODevice;

namespace orbsvgcache {

// Writes an ARGB32 atlas image as an 8-bit RGBA PNG that decodes quickly:
// no row filters and deflate without compression. Any PNG reader reads it
// back to the same pixels. False when the device fails.
bool writeAtlasPng(const QImage &image, QIODevice &device);

// Reads an 8-bit RGBA PNG of the expected size into an ARGB32 image; null when
// the file is anything else, truncated or corrupt. *headerSize is the size its
// header gives (invalid when there is no PNG header). The chunk checksums are
// checked; zlib's second checksum over the same bytes is not, which halves the
// cost of checking an uncompressed atlas.
QImage readAtlasPng(QIODevice &device, const QSize &expected, QSize *headerSize);

} // namespace orbsvgcache
