#include "QSvgSwitch.h"

#include <QtCore/QLocale>

namespace orbsvg {

QSvgSwitch::QSvgSwitch(QSvgNode *parent)
    : QSvgStructureNode(parent)
{
    m_systemLanguage = QLocale().name().replace(QLatin1Char('_'), QLatin1Char('-'));
    const int dash = m_systemLanguage.indexOf(QLatin1Char('-'));
    m_systemLanguagePrefix = dash < 0 ? m_systemLanguage : m_systemLanguage.left(dash);
}

const QStringList &QSvgSwitch::supportedFeatures()
{
    static const QStringList features = [] {
        const char *const names[] = {"Text",
                                     "Shape",
                                     "SVG",
                                     "Structure",
                                     "SolidColor",
                                     "Hyperlinking",
                                     "CoreAttribute",
                                     "XlinkAttribute",
                                     "SVG-static",
                                     "OpacityAttribute",
                                     "Gradient",
                                     "Font",
                                     "Image",
                                     "ConditionalProcessing",
                                     "Extensibility",
                                     "GraphicsAttribute",
                                     "Prefetch",
                                     "PaintAttribute",
                                     "ConditionalProcessingAttribute",
                                     "ExternalResourcesRequiredAttribute"};
        QStringList list;
        for (const char *name : names)
            list.append(QStringLiteral("http://www.w3.org/Graphics/SVG/feature/1.2/#")
                        + QLatin1String(name));
        return list;
    }();
    return features;
}

bool QSvgSwitch::passesTests(const QSvgNode *child) const
{
    const QStringList features = child->requiredFeatures();
    for (const QString &feature : features) {
        if (!supportedFeatures().contains(feature))
            return false;
    }
    if (!child->requiredExtensions().isEmpty())
        return false;
    const QStringList languages = child->requiredLanguages();
    if (!languages.isEmpty()) {
        const bool spoken
            = std::any_of(languages.cbegin(), languages.cend(), [this](const QString &language) {
                  return language.startsWith(m_systemLanguagePrefix, Qt::CaseSensitive);
              });
        if (!spoken)
            return false;
    }
    return child->requiredFormats().isEmpty() && child->requiredFonts().isEmpty();
}

QSvgNode *QSvgSwitch::selectedChild() const
{
    for (QSvgNode *child : children()) {
        if (child->isDrawn() && passesTests(child))
            return child;
    }
    return nullptr;
}

void QSvgSwitch::draw(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    if (QSvgNode *child = selectedChild())
        child->draw(p, state);
    revertStyle(p, state);
}

} // namespace orbsvg
