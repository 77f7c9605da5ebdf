#include "TZGridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

TZGridFooter::TZGridFooter(QTreeView &view, QWidget *parent) : QWidget(parent), m_view(view)
{
    setAutoFillBackground(true);
    QHeaderView *header = view.header();
    const auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view.horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

void TZGridFooter::SetTexts(const QHash<int, QString> &texts)
{
    m_texts = texts;
    update();
}

QSize TZGridFooter::sizeHint() const
{
    return {0, fontMetrics().height() + 8};
}

void TZGridFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QHeaderView *header = m_view.header();
    // Sections are placed in the viewport; the footer starts where the view does.
    const int offset = m_view.viewport()->mapTo(&m_view, QPoint(0, 0)).x() + m_view.x() - x();
    for (auto it = m_texts.constBegin(); it != m_texts.constEnd(); ++it) {
        const int column = it.key();
        if (column >= header->count() || header->isSectionHidden(column))
            continue;
        const QRect cell(offset + header->sectionViewportPosition(column), 0, header->sectionSize(column), height());
        painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, it.value());
    }
}
