#include "ZDateTimeTyping.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

class TSectionSelector final : public QObject
{
public:
    explicit TSectionSelector(QDateTimeEdit *editor) : QObject(editor), m_editor(editor) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            // After the editor has placed its cursor for the click.
            QTimer::singleShot(0, this, [this] {
                auto *line = m_editor ? m_editor->findChild<QLineEdit *>() : nullptr;
                if (line && !line->hasSelectedText() && m_editor->hasFocus())
                    m_editor->setSelectedSection(m_editor->currentSection());
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QDateTimeEdit> m_editor;
};

} // namespace

void ZSelectSectionOnClick(QDateTimeEdit *editor)
{
    if (!editor)
        return;
    auto *selector = new TSectionSelector(editor);
    editor->installEventFilter(selector);
    if (auto *line = editor->findChild<QLineEdit *>())
        line->installEventFilter(selector);
}
