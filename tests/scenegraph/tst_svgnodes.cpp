// The scene-graph side of SVG artwork: path and stroke nodes with their
// textures and materials, the gradient matrices, the pair and transform
// nodes, the shader sources on a real OpenGL context, and frames drawn
// through a Qt Quick window.

#include "GLTestContext.h"
#include "QmlTestSupport.h"
#include "RedirectingTransformNode.h"
#include "orbSvgCache.h"
#include "orbSvgGradientMatrix.h"
#include "orbSvgLinearGradientMaterial.h"
#include "orbSvgLinearGradientShader.h"
#include "orbSvgNode.h"
#include "orbSvgPathStrokeNode.h"
#include "orbSvgRadialGradientMaterial.h"
#include "orbSvgRadialGradientShader.h"
#include "orbSvgShaderSource.h"
#include "orbSvgSolidColorMaterial.h"
#include "orbSvgSolidColorShader.h"
#include "orbTransformNode.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QOffscreenSurface>
#include <QtGui/QOpenGLShaderProgram>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtQuick/QSGTexture>
#include <QtTest/QtTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

using CachePtr = orb::ref_ptr<orbSvgCache>;
using PaintFunction = std::function<QSGNode *(QSGNode *)>;
const QString ShaderDir = QStringLiteral(":/Libs/orbQuick/Shaders/Svg/");

int creations(const orbtest::MessageCapture &messages)
{
    int count = 0;
    for (const QString &message : messages.messages())
        count += message.startsWith(QLatin1String("Creating texture for"));
    return count;
}

QPainterPath rectPath(const QRectF &rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

QBrush gradientBrush(QGradient gradient, QGradient::CoordinateMode mode)
{
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, Qt::black);
    gradient.setCoordinateMode(mode);
    return QBrush(gradient);
}

QBrush linear(const QPointF &from, const QPointF &to, QGradient::CoordinateMode mode = {})
{
    return gradientBrush(QLinearGradient(from, to), mode);
}

QBrush radial(const QPointF &center, qreal radius, QGradient::CoordinateMode mode)
{
    return gradientBrush(QRadialGradient(center, radius), mode);
}

QSGMaterialType *solidType()
{
    return orbSvgSolidColorMaterial(nullptr).type();
}

QSGMaterialType *linearType()
{
    return orbSvgLinearGradientMaterial(nullptr, nullptr).type();
}

orbSvgMaterial *materialOf(const QSGGeometryNode *node, bool opaque = false)
{
    return static_cast<orbSvgMaterial *>(opaque ? node->opaqueMaterial() : node->material());
}

bool near(const QPointF &a, const QPointF &b, qreal tolerance = 1e-4)
{
    return qAbs(a.x() - b.x()) <= tolerance && qAbs(a.y() - b.y()) <= tolerance;
}

bool near(QRgb pixel, QColor colour, int tolerance = 4)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance
        && qAbs(qGreen(pixel) - colour.green()) <= tolerance
        && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Counts destructions, to see who deletes the children of a pair node.
template<class Node>
struct Counted : Node
{
    using Node::Node;
    ~Counted() override { ++destroyed; }
    static inline int destroyed = 0;
};

// Compiles and links a material shader the way the scene graph does.
template<class Shader>
struct Compiled : Shader
{
    using Shader::fragmentShader;
    using Shader::vertexShader;
    bool build()
    {
        this->compile();
        return this->program()->isLinked();
    }
};

template<class Shader>
void verifyShaderLinks(const QList<QByteArray> &uniforms)
{
    Compiled<Shader> shader;
    QVERIFY(qstrlen(shader.vertexShader()) > 0 && qstrlen(shader.fragmentShader()) > 0);
    QVERIFY2(shader.build(), qPrintable(shader.program()->log()));
    QCOMPARE(shader.program()->attributeLocation("vertexPosition"), 0);
    QCOMPARE(shader.program()->attributeLocation("vertexTexCoord"), 1);
    for (const QByteArray &name : uniforms)
        QVERIFY2(shader.program()->uniformLocation(name.constData()) >= 0, name.constData());
}

// An item whose paint node the test builds on the render thread.
class NodeItem : public QQuickItem
{
public:
    explicit NodeItem(QQuickItem *parent)
        : QQuickItem(parent)
    {
        setFlag(ItemHasContents);
    }
    PaintFunction paint;

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override
    {
        return old ? old : paint(nullptr);
    }
};

// A transform node holding one pair: fill with brush, stroke with pen.
QSGNode *pairTree(orbSvgCache *cache, const QPainterPath &path, const QBrush &brush,
                  const QPen &pen, float opacity = 1)
{
    auto *fill = new orbSvgPathNode(cache);
    fill->setPath(path);
    fill->setBrush(brush);
    auto *stroke = new orbSvgPathStrokeNode(cache);
    stroke->setPen(pen);
    stroke->setPath(path);
    auto *pair = new orbSvgNode(fill, stroke);
    pair->setOpacity(opacity);
    fill->update();
    stroke->update();
    auto *transform = new orbTransformNode;
    transform->setTransform(QTransform::fromTranslate(8, 8));
    transform->appendChildNode(pair);
    return transform;
}

} // namespace

class tst_SvgNodes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void transformAndPairNodes();
    void blockedWithoutBrushOrPen();
    void quadAndTextureRequests();
    void materialsFollowBrushStyleAndOutline();
    void gradientMatrices();
    void strokeOutline();
    void penColourChangeKeepsOutline();
    void redirectingTransformNode();
    void shaderSources();
    void shadersOnOpenGLES();

    void rendersSolidSquareWithStroke();
    void rendersLinearGradient();

private:
    CachePtr newCache() const
    {
        CachePtr cache(new orbSvgCache);
        cache->setCacheFolder(QDir(m_dir.path()));
        return cache;
    }
    QImage renderFrame(const PaintFunction &paint, const QSize &size);

    std::unique_ptr<orbtest::GLTestContext> m_gl;
    QTemporaryDir m_dir;
};

void tst_SvgNodes::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_gl = std::make_unique<orbtest::GLTestContext>();
    QVERIFY2(m_gl->isValid(), "no OpenGL context (run under a display)");
}

void tst_SvgNodes::init()
{
    // A window rendering on this thread may have made its own context current.
    QVERIFY(m_gl->context()->makeCurrent(m_gl->context()->surface()));
}

void tst_SvgNodes::transformAndPairNodes()
{
    orbTransformNode transform;
    QVERIFY(transform.matrix().isIdentity());
    const QTransform t = QTransform::fromTranslate(3, 4).rotate(30).scale(2, 0.5);
    transform.setTransform(t);
    QCOMPARE(transform.transform(), t);
    QVERIFY(near(transform.matrix().map(QPointF(7, -2)), t.map(QPointF(7, -2))));

    CachePtr cache = newCache();
    auto *fill = new orbSvgPathNode(cache.get());
    auto *stroke = new orbSvgPathStrokeNode(cache.get());
    orbSvgNode pair(fill, stroke);
    QCOMPARE(pair.firstChild(), stroke);
    QCOMPARE(pair.lastChild(), fill);

    // Repeated calls change nothing; shown again, the stroke goes first.
    pair.setFillVisible(false);
    pair.setStrokeVisible(false);
    pair.setStrokeVisible(false);
    QCOMPARE(pair.childCount(), 0);
    pair.setFillVisible(true);
    pair.setStrokeVisible(true);
    pair.setStrokeVisible(true);
    QCOMPARE(pair.childCount(), 2);
    QCOMPARE(pair.firstChild(), stroke);
    pair.setFillVisible(false);
    pair.setFillVisible(true);
    QCOMPARE(pair.lastChild(), fill);

    pair.setOpacity(0.25f);
    QCOMPARE(fill->opacity(), 0.25f);
    QCOMPARE(stroke->opacity(), 0.25f);

    // Detached or not, each child is deleted exactly once, and lets the cache go.
    for (int hidden = 0; hidden < 4; ++hidden) {
        Counted<orbSvgPathNode>::destroyed = Counted<orbSvgPathStrokeNode>::destroyed = 0;
        auto *counted = new orbSvgNode(new Counted<orbSvgPathNode>(cache.get()),
                                       new Counted<orbSvgPathStrokeNode>(cache.get()));
        counted->setFillVisible(!(hidden & 1));
        counted->setStrokeVisible(!(hidden & 2));
        delete counted;
        QCOMPARE(Counted<orbSvgPathNode>::destroyed, 1);
        QCOMPARE(Counted<orbSvgPathStrokeNode>::destroyed, 1);
    }
    QCOMPARE(cache->refCount(), 3);
}

void tst_SvgNodes::blockedWithoutBrushOrPen()
{
    CachePtr cache = newCache();
    orbSvgPathNode fill(cache.get());
    QVERIFY(fill.isSubtreeBlocked());
    fill.setBrush(linear({0, 0}, {1, 0}));
    QVERIFY(!fill.isSubtreeBlocked());
    fill.setBrush(QBrush(Qt::NoBrush));
    QVERIFY(fill.isSubtreeBlocked());
    QCOMPARE(fill.gradientBrush().style(), Qt::LinearGradientPattern);

    // A pen takes effect at the next update (an empty outline needs no texture).
    orbSvgPathStrokeNode stroke(cache.get());
    const QPen noPen(QBrush(Qt::red), 2, Qt::NoPen);
    stroke.setPen(noPen);
    QCOMPARE(stroke.pendingPen(), noPen);
    QVERIFY(!stroke.isSubtreeBlocked());
    stroke.update();
    QCOMPARE(stroke.pen(), noPen);
    QVERIFY(stroke.isSubtreeBlocked());
    stroke.setPen(QPen(QBrush(Qt::NoBrush), 2));
    stroke.update();
    QVERIFY(stroke.isSubtreeBlocked());
    stroke.setPen(QPen(QBrush(Qt::red), 2));
    stroke.update();
    QVERIFY(!stroke.isSubtreeBlocked());
    QCOMPARE(stroke.brush().color(), QColor(Qt::red));
}

void tst_SvgNodes::quadAndTextureRequests()
{
    CachePtr cache = newCache();
    orbtest::MessageCapture messages;
    orbSvgPathNode node(cache.get());

    // An empty path asks for nothing: unit square, textureless solid material.
    node.setBrush(QBrush(Qt::red));
    node.update();
    QCOMPARE(creations(messages), 0);
    QVERIFY(!node.texture() && !materialOf(&node)->texture());
    QCOMPARE(node.geometry()->vertexDataAsTexturedPoint2D()[3].x, 1.0f);

    const QRectF bounds(10, 20, 40, 20);
    node.setPath(rectPath(bounds));
    node.update();
    QCOMPARE(creations(messages), 1);
    QSGTexture *texture = node.texture();
    QVERIFY(texture && texture->filtering() == QSGTexture::Linear);

    // The square around the longer side, with the field's margin on each side.
    const qreal margin = 128.0 * 40 / (cache->renderSize().width() - 128.0);
    const QRectF quad(10 - margin, 10 - margin, 40 + 2 * margin, 40 + 2 * margin);
    QCOMPARE(node.quad(), quad);
    const QSGGeometry *geometry = node.geometry();
    QVERIFY(geometry->vertexCount() == 4 && geometry->drawingMode() == GL_TRIANGLE_STRIP);
    const QPointF corners[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        const auto &v = geometry->vertexDataAsTexturedPoint2D()[i];
        const QPointF corner = corners[i];
        QVERIFY(near(QPointF(v.tx, v.ty), corner));
        QVERIFY(
            near(QPointF(v.x, v.y),
                 quad.topLeft() + QPointF(corner.x() * quad.width(), corner.y() * quad.height())));
    }

    // The materials look the field up in its atlas rectangle.
    orbSvgMaterial *material = materialOf(&node);
    QCOMPARE(material->texture(), texture);
    const QRectF sub = texture->normalizedTextureSubRect();
    QVERIFY(near(material->textureMatrix().map(QPointF(0, 0)), sub.topLeft(), 1e-6));
    QVERIFY(near(material->textureMatrix().map(QPointF(1, 1)), sub.bottomRight(), 1e-6));

    // The same geometry again, built anew: nothing fetched, nothing rebuilt
    // (a mark in the vertex data survives).
    node.geometry()->vertexDataAsTexturedPoint2D()[0].tx = 0.25f;
    node.setPath(rectPath(bounds));
    node.update();
    QCOMPARE(creations(messages), 1);
    QCOMPARE(node.geometry()->vertexDataAsTexturedPoint2D()[0].tx, 0.25f);
    QCOMPARE(node.texture(), texture);

    node.setPath(rectPath(QRectF(0, 0, 10, 30)));
    node.update();
    QCOMPARE(creations(messages), 2);
    QVERIFY(node.texture() && node.texture() != texture);
    const qreal tall = 128.0 * 30 / (cache->renderSize().width() - 128.0);
    QCOMPARE(node.quad(), QRectF(-10 - tall, -tall, 30 + 2 * tall, 30 + 2 * tall));
}

void tst_SvgNodes::materialsFollowBrushStyleAndOutline()
{
    // No Qt Quick window here, so no ramp textures: the rendering test has them.
    CachePtr cache = newCache();
    orbSvgPathNode node(cache.get());
    const QBrush gradient = linear({0, 0}, {1, 1}, QGradient::ObjectBoundingMode);
    // Brush before path: textureless stand-ins until there is a field.
    node.setBrush(gradient);
    node.update();
    QCOMPARE(node.material()->type(), solidType());
    QVERIFY(!materialOf(&node)->texture());

    node.setPath(rectPath(QRectF(0, 0, 40, 20)));
    node.setBrush(QBrush(Qt::red));
    node.update();
    orbSvgMaterial *m1 = materialOf(&node);
    orbSvgMaterial *m2 = materialOf(&node, true);
    QVERIFY(m1 != m2 && m1->type() == solidType() && m2->type() == solidType());
    QVERIFY(m1->flags() & QSGMaterial::Blending);

    // The same style keeps the materials and gives them the new colour and opacity.
    node.setBrush(QBrush(Qt::green));
    node.setOpacity(0.5f);
    node.update();
    QCOMPARE(materialOf(&node), m1);
    QCOMPARE(materialOf(&node, true), m2);
    QCOMPARE(m2->brush().color(), QColor(Qt::green));
    QCOMPARE(m2->opacity(), 0.5f);

    node.setBrush(gradient);
    node.update();
    QCOMPARE(node.material()->type(), linearType());
    QCOMPARE(node.opaqueMaterial()->type(), linearType());
    auto *g = static_cast<orbSvgGradientMaterial *>(node.material());
    QVERIFY(g->texture() == node.texture() && g->opacity() == 0.5f);
    QCOMPARE(g->gradientMatrix(),
             orbsvggradient::linearGradientMatrix(gradient, node.quad(), node.bounds()));

    // A new outline: the same materials draw the new field, the gradient refitted.
    node.setPath(rectPath(QRectF(5, 5, 20, 40)));
    node.update();
    QCOMPARE(node.material(), g);
    QVERIFY(g->texture() == node.texture() && materialOf(&node, true)->texture() == g->texture());
    QCOMPARE(g->gradientMatrix(),
             orbsvggradient::linearGradientMatrix(gradient, node.quad(), node.bounds()));

    node.setBrush(radial({0.5, 0.5}, 0.5, QGradient::ObjectBoundingMode));
    node.update();
    QCOMPARE(node.material()->type(), orbSvgRadialGradientMaterial(nullptr, nullptr).type());
    QCOMPARE(node.opaqueMaterial()->type(), node.material()->type());
    node.setBrush(QBrush(Qt::blue));
    node.update();
    QCOMPARE(node.material()->type(), solidType());
    QCOMPARE(node.opaqueMaterial()->type(), solidType());
    QVERIFY(materialOf(&node)->texture() == node.texture());
    QCOMPARE(node.gradientBrush().style(), Qt::RadialGradientPattern);

    // A pattern the shaders cannot draw gets the stand-ins.
    node.setBrush(QBrush(Qt::red, Qt::Dense4Pattern));
    node.update();
    QVERIFY(!materialOf(&node)->texture());
}

void tst_SvgNodes::gradientMatrices()
{
    using namespace orbsvggradient;
    const QRectF bounds(0, 0, 20, 10);
    const QRectF quad(-2, -7, 24, 24);
    // Where the linear shader samples its ramp for the quad's (u, v).
    auto ramp = [](const QMatrix4x4 &m, qreal u, qreal v) {
        return (m * QVector4D(float(u), float(v), 0, 1)).y();
    };

    // Only the vector's direction and length count.
    const QMatrix4x4 a = linearGradientMatrix(linear({0, 0}, {0, 10}), quad, bounds);
    QCOMPARE(a, linearGradientMatrix(linear({5, 5}, {5, 15}), quad, bounds));
    QVERIFY(a != linearGradientMatrix(linear({0, 0}, {0, 20}), quad, bounds));
    QVERIFY(linearGradientMatrix(QBrush(Qt::red), quad, bounds).isIdentity());

    // User space: position = 0.5 + h / L^2 ((u - 0.5) dy + (v - 0.5) dx), so u
    // pairs with dy and v with dx, as the existing artwork expects. Object
    // bounding: the vector scaled by the bounds, the rotation on the quad's
    // coordinates, the result read as bounds coordinates.
    const QMatrix4x4 user = linearGradientMatrix(linear({1, 1}, {4, 5}), quad, bounds);
    const QRectF ob(10, 20, 200, 100);
    const QRectF oq(0, -30, 220, 220);
    const QMatrix4x4 object
        = linearGradientMatrix(linear({0, 0}, {1, 1}, QGradient::ObjectBoundingMode), oq, ob);
    const qreal ol = std::sqrt(200.0 * 200 + 100 * 100);
    for (const QPointF p : {QPointF(0, 0), QPointF(1, 0), QPointF(0, 1), QPointF(0.25, 0.75)}) {
        const qreal u = p.x() - 0.5, v = p.y() - 0.5;
        QVERIFY(qAbs(ramp(user, p.x(), p.y()) - (0.5 + 10.0 / 25 * (u * 4 + v * 3))) < 1e-5);
        const qreal rotated = 0.5 + (u * 100 + v * 200) / ol;
        const qreal inBounds = (rotated * oq.height() - (ob.y() - oq.y())) / ob.height();
        QVERIFY(qAbs(ramp(object, p.x(), p.y()) - (0.5 + 100 / ol * (inBounds - 0.5))) < 1e-4);
    }

    // Radial, object bounding: 1/r across and 2/r down on a 200 x 100 path, the
    // centre taken as it is.
    const qreal r = 0.4;
    const QBrush objectRadial = radial({0.5, 0.25}, r, QGradient::ObjectBoundingMode);
    const QMatrix4x4 wide = radialGradientMatrix(objectRadial, quad, QSizeF(200, 100));
    QVERIFY(qAbs(wide(0, 0) - 1 / r) < 1e-5 && qAbs(wide(1, 1) - 2 / r) < 1e-5);
    QVERIFY(wide.map(QPointF(0.5, 0.25)).manhattanLength() < 1e-5);
    const QMatrix4x4 tall = radialGradientMatrix(objectRadial, quad, QSizeF(100, 200));
    QVERIFY(qAbs(tall(0, 0) - 2 / r) < 1e-5 && qAbs(tall(1, 1) - 1 / r) < 1e-5);

    // Radial, user space: the centre placed in the quad, one radius is 1.
    const QMatrix4x4 m = radialGradientMatrix(radial({50, 30}, 25, {}), oq, QSizeF(200, 100));
    const QPointF centre((50 - oq.x()) / oq.width(), (30 - oq.y()) / oq.height());
    QVERIFY(m.map(centre).manhattanLength() < 1e-5);
    QVERIFY(qAbs(m.map(centre + QPointF(25 / oq.width(), 0)).x() - 1) < 1e-5);
}

void tst_SvgNodes::strokeOutline()
{
    CachePtr cache = newCache();
    orbSvgPathStrokeNode stroke(cache.get());
    auto outline = [&](const QPen &pen, const QPainterPath &path) {
        stroke.setPen(pen);
        stroke.setPath(path);
        stroke.update();
        return stroke.path();
    };
    const QPainterPath square = rectPath(QRectF(0, 0, 100, 50));
    QPen pen(QBrush(Qt::red), 10, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    QVERIFY(outline(pen, square).contains(QPointF(2, 25)));
    QCOMPARE(stroke.sourcePath(), square);
    QCOMPARE(stroke.bounds(), QRectF(-5, -5, 110, 60));
    QVERIFY(!stroke.path().contains(QPointF(50, 25)));
    QVERIFY(stroke.texture());

    // Dashes and offset in user units: 20 on, 10 off along a 100 long line.
    QPainterPath line;
    line.lineTo(100, 0);
    pen.setDashPattern({20, 10});
    QList<QPolygonF> dashes = outline(pen, line).toFillPolygons();
    QCOMPARE(dashes.size(), 4);
    QVERIFY(qAbs(dashes.first().boundingRect().right() - 20) < 1e-3);
    pen.setDashOffset(5);
    dashes = outline(pen, line).toFillPolygons();
    QVERIFY(qAbs(dashes.first().boundingRect().right() - 15) < 1e-3);

    // A zero width is drawn 1 wide, dashes and all (and finishes).
    QPen hairline = pen;
    hairline.setWidthF(0);
    hairline.setDashOffset(0);
    QCOMPARE(outline(hairline, line).toFillPolygons().size(), 4);
    QVERIFY(qAbs(stroke.bounds().height() - 1) < 1e-3);

    // The pen's miter limit decides how far a sharp corner reaches.
    QPainterPath wedge;
    wedge.lineTo(100, 10);
    wedge.lineTo(0, 20);
    QPen sharp(QBrush(Qt::red), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    sharp.setMiterLimit(1);
    const qreal clipped = outline(sharp, wedge).boundingRect().right();
    sharp.setMiterLimit(40);
    QVERIFY(outline(sharp, wedge).boundingRect().right() > clipped + 10);
}

void tst_SvgNodes::penColourChangeKeepsOutline()
{
    CachePtr cache = newCache();
    orbtest::MessageCapture messages;
    orbSvgPathStrokeNode stroke(cache.get());
    QPen pen(QBrush(Qt::red), 6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    stroke.setPen(pen);
    stroke.setPath(rectPath(QRectF(0, 0, 60, 30)));
    stroke.update();
    QCOMPARE(creations(messages), 1);
    const QPainterPath outline = stroke.path();
    QSGTexture *texture = stroke.texture();
    QSGMaterial *material = stroke.material();

    pen.setColor(Qt::blue);
    stroke.setPen(pen);
    QCOMPARE(stroke.pen().color(), QColor(Qt::red));
    stroke.update();
    QCOMPARE(creations(messages), 1);
    QCOMPARE(stroke.path(), outline);
    QCOMPARE(stroke.texture(), texture);
    QCOMPARE(stroke.material(), material);
    QCOMPARE(materialOf(&stroke)->brush().color(), QColor(Qt::blue));

    // A new width restrokes, and the materials draw the new field.
    pen.setWidthF(12);
    stroke.setPen(pen);
    stroke.update();
    QCOMPARE(creations(messages), 2);
    QCOMPARE(stroke.bounds(), QRectF(-6, -6, 72, 42));
    QCOMPARE(materialOf(&stroke)->texture(), stroke.texture());
}

void tst_SvgNodes::redirectingTransformNode()
{
    QQuickItem item;
    RedirectingTransformNode node(&item);
    QCOMPARE(node.item(), &item);
    QVERIFY(node.flags() & QSGNode::UsePreprocess);
    QSignalSpy changed(&node, &RedirectingTransformNode::transformChanged);
    QMatrix4x4 moved;
    moved.translate(5, 0);

    node.preprocess();
    QCOMPARE(changed.count(), 0);
    node.setMatrix(moved);
    node.preprocess();
    node.preprocess();
    QCOMPARE(changed.count(), 1);
    // A change undone before the next frame is no change.
    node.setMatrix(QMatrix4x4());
    node.setMatrix(moved);
    node.preprocess();
    QCOMPARE(changed.count(), 1);
    node.setMatrix(QMatrix4x4());
    node.preprocess();
    QCOMPARE(changed.count(), 2);
}

void tst_SvgNodes::shaderSources()
{
    // Read on first success, kept afterwards; a desktop context adds nothing.
    const QString fileName = m_dir.filePath(QStringLiteral("late.ps"));
    orbSvgShaderSource late(fileName, orbSvgShaderSource::Fragment);
    QCOMPARE(late.text(), "");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("void main() { }\n");
    file.close();
    QCOMPARE(late.text(), "void main() { }\n");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    QCOMPARE(late.text(), "void main() { }\n");

    orbSvgShaderSource linear(ShaderDir + "LinearGradientSvg.ps", orbSvgShaderSource::Fragment);
    QVERIFY(
        QByteArray(linear.text()).startsWith("#extension GL_OES_standard_derivatives: enable\n"));

    const QList<QByteArray> gradientUniforms = {
        "matrix", "opacity", "pathTexture", "gradientTexture", "textureMatrix", "gradientMatrix"};
    verifyShaderLinks<orbSvgSolidColorShader>({"matrix", "opacity", "color", "textureMatrix"});
    verifyShaderLinks<orbSvgLinearGradientShader>(gradientUniforms);
    verifyShaderLinks<orbSvgRadialGradientShader>(gradientUniforms);
}

void tst_SvgNodes::shadersOnOpenGLES()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGLES);
    format.setVersion(2, 0);
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create() || !context.isOpenGLES() || !context.makeCurrent(&surface))
        QSKIP("no OpenGL ES context here");

    QFile raw(ShaderDir + "SolidColorSvg.ps");
    QVERIFY(raw.open(QIODevice::ReadOnly));
    orbSvgShaderSource solid(raw.fileName(), orbSvgShaderSource::Fragment);
    QCOMPARE(QByteArray(solid.text()), orbSvgShaderSource::esFragmentPrologue() + raw.readAll());
    QFile rawVertex(ShaderDir + "Svg.vs");
    QVERIFY(rawVertex.open(QIODevice::ReadOnly));
    QCOMPARE(
        QByteArray(orbSvgShaderSource(rawVertex.fileName(), orbSvgShaderSource::Vertex).text()),
        rawVertex.readAll());

    // Every program links on ES: a source's own #extension lines stay ahead of
    // the prologue's precision statements, as strict compilers (Mesa's) demand.
    const char *const programs[][2] = {{"Svg.vs", "SolidColorSvg.ps"},
                                       {"RadialGradientSvg.vs", "RadialGradientSvg.ps"},
                                       {"LinearGradientSvg.vs", "LinearGradientSvg.ps"}};
    for (const auto &files : programs) {
        orbSvgShaderSource vs(ShaderDir + files[0], orbSvgShaderSource::Vertex);
        orbSvgShaderSource fs(ShaderDir + files[1], orbSvgShaderSource::Fragment);
        QOpenGLShaderProgram program;
        program.addShaderFromSourceCode(QOpenGLShader::Vertex, vs.text());
        program.addShaderFromSourceCode(QOpenGLShader::Fragment, fs.text());
        QVERIFY2(program.link(), files[1]);
    }
    context.doneCurrent();
}

QImage tst_SvgNodes::renderFrame(const PaintFunction &paint, const QSize &size)
{
    QQuickWindow window;
    window.setColor(Qt::white);
    window.resize(size);
    NodeItem item(window.contentItem());
    item.setSize(QSizeF(size));
    item.paint = paint;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return QImage();
    return window.grabWindow().convertToFormat(QImage::Format_RGB32);
}

void tst_SvgNodes::rendersSolidSquareWithStroke()
{
    CachePtr cache = newCache();
    const QPainterPath square = rectPath(QRectF(16, 16, 32, 32));
    const QImage frame = renderFrame(
        [&](QSGNode *) {
            QSGNode *root = pairTree(cache.get(), square, QBrush(Qt::red),
                                     QPen(QBrush(Qt::blue), 8, Qt::SolidLine, Qt::FlatCap));
            // The same fill at half opacity, 64 to the right, without stroke.
            root->appendChildNode(
                pairTree(cache.get(), square.translated(64, 0), Qt::red, Qt::NoPen, 0.5f));
            return root;
        },
        QSize(144, 80));
    QVERIFY(!frame.isNull());
    // The square spans 24..56 on screen; the stroke's outer half reaches 20..60.
    QVERIFY(near(frame.pixel(40, 40), Qt::red, 0) && near(frame.pixel(26, 40), Qt::red, 0));
    QVERIFY(near(frame.pixel(21, 40), Qt::blue, 0) && near(frame.pixel(40, 58), Qt::blue, 0));
    QVERIFY(near(frame.pixel(10, 40), Qt::white, 0) && near(frame.pixel(70, 70), Qt::white, 0));
    QVERIFY2(near(frame.pixel(112, 40), QColor(255, 128, 128), 3),
             qPrintable(QString::number(frame.pixel(112, 40), 16)));

    // Crossing the outer edge: a soft step of a pixel or two, monotonic.
    for (int y : {30, 40, 50}) {
        int blended = 0;
        for (int x = 10; x < 22; ++x) {
            const QRgb pixel = frame.pixel(x, y);
            blended += !near(pixel, Qt::white, 0) && !near(pixel, Qt::blue, 0);
            QVERIFY(qRed(pixel) <= qRed(frame.pixel(x - 1, y)));
        }
        QVERIFY2(blended >= 1 && blended <= 3, qPrintable(QString::number(blended)));
    }
}

void tst_SvgNodes::rendersLinearGradient()
{
    CachePtr cache = newCache();
    struct
    {
        QSGMaterialType *before = nullptr, *types[2] = {};
        QSGTexture *ramps[2] = {};
    } seen;
    const QImage frame = renderFrame(
        [&](QSGNode *) {
            // Solid first, then the gradient: along the diagonal, white at the
            // top left, black at the bottom right.
            QSGNode *root
                = pairTree(cache.get(), rectPath(QRectF(0, 0, 48, 48)), Qt::black, Qt::NoPen);
            auto *fill = static_cast<orbSvgNode *>(root->firstChild())->fillNode();
            seen.before = fill->material()->type();
            fill->setBrush(linear({0, 0}, {1, 1}, QGradient::ObjectBoundingMode));
            fill->update();
            for (int i = 0; i < 2; ++i) {
                auto *material = static_cast<orbSvgGradientMaterial *>(materialOf(fill, i));
                seen.types[i] = material->type();
                seen.ramps[i] = material->gradientTexture();
            }
            return root;
        },
        QSize(64, 64));
    QVERIFY(!frame.isNull());
    QCOMPARE(seen.before, solidType());
    QCOMPARE(seen.types[0], linearType());
    QCOMPARE(seen.types[1], linearType());
    // Each gradient material has a ramp of its own.
    QVERIFY(seen.ramps[0] && seen.ramps[1] && seen.ramps[0] != seen.ramps[1]);

    int previous = 256;
    for (int i = 12; i <= 52; i += 8) {
        const QRgb pixel = frame.pixel(i, i);
        QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
        QVERIFY2(qRed(pixel) < previous - 20, qPrintable(QString::number(qRed(pixel))));
        previous = qRed(pixel);
    }
    // Across the gradient the colour stays.
    QVERIFY(qAbs(qRed(frame.pixel(14, 50)) - qRed(frame.pixel(50, 14))) <= 3);
    QVERIFY(qAbs(qRed(frame.pixel(14, 50)) - qRed(frame.pixel(32, 32))) <= 6);
    QVERIFY(near(frame.pixel(4, 4), Qt::white, 0) && near(frame.pixel(60, 60), Qt::white, 0));
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    tst_SvgNodes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_svgnodes.moc"
