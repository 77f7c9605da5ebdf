#include "TAutoSizeAndPos.h"

#include "controls/TZFieldLink.h"
#include "layout/ZControlTags.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

namespace {

enum class TKind { Stay, Move, Stretch };

TKind kindOf(const QWidget *control)
{
    if (qobject_cast<const QLabel *>(control) || qobject_cast<const QCheckBox *>(control))
        return TKind::Move;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QAbstractSpinBox *>(control)
        || qobject_cast<const QComboBox *>(control))
        return TKind::Stretch;
    // Only memos bound to a field stretch.
    if ((qobject_cast<const QPlainTextEdit *>(control) || qobject_cast<const QTextEdit *>(control))
        && TZFieldLink::LinkOf(control))
        return TKind::Stretch;
    return TKind::Stay;
}

bool recorded(const QWidget *control)
{
    const QString name = control->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    const QWidget *parent = control->parentWidget();
    return !(parent && parent->layout());
}

QList<QWidget *> controlsOf(QWidget &window)
{
    QList<QWidget *> controls;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (recorded(control))
            controls << control;
    }
    return controls;
}

} // namespace

TAutoSizeAndPos::TAutoSizeAndPos(QWidget &window) : m_window(&window) {}

void TAutoSizeAndPos::SaveCtrlsSizeAndPos()
{
    m_records.clear();
    if (!m_window)
        return;
    const auto record = [this](const QWidget &w) {
        m_records.insert(w.objectName(), TRecord{w.width(), w.height(), w.x(), w.y()});
    };
    record(*m_window);
    for (const QWidget *control : controlsOf(*m_window)) {
        if (!m_records.contains(control->objectName()))
            record(*control);
    }
}

void TAutoSizeAndPos::AutoCtrlsSizeAndPos()
{
    if (!m_window)
        return;
    const auto own = m_records.constFind(m_window->objectName());
    if (own == m_records.constEnd() || own->Width <= 0)
        return;
    const double ratio = double(m_window->width()) / double(own->Width);
    const QTabWidget *pages = m_window->findChild<QTabWidget *>();
    for (QWidget *control : controlsOf(*m_window)) {
        const auto found = m_records.constFind(control->objectName());
        if (found == m_records.constEnd())
            continue;
        if (const auto *group = qobject_cast<const QGroupBox *>(control->parentWidget())) {
            const Qt::Edges anchors = ZAnchors(group);
            if (!((anchors & Qt::LeftEdge) && (anchors & Qt::RightEdge)))
                continue;
        }
        QRect bounds = control->geometry();
        const int tag = ZTag(control);
        if (pages && tag > 10000)
            bounds.moveTop(pages->y() + pages->height() + (tag - 10000));
        switch (kindOf(control)) {
        case TKind::Move:
            bounds.moveLeft(int(ratio * found->Left));
            break;
        case TKind::Stretch:
            bounds.moveLeft(int(ratio * found->Left));
            bounds.setWidth(int(ratio * found->Width));
            break;
        case TKind::Stay:
            break;
        }
        if (bounds != control->geometry())
            control->setGeometry(bounds);
    }
}

void TAutoSizeAndPos::FreeCtrlsSizeAndPos()
{
    m_records.clear();
}

namespace {

// Every window of the framework gets this keeper; it records the window as
// it stands when the keeper is made (the window's first showing), so that a
// window that never records again still stretches relative to its design.
[[maybe_unused]] const bool g_sizeKeeperInstalled = [] {
    SetZSizeKeeperMaker([](QWidget &window) {
        auto keeper = std::make_unique<TAutoSizeAndPos>(window);
        keeper->SaveCtrlsSizeAndPos();
        return keeper;
    });
    return true;
}();

} // namespace
