#include "AtlasPng.h"

#include <QtCore/QIODevice>
#include <QtGui/QImage>

#include <png.h>

#include <csetjmp>

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

} // namespace

QImage readAtlasPng(QIODevice &device, const QSize &expected, QSize *headerSize)
{
    *headerSize = QSize();
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
    // The caller checks the pixels against the descriptor's checksum, which
    // makes zlib's and the chunks' own checks a second pass over the same bytes.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
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

} // namespace orbsvgcache
