#pragma once

#include <QtGui/QImage>

class QIODevice;

namespace orbsvgcache {

// Writes an ARGB32 atlas image as an 8-bit RGBA PNG that decodes quickly:
// no row filters and deflate without compression. Any PNG reader reads it
// back to the same pixels. False when the device fails.
bool writeAtlasPng(const QImage &image, QIODevice &device);

// The size that the header of the PNG in data gives; invalid when there is no
// PNG header.
QSize atlasPngSize(const uchar *data, size_t size);

// Reads the 8-bit RGBA PNG in data, of the expected size, into an ARGB32
// image; null when it is anything else, truncated or corrupt. *headerSize is
// atlasPngSize. Neither the chunks' checksums nor zlib's are checked: the
// caller checks the pixels. What writeAtlasPng wrote is copied rather than
// decoded; any other PNG goes through libpng.
QImage readAtlasPng(const uchar *data, size_t size, const QSize &expected, QSize *headerSize);

// The copying reader alone: what writeAtlasPng wrote (8-bit RGBA, no
// interlace, no row filters, deflate's stored blocks); null for anything else.
QImage readUncompressedAtlasPng(const uchar *data, size_t size, const QSize &expected);

} // namespace orbsvgcache
