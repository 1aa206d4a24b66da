#pragma once

#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtGui/QImage>

#include <memory>

class QQmlEngine;
class QQuickItem;
class orbHostEnvironment;
class DocModels;

// Renders the documentation's pictures with the module itself: QML examples
// and SVG files shown in real windows (each grabbed once everything in it has
// been drawn), the document model's painter renderer, and the reference
// renderer rsvg-convert for comparisons. GUI thread only; one engine for all.
class DocShots
{
public:
    DocShots(orbHostEnvironment &host, DocModels &models);
    ~DocShots();

    // The window content of a QML example file, at the size of its root item.
    QImage renderExample(const QString &qmlFile);
    // An SVG file drawn by ORBSvgItem, width pixels wide, on white.
    QImage renderWithItem(const QString &svgFile, int width);
    // The same drawn by the document model's painter renderer.
    static QImage renderWithModel(const QString &svgFile, int width);
    // The same drawn by rsvg-convert; a null image when it cannot run.
    static QImage renderWithReference(const QString &svgFile, const QSize &size);

    // Images in a row, each under its caption, on a light frame.
    static QImage sideBySide(const QList<QImage> &images, const QStringList &captions);

    // Whether every ORBSvgItem at or below item has built its tree.
    static bool svgItemsBuilt(const QQuickItem *item);

    // Destroys the engine, which saves the distance-field cache.
    void finish();

    QString lastError() const { return m_error; }

private:
    QImage grabSettled(const QByteArray &itemQml, const QUrl &baseUrl);

    std::unique_ptr<QQmlEngine> m_engine;
    QString m_error;
};
