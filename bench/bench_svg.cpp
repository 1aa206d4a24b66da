// SVG loading over the test corpus: parse throughput against the XML reader
// alone, and parse plus a style walk like the one that builds scene nodes.

#include "BaselineReporter.h"
#include "QSvgStructureNode.h"
#include "QSvgTinyDocument.h"
#include "SvgCorpus.h"

#include <QtCore/QFile>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <memory>
#include <vector>

namespace {

struct Corpus
{
    std::vector<QByteArray> files;
    qint64 bytes = 0;
};

const Corpus &corpus()
{
    static const Corpus loaded = [] {
        Corpus c;
        const QStringList files = orbtest::svgCorpusFiles();
        for (const QString &name : files) {
            QFile file(name);
            if (file.open(QIODevice::ReadOnly)) {
                c.files.push_back(file.readAll());
                c.bytes += c.files.back().size();
            }
        }
        return c;
    }();
    return loaded;
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

// Visits every node the way the scene builder does: apply, read the painter
// and the outline, descend, revert.
int walk(const orbsvg::QSvgNode *node, QPainter *p, orbsvg::QSvgDrawState &state)
{
    int outlines = 0;
    node->applyStyle(p, state);
    benchmark::DoNotOptimize(p->brush().style());
    benchmark::DoNotOptimize(p->pen().widthF());
    if (const QPainterPath *outline = node->outlinePath())
        outlines += outline->elementCount() > 0;
    switch (node->type()) {
    case orbsvg::QSvgNode::Document:
    case orbsvg::QSvgNode::G:
    case orbsvg::QSvgNode::Defs:
    case orbsvg::QSvgNode::Switch:
        for (const orbsvg::QSvgNode *child :
             static_cast<const orbsvg::QSvgStructureNode *>(node)->children())
            outlines += walk(child, p, state);
        break;
    default:
        break;
    }
    node->revertStyle(p, state);
    return outlines;
}

void XmlTokenizeCorpus(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QByteArray &file : corpus().files) {
            QXmlStreamReader reader(file);
            while (!reader.atEnd())
                reader.readNext();
            benchmark::DoNotOptimize(reader.hasError());
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
}
BENCHMARK(XmlTokenizeCorpus)->Unit(benchmark::kMillisecond);

void ParseCorpus(benchmark::State &state)
{
    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    for (auto _ : state) {
        for (const QByteArray &file : corpus().files) {
            std::unique_ptr<orbsvg::QSvgTinyDocument> doc(orbsvg::QSvgTinyDocument::load(file));
            benchmark::DoNotOptimize(doc.get());
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
    state.counters["files"] = double(corpus().files.size());
    qInstallMessageHandler(previous);
}
BENCHMARK(ParseCorpus)->Unit(benchmark::kMillisecond);

void ParseAndWalkCorpus(benchmark::State &state)
{
    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    int outlines = 0;
    for (auto _ : state) {
        outlines = 0;
        for (const QByteArray &file : corpus().files) {
            std::unique_ptr<orbsvg::QSvgTinyDocument> doc(orbsvg::QSvgTinyDocument::load(file));
            if (!doc)
                continue;
            QPainter p(&image);
            orbsvg::QSvgTinyDocument::setDefaultPainterState(&p);
            orbsvg::QSvgDrawState drawState;
            outlines += walk(doc.get(), &p, drawState);
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
    state.counters["outlines"] = outlines;
    qInstallMessageHandler(previous);
}
BENCHMARK(ParseAndWalkCorpus)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    orbbench::compareWith("ParseCorpus", "XmlTokenizeCorpus");
    orbbench::compareWith("ParseAndWalkCorpus", "XmlTokenizeCorpus");
    return true;
}();

} // namespace
