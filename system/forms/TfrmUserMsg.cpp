#include "TfrmUserMsg.h"

#include "controls/ZColorValue.h"
#include "settings/ZSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("提示信息");

} // namespace

TfrmUserMsg::TfrmUserMsg(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(kCaption);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memMsg"));
    m_text->setReadOnly(true);
    m_keep = new QCheckBox(QStringLiteral("保持"), this);
    m_keep->setObjectName(QStringLiteral("chkKeep"));
    auto *hint = new QLabel(QStringLiteral("按ESC关闭提示信息"), this);
    hint->setEnabled(false);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_keep);
    bottom->addStretch();
    bottom->addWidget(hint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->addWidget(m_text, 1);
    layout->addLayout(bottom);
    resize(420, 220);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TfrmUserMsg::Tick);
    connect(m_keep, &QCheckBox::toggled, this, [this](bool keep) {
        if (!keep && !m_timer->isActive())
            m_timer->start();
    });
}

void TfrmUserMsg::ShowMsg(const QString &text, int colour)
{
    if (colour != m_colour)
        m_text->clear();
    m_text->appendPlainText(text);
    m_colour = colour;
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Text, ZColorFromValue(colour));
    m_text->setPalette(palette);
    m_countdown = 12;
    m_timer->start();
    standInFront();
}

void TfrmUserMsg::standInFront()
{
    // The notice belongs to the window the user works in (where the error
    // came from): as its owned window it stands in front of that one, not
    // only of the main window, and the keyboard stays where it was. A
    // notice already up stays with its window and comes to the front.
    if (isVisible()) {
        raise();
        return;
    }
    QWidget *front = QApplication::activeWindow();
    if (!front || front == this)
        front = ParentForm();
    // A dialog-type window: window managers keep an owned window of that
    // type (not a plain one) in front of its owner.
    if (front && front != this && front->isVisible() && parentWidget() != front->window())
        setParent(front->window(), (windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
}

void TfrmUserMsg::Tick()
{
    setWindowTitle(QStringLiteral("%1 (%2)").arg(kCaption).arg(m_countdown));
    if (m_countdown-- == 0) {
        m_timer->stop();
        m_text->clear();
        close();
        return;
    }
    if (m_keep->isChecked()) {
        m_timer->stop();
        setWindowTitle(kCaption);
        m_countdown = 12;
    }
}

void TfrmUserMsg::FormReturnValue(const QString &name, const QString &value)
{
    ShowMsg(name, value.toInt());
}

QString TfrmUserMsg::Text() const
{
    return m_text->toPlainText();
}

bool TfrmUserMsg::Counting() const
{
    return m_timer->isActive();
}

void TfrmUserMsg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    const auto all = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    if (event->key() == Qt::Key_S && (event->modifiers() & all) == all) {
        m_text->appendPlainText(QStringLiteral("\n最后执行的Sql语法：\n") + FLastExecSql);
        return;
    }
    TfrmZForm::keyPressEvent(event);
}
