#include "TfrmRemindPiece.h"

#include "common/ZClock.h"
#include "common/ZGuard.h"
#include "common/ZSqlQuote.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kDefaultDelay = 5;
constexpr int kCascade = 26; // the step between windows open at once

const char *const kStyle = R"(
#pnlFrame { background: #ffffff; border: 1px solid #2d5f99; }
#pnlTop { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a8fd8, stop:1 #2d6cb3); }
#pnlTop QLabel { color: #ffffff; }
#lblCaption { font-weight: bold; }
#pnlBody { background: #ffffff; }
#lblTitle { font-weight: bold; color: #1d3f66; }
#memContent { border: none; background: #ffffff; }
#pnlBottom { background: #eef3f9; border-top: 1px solid #d3deeb; }
)";

QFrame *panel(const char *name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

} // namespace

TfrmRemindPiece::TfrmRemindPiece(const TZRemindKey &key, const QString &fallbackTitle, QWidget *parent)
    : TfrmZForm(parent), m_key(key)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("提醒窗口"));
    setStyleSheet(QLatin1String(kStyle));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QFrame *frame = panel("pnlFrame", this);
    outer->addWidget(frame);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);

    QFrame *top = panel("pnlTop", frame);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(10, 6, 10, 6);
    auto *caption = new QLabel(QStringLiteral("提醒窗口"), top);
    caption->setObjectName(QStringLiteral("lblCaption"));
    lblTime = new QLabel(top);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    topRow->addWidget(caption);
    topRow->addStretch();
    topRow->addWidget(lblTime);
    column->addWidget(top);

    QFrame *body = panel("pnlBody", frame);
    auto *bodyColumn = new QVBoxLayout(body);
    bodyColumn->setContentsMargins(12, 10, 12, 6);
    bodyColumn->setSpacing(6);
    lblTitle = new QLabel(body);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setWordWrap(true);
    memContent = new QPlainTextEdit(body);
    memContent->setObjectName(QStringLiteral("memContent"));
    memContent->setReadOnly(true);
    memContent->setFocusPolicy(Qt::NoFocus);
    memContent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memContent->setMinimumHeight(72);
    bodyColumn->addWidget(lblTitle);
    bodyColumn->addWidget(memContent, 1);
    column->addWidget(body, 1);

    QFrame *bottom = panel("pnlBottom", frame);
    auto *bottomRow = new QHBoxLayout(bottom);
    bottomRow->setContentsMargins(10, 6, 10, 6);
    rbKnow = new QRadioButton(QStringLiteral("知道了"), bottom);
    rbKnow->setChecked(true);
    rbDelay = new QRadioButton(QStringLiteral("延迟"), bottom);
    seDelay = new QSpinBox(bottom);
    seDelay->setRange(1, 120);
    seDelay->setValue(kDefaultDelay);
    seDelay->setSuffix(QStringLiteral(" 分钟"));
    btnOK = new QPushButton(QStringLiteral("确定"), bottom);
    btnOK->setDefault(true);
    bottomRow->addWidget(rbKnow);
    bottomRow->addSpacing(6);
    bottomRow->addWidget(rbDelay);
    bottomRow->addWidget(seDelay);
    bottomRow->addStretch();
    bottomRow->addWidget(btnOK);
    column->addWidget(bottom);

    connect(seDelay, &QSpinBox::valueChanged, this, [this] { rbDelay->setChecked(true); });
    connect(btnOK, &QPushButton::clicked, this, [this] { ZGuard([this] { confirm(); }); });
    m_dragHandles = {frame, top, body, bottom, caption, lblTime, lblTitle};
    for (QWidget *handle : std::as_const(m_dragHandles))
        handle->installEventFilter(this);

    resize(340, 230);
    load(fallbackTitle);
    // Counted as open only once it stands: a window whose load failed is
    // never made, and its reminder may come again.
    ZRemindStore().WindowOpened(m_key);
}

TfrmRemindPiece::~TfrmRemindPiece()
{
    ZRemindStore().WindowClosed(m_key);
}

void TfrmRemindPiece::load(const QString &fallbackTitle)
{
    lblTime->setText(ZNow().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    const std::unique_ptr<TZClientDataSet> row = DBConn().DBOpenDataSet(
        QStringLiteral(" Select RemindTitle, RemindContent From moxRemind Where RemindID = ")
        + ZQuotedStr(m_key.RemindID) + QStringLiteral(" And Flag = ") + QString::number(m_key.Flag));
    QString content;
    if (row->RecordCount() > 0) {
        m_title = row->FieldByName(QStringLiteral("RemindTitle")).AsString();
        content = row->FieldByName(QStringLiteral("RemindContent")).AsString().trimmed();
    } else {
        m_title = fallbackTitle;
    }
    lblTitle->setText(m_title);
    memContent->setPlainText(content.isEmpty() ? m_title : content);
}

void TfrmRemindPiece::confirm()
{
    if (rbDelay->isChecked()) {
        const QDateTime now = ZNow();
        const QDateTime due =
            QDateTime(now.date(), QTime(now.time().hour(), now.time().minute())).addSecs(60 * seDelay->value());
        ZRemindStore().Snooze(m_key, m_title, due);
    } else {
        ZRemindStore().RemoveSnooze(m_key);
    }
    close();
}

bool TfrmRemindPiece::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->isWidgetType() && m_dragHandles.contains(static_cast<QWidget *>(watched))) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragOffset = mouse->globalPosition().toPoint() - pos();
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
                move(mouse->globalPosition().toPoint() - m_dragOffset);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (m_dragging) {
                m_dragging = false;
                return true;
            }
            break;
        default:
            break;
        }
    }
    return TfrmZForm::eventFilter(watched, event);
}

void TfrmRemindPiece::showEvent(QShowEvent *event)
{
    TfrmZForm::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeOnScreen();
    }
}

void TfrmRemindPiece::placeOnScreen()
{
    const QScreen *screen = QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    int others = 0;
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form != this && qobject_cast<TfrmRemindPiece *>(form) && !form->Closed())
            ++others;
    }
    const int step = kCascade * (others % 8);
    move(area.right() - width() - 12 - step, area.bottom() - height() - 12 - step);
}

TfrmRemindPiece *ShowRemindPiece(int flag, const QString &remindID, const QString &fallbackTitle)
{
    const TZRemindKey key{flag, remindID};
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        auto *piece = qobject_cast<TfrmRemindPiece *>(form);
        if (piece && !piece->Closed() && piece->Key().Matches(key)) {
            piece->show();
            piece->raise();
            return piece;
        }
    }
    auto *piece = new TfrmRemindPiece(key, fallbackTitle);
    piece->show();
    return piece;
}
