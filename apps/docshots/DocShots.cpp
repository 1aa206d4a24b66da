#include "DocShots.h"

#include "DocModels.h"
#include "QSvgTinyDocument.h"
#include "orbHostEnvironment.h"

#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QPainter>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>

#include <cmath>

namespace {

constexpr int FramesAfterBuilt = 3;
constexpr int TimeoutMs = 30000;
constexpr int CaptionHeight = 26;
constexpr int Gap = 12;

int heightFor(const QString &svgFile, int width)
{
    std::unique_ptr<orbsvg::QSvgTinyDocument> document(orbsvg::QSvgTinyDocument::load(svgFile));
    if (!document)
        return 0;
    const QRectF box = document->viewBox();
    if (!(box.width() > 0) || !(box.height() > 0))
        return 0;
    return int(std::round(width * box.height() / box.width()));
}

} // namespace

bool DocShots::svgItemsBuilt(const QQuickItem *item)
{
    // A document is drawn in the frame after the one that built its tree.
    if (item->inherits("orbSvgItem") && !item->property("source").toUrl().isEmpty()
        && item->property("sourceSize").toSizeF().isEmpty())
        return false;
    const QList<QQuickItem *> children = item->childItems();
    for (const QQuickItem *child : children) {
        if (!svgItemsBuilt(child))
            return false;
    }
    return true;
}

DocShots::DocShots(orbHostEnvironment &host, DocModels &models)
    : m_engine(std::make_unique<QQmlEngine>())
{
    host.prepare(*m_engine);
    models.publish(*m_engine->rootContext());
}

DocShots::~DocShots() = default;

void DocShots::finish()
{
    m_engine.reset();
}

QImage DocShots::grabSettled(const QByteArray &itemQml, const QUrl &baseUrl)
{
    QQmlComponent component(m_engine.get());
    component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport orbQuick 1.0\n"
                      "Window { color: 'white'; flags: Qt.FramelessWindowHint\n"
                      "  Item { objectName: 'docContent'\n"
                          + itemQml + "\n} }",
                      baseUrl);
    std::unique_ptr<QObject> object(component.create());
    auto *window = qobject_cast<QQuickWindow *>(object.get());
    if (!window) {
        m_error = component.errorString();
        return {};
    }
    auto *content = window->findChild<QQuickItem *>(QStringLiteral("docContent"));
    const QList<QQuickItem *> items = content ? content->childItems() : QList<QQuickItem *>();
    QQuickItem *shown = items.isEmpty() ? nullptr : items.constFirst();
    if (auto *loaded = shown ? qvariant_cast<QQuickItem *>(shown->property("item")) : nullptr)
        shown = loaded;
    if (!shown || shown->width() < 1 || shown->height() < 1) {
        m_error = QStringLiteral("nothing of a size to show");
        return {};
    }
    window->resize(int(std::ceil(shown->width())), int(std::ceil(shown->height())));

    QEventLoop loop;
    int frames = 0;
    bool done = false;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, &loop,
        [&] {
            if (svgItemsBuilt(window->contentItem()) && ++frames >= FramesAfterBuilt) {
                done = true;
                loop.quit();
            } else {
                window->update();
            }
        },
        Qt::QueuedConnection);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    window->show();
    window->update();
    loop.exec();
    if (!done) {
        m_error = QStringLiteral("no complete frame within %1 ms").arg(TimeoutMs);
        return {};
    }
    QImage image = window->grabWindow();
    window->hide();
    return image;
}

QImage DocShots::renderExample(const QString &qmlFile)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(qmlFile).absoluteFilePath());
    return grabSettled("Loader { source: '" + url.toEncoded() + "' }", url);
}

QImage DocShots::renderWithItem(const QString &svgFile, int width)
{
    const int height = heightFor(svgFile, width);
    if (height < 1) {
        m_error = QStringLiteral("cannot load %1").arg(svgFile);
        return {};
    }
    const QUrl url = QUrl::fromLocalFile(QFileInfo(svgFile).absoluteFilePath());
    return grabSettled("ORBSvgItem { width: " + QByteArray::number(width) + "; height: "
                           + QByteArray::number(height) + "; source: '" + url.toEncoded() + "' }",
                       url);
}

QImage DocShots::renderWithModel(const QString &svgFile, int width)
{
    std::unique_ptr<orbsvg::QSvgTinyDocument> document(orbsvg::QSvgTinyDocument::load(svgFile));
    const int height = heightFor(svgFile, width);
    if (!document || height < 1)
        return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    document->draw(&painter, QRectF(0, 0, width, height));
    return image;
}

QImage DocShots::renderWithReference(const QString &svgFile, const QSize &size)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("reference.png"));
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"),
               {QStringLiteral("-w"), QString::number(size.width()), QStringLiteral("-h"),
                QString::number(size.height()), QStringLiteral("-b"), QStringLiteral("white"),
                QStringLiteral("-o"), out, svgFile});
    if (!rsvg.waitForFinished(TimeoutMs) || rsvg.exitCode() != 0)
        return {};
    return QImage(out);
}

QImage DocShots::sideBySide(const QList<QImage> &images, const QStringList &captions)
{
    int width = Gap;
    int height = 0;
    for (const QImage &image : images) {
        width += image.width() + Gap;
        height = std::max(height, image.height());
    }
    QImage sheet(width, height + CaptionHeight + Gap, QImage::Format_RGB32);
    sheet.fill(QColor(0xe6, 0xe8, 0xec));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    int x = Gap;
    for (int i = 0; i < images.size(); ++i) {
        const QImage &image = images.at(i);
        painter.setPen(QColor(0x20, 0x23, 0x29));
        painter.drawText(QRect(x, 0, image.width(), CaptionHeight), Qt::AlignCenter,
                         captions.value(i));
        painter.drawImage(x, CaptionHeight, image);
        x += image.width() + Gap;
    }
    return sheet;
}
