#include "AtlasPng.h"

#include <QtCore/QIODevice>
#include <QtGui/QImage>

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <limits>

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

// libpng's input: the bytes of a file in memory.
struct MemoryInput
{
    const uchar *data;
    size_t size;
    size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep data, png_size_t length)
{
    auto *input = static_cast<MemoryInput *>(png_get_io_ptr(png));
    if (input->size - input->position < length)
        png_error(png, "truncated");
    std::memcpy(data, input->data + input->position, length);
    input->position += length;
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

QImage readWithLibpng(const uchar *data, size_t size, const QSize &expected)
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
    MemoryInput input{data, size};
    png_set_read_fn(png, &input, readFromMemory);
    // The caller checks the pixels against the descriptor's checksum, which
    // makes zlib's and the chunks' own checks a second pass over the same bytes.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_read_info(png, info);
    if (QSize(int(png_get_image_width(png, info)), int(png_get_image_height(png, info))) != expected
        || png_get_bit_depth(png, info) != 8
        || png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA
        || png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
        png_destroy_read_struct(&png, &info, nullptr);
        return QImage();
    }
    useArgb32Order(png);
    png_read_update_info(png, info);
    QImage image(expected, QImage::Format_ARGB32);
    const bool complete = !image.isNull()
        && png_get_rowbytes(png, info) == size_t(image.bytesPerLine()) && readRows(png, image);
    png_destroy_read_struct(&png, &info, nullptr);
    return complete ? image : QImage();
}

quint32 bigEndian32(const uchar *bytes)
{
    return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | bytes[3];
}

const uchar PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// The chunks of a PNG in memory, walked without their checksums (the caller
// checks the pixels).
class PngChunks
{
public:
    PngChunks(const uchar *data, size_t size)
        : m_data(data)
        , m_size(size)
        , m_next(sizeof PngSignature)
    {
    }

    // Steps to the next whole chunk; false at the end of the data or at a
    // chunk that runs past it.
    bool next()
    {
        if (m_next > m_size || m_size - m_next < 12)
            return false;
        const size_t length = bigEndian32(m_data + m_next);
        if (length > m_size - m_next - 12)
            return false;
        m_type = m_data + m_next + 4;
        m_payload = m_data + m_next + 8;
        m_length = length;
        m_next += length + 12;
        return true;
    }
    bool is(const char *type) const { return std::memcmp(m_type, type, 4) == 0; }
    const uchar *payload() const { return m_payload; }
    size_t length() const { return m_length; }

private:
    const uchar *m_data;
    size_t m_size;
    size_t m_next;
    const uchar *m_type = nullptr;
    const uchar *m_payload = nullptr;
    size_t m_length = 0;
};

// The zlib stream that a PNG's consecutive IDAT chunks carry, read as
// deflate's stored (uncompressed) blocks only.
class StoredDeflate
{
public:
    explicit StoredDeflate(PngChunks &chunks)
        : m_chunks(chunks)
    {
    }

    // After the zlib header: deflate, no preset dictionary.
    bool start()
    {
        uchar header[2];
        return readRaw(header, 2) && (header[0] & 0x0f) == 8 && (header[0] >> 4) <= 7
            && (header[0] << 8 | header[1]) % 31 == 0 && !(header[1] & 0x20);
    }

    // False at the end of the stream or at a block that is compressed.
    bool read(uchar *out, size_t count)
    {
        while (count > 0) {
            if (m_blockLeft == 0 && !startBlock())
                return false;
            const size_t take = std::min(count, m_blockLeft);
            if (!readRaw(out, take))
                return false;
            out += take;
            count -= take;
            m_blockLeft -= take;
        }
        return true;
    }

private:
    // Each block after a stored one starts on a byte: its header byte, then
    // LEN and its complement.
    bool startBlock()
    {
        uchar header[5];
        if (m_finalSeen || !readRaw(header, 5) || (header[0] & 0x06) != 0)
            return false;
        m_finalSeen = header[0] & 1;
        const quint16 length = quint16(header[1] | header[2] << 8);
        const quint16 complement = quint16(header[3] | header[4] << 8);
        m_blockLeft = length;
        return quint16(~length) == complement;
    }

    bool readRaw(uchar *out, size_t count)
    {
        while (count > 0) {
            if (m_left == 0 && !nextIdat())
                return false;
            const size_t take = std::min(count, m_left);
            std::memcpy(out, m_at, take);
            out += take;
            m_at += take;
            count -= take;
            m_left -= take;
        }
        return true;
    }

    bool nextIdat()
    {
        while (m_chunks.next()) {
            if (!m_chunks.is("IDAT")) {
                if (m_inIdat)
                    return false; // the image data is one run of IDAT chunks
                continue;
            }
            m_inIdat = true;
            m_at = m_chunks.payload();
            m_left = m_chunks.length();
            if (m_left > 0)
                return true;
        }
        return false;
    }

    PngChunks &m_chunks;
    const uchar *m_at = nullptr;
    size_t m_left = 0;
    size_t m_blockLeft = 0;
    bool m_inIdat = false;
    bool m_finalSeen = false;
};

// PNG's R, G, B, A to QImage's ARGB32 on a little-endian machine (B, G, R, A).
void swapRedAndBlue(uchar *row, int pixels)
{
    for (int x = 0; x < pixels; ++x) {
        quint32 pixel;
        std::memcpy(&pixel, row + 4 * x, 4);
        pixel = (pixel & 0xff00ff00u) | (pixel >> 16 & 0xffu) | (pixel & 0xffu) << 16;
        std::memcpy(row + 4 * x, &pixel, 4);
    }
}

// Checks the signature and steps chunks to the header that must follow it.
bool stepToHeader(PngChunks &chunks, const uchar *data, size_t size)
{
    return size >= sizeof PngSignature && std::memcmp(data, PngSignature, sizeof PngSignature) == 0
        && chunks.next() && chunks.is("IHDR") && chunks.length() == 13;
}

// The size in the header that chunks stands at; invalid beyond what a QSize holds.
QSize headerSize(const PngChunks &chunks)
{
    const quint32 width = bigEndian32(chunks.payload());
    const quint32 height = bigEndian32(chunks.payload() + 4);
    if (width > quint32(std::numeric_limits<int>::max())
        || height > quint32(std::numeric_limits<int>::max()))
        return QSize();
    return QSize(int(width), int(height));
}

} // namespace

QImage readUncompressedAtlasPng(const uchar *data, size_t size, const QSize &expected)
{
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        return QImage();
    PngChunks chunks(data, size);
    if (!stepToHeader(chunks, data, size) || headerSize(chunks) != expected || expected.isEmpty())
        return QImage();
    const uchar *header = chunks.payload();
    // Bit depth 8, colour type 6 (RGBA), compression 0, filter method 0, no interlace.
    if (header[8] != 8 || header[9] != 6 || header[10] != 0 || header[11] != 0 || header[12] != 0)
        return QImage();
    StoredDeflate stream(chunks);
    QImage image(expected, QImage::Format_ARGB32);
    if (image.isNull() || !stream.start())
        return QImage();
    for (int y = 0; y < image.height(); ++y) {
        uchar filter = 0;
        if (!stream.read(&filter, 1) || filter != 0
            || !stream.read(image.scanLine(y), size_t(image.width()) * 4))
            return QImage();
        swapRedAndBlue(image.scanLine(y), image.width());
    }
    return image;
}

QSize atlasPngSize(const uchar *data, size_t size)
{
    PngChunks chunks(data, size);
    return stepToHeader(chunks, data, size) ? headerSize(chunks) : QSize();
}

QImage readAtlasPng(const uchar *data, size_t size, const QSize &expected, QSize *headerSize)
{
    *headerSize = atlasPngSize(data, size);
    if (*headerSize != expected || expected.isEmpty())
        return QImage();
    const QImage image = readUncompressedAtlasPng(data, size, expected);
    return image.isNull() ? readWithLibpng(data, size, expected) : image;
}

} // namespace orbsvgcache
