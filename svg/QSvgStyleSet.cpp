#include "QSvgStyleSet.h"

#include "QSvgNode.h"
#include "QSvgTinyDocument.h"

namespace orbsvg {

namespace {
template<class Property>
void applyIfSet(const QSvgRefPtr<Property> &property, QPainter *p, const QSvgNode *node,
                QSvgDrawState &state)
{
    if (property)
        property->apply(p, node, state);
}

template<class Property>
void revertIfSet(const QSvgRefPtr<Property> &property, QPainter *p, QSvgDrawState &state)
{
    if (property)
        property->revert(p, state);
}
} // namespace

void QSvgStyleSet::apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) const
{
    applyIfSet(quality, p, node, state);
    applyIfSet(fill, p, node, state);
    applyIfSet(viewportFill, p, node, state);
    applyIfSet(font, p, node, state);
    applyIfSet(stroke, p, node, state);
    applyIfSet(transform, p, node, state);
    applyIfSet(animateColor, p, node, state);
    applyAnimateTransforms(p, node, state);
    applyIfSet(opacity, p, node, state);
    applyIfSet(compOp, p, node, state);
}

void QSvgStyleSet::revert(QPainter *p, QSvgDrawState &state) const
{
    revertIfSet(quality, p, state);
    revertIfSet(fill, p, state);
    revertIfSet(viewportFill, p, state);
    revertIfSet(font, p, state);
    revertIfSet(stroke, p, state);
    revertAnimateTransforms(p, state);
    revertIfSet(transform, p, state);
    revertIfSet(animateColor, p, state);
    revertIfSet(opacity, p, state);
    revertIfSet(compOp, p, state);
}

void QSvgStyleSet::applyAnimateTransforms(QPainter *p, const QSvgNode *node,
                                          QSvgDrawState &state) const
{
    if (animateTransforms.isEmpty())
        return;
    const QSvgTinyDocument *document = node ? node->document() : nullptr;
    const double t = document ? document->currentElapsed() : 0;

    // The last active replacing animation discards the static transform and
    // every animation listed before it.
    int first = 0;
    for (int i = animateTransforms.size() - 1; i >= 0; --i) {
        const QSvgAnimateTransform *animation = animateTransforms.at(i).get();
        if (animation->isActive(t) && animation->additiveType() == QSvgAnimateTransform::Replace) {
            first = i;
            if (transform)
                transform->revert(p, state);
            break;
        }
    }
    for (int i = first; i < animateTransforms.size(); ++i) {
        if (animateTransforms.at(i)->isActive(t))
            animateTransforms.at(i)->apply(p, node, state);
    }
}

void QSvgStyleSet::revertAnimateTransforms(QPainter *p, QSvgDrawState &state) const
{
    for (int i = 0; i < animateTransforms.size(); ++i) {
        if (!animateTransforms.at(i)->transformApplied())
            continue;
        // The first applied one remembers the transform from before all of them.
        animateTransforms.at(i)->revert(p, state);
        for (int j = i + 1; j < animateTransforms.size(); ++j)
            animateTransforms.at(j)->clearTransformApplied();
        return;
    }
}

} // namespace orbsvg
