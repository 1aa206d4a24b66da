#pragma once

#include "QSvgStructureNode.h"

namespace orbsvg {

// "switch": draws only its first child whose conditions this renderer meets.
class QSvgSwitch : public QSvgStructureNode
{
public:
    explicit QSvgSwitch(QSvgNode *parent = nullptr);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Switch; }

    // The child draw() picks, or null.
    QSvgNode *selectedChild() const;
    QString systemLanguage() const { return m_systemLanguage; }
    // The feature strings a child may require.
    static const QStringList &supportedFeatures();

private:
    bool passesTests(const QSvgNode *child) const;

    QString m_systemLanguage;
    QString m_systemLanguagePrefix;
};

} // namespace orbsvg
