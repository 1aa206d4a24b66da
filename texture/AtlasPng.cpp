#include "AtlasPng.h"

#include <QtCore/QBuffer>
#include <QtCore/QIODevice>
#include <QtCore/QtEndian>
#include <QtGui/QImage>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>

namespace orbsvgcache {

namespace {

void writeToDevice(png_structp png, png_bytep data, png_size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, "write failed");
}

void flushNothing(png_structp)
{
}

void readFromDevice(png_structp png, png_bytep data, png_size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char *>(data), qint64(length)) != qint64(length))
        png_error(png, "truncated");
}

// QImage's ARGB32 is B, G, R, A in memory on little-endian machines and
// A, R, G, B on big-endian ones; PNG's is R, G, B, A.
void useArgb32Order(png_structp png)
{
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        png_set_bgr(png);
    else
        png_set_swap_alpha(png);
}

// Keeps libpng's errors and warnings out of stderr: a failed write is reported
// by the return value.
void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp)
{
}

} // namespace

bool writeAtlasPng(const QImage &source, QIODevice &device)
{
    const QImage image = source.format() == QImage::Format_ARGB32
        ? source
        : source.convertToFormat(QImage::Format_ARGB32);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &device, writeToDevice, flushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 0);
    png_write_info(png, info);
    useArgb32Order(png);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

namespace {

// Its own jump point: no local of the caller changes between a setjmp and
// the longjmp that returns to it.
bool readRows(png_structp png, QImage &image)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int y = 0; y < image.height(); ++y)
        png_read_row(png, image.scanLine(y), nullptr);
    png_read_end(png, nullptr);
    return true;
}

// The general reader: any filters and compression.
QImage readAnyPng(QIODevice &device, const QSize &expected, QSize *headerSize)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!png)
        return QImage();
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return QImage();
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return QImage();
    }
    png_set_read_fn(png, &device, readFromDevice);
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(png, info);
    const QSize size(int(png_get_image_width(png, info)), int(png_get_image_height(png, info)));
    *headerSize = size;
    if (size != expected || png_get_bit_depth(png, info) != 8
        || png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA
        || png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
        png_destroy_read_struct(&png, &info, nullptr);
        return QImage();
    }
    useArgb32Order(png);
    png_read_update_info(png, info);
    QImage image(size, QImage::Format_ARGB32);
    const bool complete = !image.isNull()
        && png_get_rowbytes(png, info) == size_t(image.bytesPerLine()) && readRows(png, image);
    png_destroy_read_struct(&png, &info, nullptr);
    return complete ? image : QImage();
}

// What the direct reader made of a file: the image, a file that is not an
// atlas (or is damaged), or a valid PNG laid out otherwise.
enum class Direct { Read, Rejected, OtherLayout };

quint32 bigEndian32(const uchar *bytes)
{
    return qFromBigEndian<quint32>(bytes);
}

bool isChunk(const uchar *type, const char *name)
{
    return std::memcmp(type, name, 4) == 0;
}

// The IDAT payloads of an 8-bit RGBA, non-interlaced PNG of the expected size,
// every chunk's CRC checked.
Direct collectImageData(const QByteArray &file, const QSize &expected, QSize *headerSize,
                        QByteArray *stream)
{
    static const uchar Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qint64 size = file.size();
    if (size < 8 || std::memcmp(bytes, Signature, 8) != 0)
        return Direct::Rejected;
    bool headerRead = false;
    for (qint64 at = 8; at + 12 <= size;) {
        const quint32 length = bigEndian32(bytes + at);
        if (qint64(length) > size - at - 12)
            return Direct::Rejected;
        const uchar *type = bytes + at + 4;
        const uchar *payload = type + 4;
        if (crc32(crc32(0L, Z_NULL, 0), type, uInt(length) + 4) != bigEndian32(payload + length))
            return Direct::Rejected;
        at += 12 + qint64(length);
        if (!headerRead) {
            if (!isChunk(type, "IHDR") || length != 13)
                return Direct::Rejected;
            const quint32 width = bigEndian32(payload);
            const quint32 height = bigEndian32(payload + 4);
            if (width > 0x7fffffffu || height > 0x7fffffffu)
                return Direct::Rejected;
            *headerSize = QSize(int(width), int(height));
            if (*headerSize != expected)
                return Direct::Rejected;
            // Bit depth 8, RGBA, deflate, standard filters, not interlaced.
            static const uchar Layout[5] = {8, 6, 0, 0, 0};
            if (std::memcmp(payload + 8, Layout, 5) != 0)
                return Direct::OtherLayout;
            headerRead = true;
        } else if (isChunk(type, "IDAT")) {
            stream->append(reinterpret_cast<const char *>(payload), int(length));
        } else if (isChunk(type, "IEND")) {
            return Direct::Read;
        } else if (!(type[0] & 0x20)) {
            return Direct::OtherLayout; // a critical chunk this reader does not know
        }
    }
    return Direct::Rejected; // no IEND: truncated
}

// The rows of a zlib stream made only of stored (uncompressed) deflate blocks,
// as the writer above makes them. Like the general reader, the zlib checksum
// after the data is not checked: the chunk CRCs already cover those bytes.
Direct storedBlocks(const QByteArray &stream, QByteArray *raw)
{
    const auto *bytes = reinterpret_cast<const uchar *>(stream.constData());
    const int size = stream.size();
    if (size < 2 || (bytes[0] & 0x0f) != 8 || (bytes[0] * 256 + bytes[1]) % 31 != 0
        || (bytes[1] & 0x20))
        return Direct::OtherLayout;
    int written = 0;
    bool last = false;
    for (int at = 2; !last;) {
        if (at + 5 > size)
            return Direct::Rejected;
        last = bytes[at] & 1;
        if (((bytes[at] >> 1) & 3) != 0)
            return Direct::OtherLayout; // compressed
        const int length = bytes[at + 1] | (bytes[at + 2] << 8);
        const int complement = bytes[at + 3] | (bytes[at + 4] << 8);
        at += 5;
        if ((length ^ 0xffff) != complement || length > size - at || length > raw->size() - written)
            return Direct::Rejected;
        std::memcpy(raw->data() + written, bytes + at, size_t(length));
        written += length;
        at += length;
    }
    return written == raw->size() ? Direct::Read : Direct::Rejected;
}

// Decodes an atlas as this module writes it without going through libpng,
// whose row-by-row inflate and unfiltering costs several times the copy.
Direct readStoredPng(const QByteArray &file, const QSize &expected, QSize *headerSize,
                     QImage *image)
{
    QByteArray stream;
    stream.reserve(expected.height() * (1 + expected.width() * 4) + 1024);
    Direct result = collectImageData(file, expected, headerSize, &stream);
    if (result != Direct::Read)
        return result;
    const int rowBytes = 1 + expected.width() * 4;
    QByteArray raw(expected.height() * rowBytes, Qt::Uninitialized);
    result = storedBlocks(stream, &raw);
    if (result != Direct::Read)
        return result;
    QImage pixels(expected, QImage::Format_ARGB32);
    if (pixels.isNull())
        return Direct::Rejected;
    for (int y = 0; y < expected.height(); ++y) {
        const auto *row = reinterpret_cast<const uchar *>(raw.constData()) + y * rowBytes;
        if (row[0] != 0)
            return Direct::OtherLayout; // a filtered row
        auto *line = reinterpret_cast<QRgb *>(pixels.scanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            const uchar *rgba = row + 1 + 4 * x;
            line[x] = qRgba(rgba[0], rgba[1], rgba[2], rgba[3]);
        }
    }
    *image = pixels;
    return Direct::Read;
}

} // namespace

QImage readAtlasPng(QIODevice &device, const QSize &expected, QSize *headerSize)
{
    *headerSize = QSize();
    // Anything much larger than an uncompressed atlas is no atlas of ours:
    // libpng reads it a row at a time rather than all of it into memory.
    const qint64 rawSize = qint64(expected.height()) * (1 + qint64(expected.width()) * 4);
    if (device.isSequential() || device.size() > 2 * rawSize + 65536)
        return readAnyPng(device, expected, headerSize);
    QByteArray file = device.readAll();
    QImage image;
    if (readStoredPng(file, expected, headerSize, &image) != Direct::OtherLayout)
        return image;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    *headerSize = QSize();
    return readAnyPng(buffer, expected, headerSize);
}

} // namespace orbsvgcache
