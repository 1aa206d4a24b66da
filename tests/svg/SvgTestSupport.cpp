#include "SvgTestSupport.h"

#include <QtTest/QTest>

#include <QtCore/QVector>

namespace orbtest {

DocumentPtr parseDocument(const QByteArray &xml)
{
    return DocumentPtr(orbsvg::QSvgTinyDocument::load(xml));
}

DocumentPtr parseSvg(const QByteArray &body, const QByteArray &rootAttributes)
{
    return parseDocument("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" viewBox=\"0 0 100 100\" "
                         + rootAttributes + ">" + body + "</svg>");
}

AppliedStyle appliedStyle(const orbsvg::QSvgNode *node)
{
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    orbsvg::QSvgTinyDocument::setDefaultPainterState(&p);
    AppliedStyle applied;
    orbsvg::QSvgDrawState state;

    QVector<const orbsvg::QSvgNode *> chain;
    for (const orbsvg::QSvgNode *n = node; n; n = n->parent())
        chain.prepend(n);
    for (const orbsvg::QSvgNode *n : qAsConst(chain))
        n->applyStyle(&p, state);

    applied.pen = p.pen();
    applied.brush = p.brush();
    applied.font = p.font();
    applied.opacity = p.opacity();
    applied.transform = p.worldTransform();
    applied.compositionMode = p.compositionMode();
    applied.state = state;

    for (auto it = chain.crbegin(); it != chain.crend(); ++it)
        (*it)->revertStyle(&p, state);
    return applied;
}

orbsvg::QSvgNode *node(const DocumentPtr &document, const QString &id)
{
    orbsvg::QSvgNode *found = document ? document->namedNode(id) : nullptr;
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no node with id ") + id), __FILE__, __LINE__);
    return found;
}

} // namespace orbtest
