#pragma once

#include <QtGui/QTransform>
#include <QtQuick/QSGTransformNode>

// The scene-graph node of an SVG element's own transform (render thread).
class orbTransformNode : public QSGTransformNode
{
public:
    orbTransformNode();

    // Stores t and sets the node matrix to its 4 x 4 form.
    void setTransform(const QTransform &t);
    const QTransform &transform() const { return m_transform; }

private:
    QTransform m_transform;
};
