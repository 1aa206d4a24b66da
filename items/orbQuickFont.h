#pragma once

#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtQuick/QQuickItem>

// A font description for QML whose point size is corrected for the logical DPI
// of the first screen, so text has the same pixel size at any DPI setting.
// Every setter notifies, also when the value does not change.
class orbQuickFont : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QFont font READ font NOTIFY fontChanged)
    Q_PROPERTY(float pointSizeF READ pointSizeF WRITE setPointSizeF NOTIFY fontChanged)
    Q_PROPERTY(int weight READ weight WRITE setWeight NOTIFY fontChanged)
    Q_PROPERTY(QString family READ family WRITE setFamily NOTIFY fontChanged)
    Q_PROPERTY(double letterSpacing READ letterSpacing WRITE setLetterSpacing NOTIFY fontChanged)
    Q_PROPERTY(int capitalization READ capitalization WRITE setCapitalization NOTIFY fontChanged)
    Q_PROPERTY(bool kerning READ kerning WRITE setKerning NOTIFY fontChanged)
    Q_PROPERTY(int stretch READ stretch WRITE setStretch NOTIFY fontChanged)
    Q_PROPERTY(double descent READ descent NOTIFY fontChanged)

public:
    explicit orbQuickFont(QQuickItem *parent = nullptr);

    QFont font() const { return m_font; }
    float pointSizeF() const { return float(m_font.pointSizeF()); }
    int weight() const { return m_font.weight(); }
    QString family() const { return m_font.family(); }
    double letterSpacing() const { return m_font.letterSpacing(); }
    int capitalization() const { return m_font.capitalization(); }
    bool kerning() const { return m_font.kerning(); }
    int stretch() const { return m_font.stretch(); }
    double descent() const { return m_metrics.descent(); }

    void setPointSizeF(float size);
    void setWeight(int weight);
    void setFamily(const QString &family);
    void setLetterSpacing(double spacing);
    void setCapitalization(int capitalization);
    void setKerning(bool kerning);
    void setStretch(int stretch);

signals:
    void fontChanged();

private:
    void fontWasChanged();

    QFont m_font;
    QFontMetricsF m_metrics;
    float m_sizeScale;
};
