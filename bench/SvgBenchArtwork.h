#pragma once

#include <QtCore/QByteArray>

// A document of shapeCount distinct shapes: rectangles, circles, ellipses,
// polygons and paths; solid and gradient fills; some strokes.
QByteArray svgBenchArtwork(int shapeCount);
