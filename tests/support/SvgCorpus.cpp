#include "SvgCorpus.h"

#include "QSvgStructureNode.h"
#include "QSvgTinyDocument.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>

#include <memory>

namespace orbtest {

namespace {
void collectOutlines(const orbsvg::QSvgNode *node, std::vector<QPainterPath> &outlines)
{
    if (const QPainterPath *outline = node->outlinePath()) {
        if (!outline->isEmpty() && !outline->boundingRect().isEmpty())
            outlines.push_back(*outline); // a rect's outline lives only until the next call
    }
    switch (node->type()) {
    case orbsvg::QSvgNode::Document:
    case orbsvg::QSvgNode::G:
    case orbsvg::QSvgNode::Defs:
    case orbsvg::QSvgNode::Switch:
        for (const orbsvg::QSvgNode *child :
             static_cast<const orbsvg::QSvgStructureNode *>(node)->children())
            collectOutlines(child, outlines);
        break;
    default:
        break;
    }
}
} // namespace

QString svgCorpusDir()
{
    return QString::fromLocal8Bit(qEnvironmentVariableIsSet("ORB_SVG_CORPUS")
                                      ? qgetenv("ORB_SVG_CORPUS")
                                      : QByteArray(ORB_SVG_CORPUS_DIR));
}

bool hasSvgCorpus()
{
    return QDir(svgCorpusDir()).exists();
}

QStringList svgCorpusFiles()
{
    QStringList files;
    QDirIterator it(svgCorpusDir(), {QStringLiteral("*.svg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

std::vector<QPainterPath> svgCorpusOutlines()
{
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    std::vector<QPainterPath> outlines;
    const QStringList files = svgCorpusFiles();
    for (const QString &file : files) {
        std::unique_ptr<orbsvg::QSvgTinyDocument> doc(orbsvg::QSvgTinyDocument::load(file));
        if (doc)
            collectOutlines(doc.get(), outlines);
    }
    qInstallMessageHandler(previous);
    return outlines;
}

} // namespace orbtest
