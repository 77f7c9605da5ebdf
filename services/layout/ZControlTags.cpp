#include "ZControlTags.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

constexpr char kTag[] = "zTag";
constexpr char kAnchors[] = "zAnchors";

/// Watches the parent of an anchored control and keeps the control's
/// distances to the anchored edges. Owned by the control.
class TAnchorKeeper final : public QObject
{
public:
    TAnchorKeeper(QWidget *control, Qt::Edges edges) : QObject(control), m_control(control), m_edges(edges)
    {
        QWidget *parent = control->parentWidget();
        const QRect r = control->geometry();
        m_right = parent->width() - r.right();
        m_bottom = parent->height() - r.bottom();
        parent->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && m_control && watched == m_control->parentWidget())
            apply(*m_control->parentWidget());
        return false;
    }

private:
    void apply(const QWidget &parent)
    {
        QRect r = m_control->geometry();
        // An edge the control is not anchored to on one side lets the other
        // side's distance decide; on both sides the control stretches.
        if (m_edges & Qt::RightEdge) {
            const int right = parent.width() - m_right;
            if (m_edges & Qt::LeftEdge)
                r.setRight(right);
            else
                r.moveRight(right);
        }
        if (m_edges & Qt::BottomEdge) {
            const int bottom = parent.height() - m_bottom;
            if (m_edges & Qt::TopEdge)
                r.setBottom(bottom);
            else
                r.moveBottom(bottom);
        }
        m_control->setGeometry(r);
    }

    QPointer<QWidget> m_control;
    Qt::Edges m_edges;
    int m_right = 0;
    int m_bottom = 0;
};

} // namespace

int ZTag(const QObject *control)
{
    return control ? control->property(kTag).toInt() : 0;
}

void SetZTag(QObject *control, int tag)
{
    if (control)
        control->setProperty(kTag, tag);
}

Qt::Edges ZAnchors(const QWidget *control)
{
    const QVariant value = control ? control->property(kAnchors) : QVariant();
    return value.isValid() ? Qt::Edges(value.toInt()) : Qt::Edges(Qt::LeftEdge | Qt::TopEdge);
}

void SetZAnchors(QWidget *control, Qt::Edges edges)
{
    if (!control)
        return;
    control->setProperty(kAnchors, int(edges));
    for (QObject *child : control->children()) {
        if (auto *old = dynamic_cast<TAnchorKeeper *>(child))
            delete old;
    }
    if (control->parentWidget() && (edges & (Qt::RightEdge | Qt::BottomEdge)))
        new TAnchorKeeper(control, edges);
}
