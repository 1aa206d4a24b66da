#pragma once

#include "QSvgNode.h"
#include "QSvgTspan.h"

#include <QtCore/QList>
#include <QtCore/QSizeF>

#include <memory>
#include <vector>

namespace orbsvg {

// A "text" (one line from its position) or "textArea" (wrapped inside its
// area) element with its runs of characters.
class QSvgText : public QSvgNode
{
public:
    QSvgText(QSvgNode *parent, const QPointF &coord);
    ~QSvgText() override;

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return m_type; }

    void setTextArea(const QSizeF &size);
    const QPointF &coord() const { return m_coord; }
    const QSizeF &size() const { return m_size; }
    void setWhitespaceMode(QSvgTspan::WhitespaceMode mode) { m_mode = mode; }
    QSvgTspan::WhitespaceMode whitespaceMode() const { return m_mode; }

    // Takes ownership of the run.
    void addTspan(QSvgTspan *tspan);
    // A new run with the text's whitespace mode.
    void addText(const QString &text);
    void addLineBreak();
    const std::vector<std::unique_ptr<QSvgTspan>> &tspans() const { return m_tspans; }

private:
    void drawWithSvgFont(QPainter *p, QSvgDrawState &state);

    QPointF m_coord;
    std::vector<std::unique_ptr<QSvgTspan>> m_tspans;
    Type m_type = Text;
    QSizeF m_size{0, 0};
    QSvgTspan::WhitespaceMode m_mode = QSvgTspan::Default;
};

} // namespace orbsvg
