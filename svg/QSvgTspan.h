#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// A run of characters inside a text element: a "tspan" element, the character
// data of the text itself, or a line break of a text area. Its text element
// paints it.
class QSvgTspan : public QSvgNode
{
public:
    enum WhitespaceMode { Default, Preserve };

    QSvgTspan(QSvgNode *parent, bool isTspan = true);
    // A line-break marker run.
    static QSvgTspan *lineBreak(QSvgNode *parent);

    void draw(QPainter *, QSvgDrawState &) override { }
    Type type() const override { return Tspan; }

    void addText(const QString &text) { m_text += text; }
    const QString &text() const { return m_text; }
    bool isTspan() const { return m_isTspan; }
    bool isLineBreak() const { return m_isLineBreak; }
    void setWhitespaceMode(WhitespaceMode mode) { m_mode = mode; }
    WhitespaceMode whitespaceMode() const { return m_mode; }

private:
    QString m_text;
    WhitespaceMode m_mode = Default;
    bool m_isTspan;
    bool m_isLineBreak = false;
};

} // namespace orbsvg
