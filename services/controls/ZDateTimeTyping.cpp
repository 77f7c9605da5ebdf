#include "ZDateTimeTyping.h"

#include "common/ZClock.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QKeyEvent>
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
        if (event->type() == QEvent::KeyPress && m_editor && watched == m_editor.data()
            && !beforeKey(*static_cast<QKeyEvent *>(event)))
            return true;
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
    // A digit typed over an empty date or over the whole text starts a new
    // value from its first section: "19881003" or "1988-10-03" is the date.
    // A separator typed right after a digit that completed a section (the
    // editor moved on by itself) is the move already made: it is dropped.
    // Returns false for a key that is dropped.
    bool beforeKey(const QKeyEvent &key)
    {
        const QString text = key.text();
        const bool digit = !text.isEmpty() && text.front().isDigit();
        const bool advanced = m_afterDigit && m_editor->currentSection() != m_sectionOfDigit;
        m_afterDigit = digit;
        if (!digit) {
            const bool separator = text.size() == 1 && QStringLiteral("-/.: ").contains(text.front());
            return !(separator && advanced);
        }
        auto *line = m_editor->findChild<QLineEdit *>();
        if (!line)
            return true;
        const bool empty = !m_editor->specialValueText().isEmpty() && m_editor->text() == m_editor->specialValueText();
        if (empty)
            m_editor->setDateTime(QDateTime(ZDate(), m_editor->time()));
        if (empty || (line->hasSelectedText() && line->selectedText() == line->text()))
            m_editor->setSelectedSection(m_editor->sectionAt(0));
        m_sectionOfDigit = m_editor->currentSection();
        return true;
    }

    QPointer<QDateTimeEdit> m_editor;
    bool m_afterDigit = false;
    QDateTimeEdit::Section m_sectionOfDigit = QDateTimeEdit::NoSection;
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
