#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class QTreeView;

/// The footer row of a grid: one text per column (the column sums), each
/// painted under its column's header section, so it follows the columns'
/// widths, order, hiding and horizontal scrolling.
class TZGridFooter final : public QWidget
{
public:
    explicit TZGridFooter(QTreeView &view, QWidget *parent = nullptr);

    /// The texts by logical column; columns without one show nothing.
    void SetTexts(const QHash<int, QString> &texts);
    QString Text(int column) const { return m_texts.value(column); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTreeView &m_view;
    QHash<int, QString> m_texts;
};
