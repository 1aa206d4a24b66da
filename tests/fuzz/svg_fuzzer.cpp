// libFuzzer entry: any bytes are loaded as an SVG document and, when that
// works, drawn into a small image.

#include "QSvgTinyDocument.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <cstdint>
#include <memory>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

// Text drawing needs a font database, which needs an application object.
void ensureApplication()
{
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "svg_fuzzer";
        static char *argv[] = {name, nullptr};
        qInstallMessageHandler(quiet);
        auto *application = new QGuiApplication(argc, argv);
        // Fill the font caches once, so that they are not taken for leaks of an input.
        QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        painter.drawText(0, 8, QStringLiteral("warm"));
        return application;
    }();
    Q_UNUSED(app);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureApplication();
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    std::unique_ptr<orbsvg::QSvgTinyDocument> document(orbsvg::QSvgTinyDocument::load(bytes));
    if (!document)
        return 0;
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    document->draw(&painter, QRectF(0, 0, 48, 48));
    return 0;
}
