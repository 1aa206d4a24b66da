// Draws an SVG file with the document model's own painter-based renderer:
//   orbsvg-render IN.svg OUT.png [WIDTH]
// The height follows the view box; the background is white.

#include "QSvgTinyDocument.h"

#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int MaxSide = 16384;

int fail(const char *message, const char *detail = "")
{
    std::fprintf(stderr, "orbsvg-render: %s%s\n", message, detail);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text needs a font database, which needs a platform; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc < 3 || argc > 4)
        return fail("usage: orbsvg-render IN.svg OUT.png [WIDTH]");

    std::unique_ptr<orbsvg::QSvgTinyDocument> document(
        orbsvg::QSvgTinyDocument::load(QString::fromLocal8Bit(argv[1])));
    if (!document)
        return fail("cannot load ", argv[1]);

    const QRectF viewBox = document->viewBox();
    if (!(viewBox.width() > 0) || !(viewBox.height() > 0))
        return fail("the document has an empty view box: ", argv[1]);

    int width = document->size().width();
    if (argc == 4) {
        bool ok = false;
        width = QString::fromLocal8Bit(argv[3]).toInt(&ok);
        if (!ok)
            return fail("WIDTH is not a whole number: ", argv[3]);
    }
    const double height = std::round(width * viewBox.height() / viewBox.width());
    if (width < 1 || width > MaxSide || !(height >= 1 && height <= MaxSide))
        return fail("the image size is out of range for ", argv[1]);

    QImage image(width, int(height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    document->draw(&painter, QRectF(0, 0, width, height));
    painter.end();

    if (!image.save(QString::fromLocal8Bit(argv[2])))
        return fail("cannot write ", argv[2]);
    return 0;
}
