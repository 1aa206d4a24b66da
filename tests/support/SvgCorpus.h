#pragma once

#include <QtCore/QStringList>
#include <QtGui/QPainterPath>

#include <vector>

// The SVG test corpus beside the project (or in $ORB_SVG_CORPUS), shared by
// tests and benchmarks.
namespace orbtest {

QString svgCorpusDir();
bool hasSvgCorpus();
// Every SVG file of the corpus, sorted.
QStringList svgCorpusFiles();
// Every fillable outline of the corpus's documents, in file and tree order.
std::vector<QPainterPath> svgCorpusOutlines();

} // namespace orbtest
