// Atlas PNGs read back: the copying reader for what our writer makes, libpng
// for every other PNG, and nothing but a null image for damaged files; and
// the checksum that the cache keeps of their pixels.

#include "AtlasPng.h"
#include "Crc32c.h"

#include <QtCore/QBuffer>
#include <QtCore/QRandomGenerator>
#include <QtTest/QtTest>

using namespace orbsvgcache;

namespace {

const QSize Size(64, 48);

QImage randomImage()
{
    QImage image(Size, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = random.generate();
    }
    return image;
}

QByteArray written(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return writeAtlasPng(image, buffer) ? buffer.data() : QByteArray();
}

const uchar *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const uchar *>(bytes.constData());
}

QImage read(const QByteArray &bytes, QSize *headerSize = nullptr)
{
    QSize size;
    return readAtlasPng(bytesOf(bytes), size_t(bytes.size()), Size,
                        headerSize ? headerSize : &size);
}

QImage readCopying(const QByteArray &bytes)
{
    return readUncompressedAtlasPng(bytesOf(bytes), size_t(bytes.size()), Size);
}

// The pixels of row y in PNG's byte order (R, G, B, A).
QByteArray pngRow(const QImage &image, int y)
{
    QByteArray row(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    char *pixels = row.data();
    for (int x = 0; x < image.width(); ++x)
        std::swap(pixels[4 * x], pixels[4 * x + 2]);
    return row;
}

} // namespace

class tst_AtlasPng : public QObject
{
    Q_OBJECT
private slots:
    void bothReadersGiveTheWrittenPixels();
    void otherPngsGoToLibpng();
    void filteredRowInAStoredStream();
    void damagedFilesGiveNullImages();
    void pixelChecksum();
};

void tst_AtlasPng::bothReadersGiveTheWrittenPixels()
{
    const QImage image = randomImage();
    const QByteArray bytes = written(image);
    QSize headerSize;
    QCOMPARE(read(bytes, &headerSize), image);
    QCOMPARE(headerSize, Size);
    QCOMPARE(readCopying(bytes), image);
    // Every reader of PNGs sees the same picture.
    QCOMPARE(QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32), image);
}

void tst_AtlasPng::otherPngsGoToLibpng()
{
    const QImage image = randomImage();
    QByteArray compressed;
    QBuffer buffer(&compressed);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG", 0)); // compressed, with row filters
    QVERIFY(readCopying(compressed).isNull());
    QCOMPARE(read(compressed), image);
}

// A valid PNG that the copying reader must not take: a row filtered with
// "Up" (each byte plus the byte above it) inside stored blocks.
void tst_AtlasPng::filteredRowInAStoredStream()
{
    const QImage image = randomImage();
    QByteArray bytes = written(image);
    int y = 1;
    int at = -1;
    for (; y < image.height() && at < 0; ++y)
        at = bytes.indexOf(pngRow(image, y));
    QVERIFY2(at > 0, "no row lies whole in one stored block");
    --y;
    QCOMPARE(int(bytes.at(at - 1)), 0);
    bytes[at - 1] = 2;

    QImage expected = image;
    for (int i = 0; i < image.width() * 4; ++i)
        expected.scanLine(y)[i] = uchar(image.constScanLine(y)[i] + image.constScanLine(y - 1)[i]);
    QVERIFY(readCopying(bytes).isNull());
    QCOMPARE(read(bytes), expected);
}

void tst_AtlasPng::damagedFilesGiveNullImages()
{
    const QImage image = randomImage();
    const QByteArray bytes = written(image);
    // Cut anywhere before the last row ends: no image, and nothing read past the end.
    for (int length = 0; length < bytes.size() - 32; length += 1 + length / 7) {
        const QByteArray cut = bytes.left(length);
        QVERIFY2(read(cut).isNull(), qPrintable(QString::number(length)));
        QVERIFY(readCopying(cut).isNull());
    }
    // A header claiming a hostile size is not decoded at all.
    QByteArray huge = bytes;
    huge.replace(16, 8, QByteArray::fromHex("7fffffff7fffffff"));
    QSize headerSize;
    QVERIFY(read(huge, &headerSize).isNull());
    QCOMPARE(headerSize, QSize(0x7fffffff, 0x7fffffff));
    // A stored block whose length and its complement disagree.
    QByteArray lengths = bytes;
    const int idat = lengths.indexOf("IDAT");
    QVERIFY(idat > 0);
    lengths[idat + 4 + 2 + 3] = char(lengths.at(idat + 4 + 2 + 3) ^ 0x01); // NLEN, low byte
    QVERIFY(readCopying(lengths).isNull());
    QVERIFY(read(lengths).isNull());
}

void tst_AtlasPng::pixelChecksum()
{
    // The check value of CRC-32C.
    QCOMPARE(crc32c("123456789", 9), 0xe3069283u);
    QCOMPARE(crc32cPortable("123456789", 9), 0xe3069283u);
    QCOMPARE(crc32c("", 0), 0u);

    QByteArray bytes(4099, Qt::Uninitialized);
    QRandomGenerator random(11);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    // Every length and alignment of the word-wise loop, and continued sums.
    for (int from = 0; from < 9; ++from) {
        for (int length : {0, 1, 7, 8, 9, 63, 1000, 4000}) {
            const char *data = bytes.constData() + from;
            const quint32 whole = crc32cPortable(data, size_t(length));
            QCOMPARE(crc32c(data, size_t(length)), whole);
            const int half = length / 3;
            QCOMPARE(crc32c(data + half, size_t(length - half), crc32c(data, size_t(half))), whole);
        }
    }
}

QTEST_APPLESS_MAIN(tst_AtlasPng)
#include "tst_atlaspng.moc"
