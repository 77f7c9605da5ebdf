#include "TfrmRemind.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "data/ZDbValues.h"
#include "launcher/ZLauncher.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char *const kCaptions[5] = {"单据：", "编号：", "操作：", "用户：", "时间："};

QRect availableArea(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TfrmRemind::TfrmRemind(QWidget *parent)
    : TfrmZForm(parent), m_slide(new QTimer(this)), m_display(new QTimer(this))
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("提醒"));
    SetSizeable(false);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 225));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    for (int i = 0; i < 5; ++i) {
        m_labels[i] = new QLabel(QString::fromUtf8(kCaptions[i]), this);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_labels[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        layout->addWidget(m_labels[i]);
    }
    setFixedSize(240, 130);

    m_slide->setInterval(SlideInterval);
    connect(m_slide, &QTimer::timeout, this, [this] { SlideUp(); });
    m_display->setSingleShot(true);
    m_display->setInterval(ShowTime);
    connect(m_display, &QTimer::timeout, this, &QWidget::close);
}

void TfrmRemind::ShowRemain(const QString &progID, const QString &keyValues, const QString &dateValue,
                            const QString &actionText, const QString &userText)
{
    m_progID = ZTrim(progID);
    m_progName = m_progID;
    try {
        if (!m_progID.isEmpty())
            m_progName = GetDataSource(m_progID).DisplayName;
    } catch (const EZError &) {
        // a module without a definition here shows by its name
    }
    m_keyValues = ZTrim(keyValues);
    m_action = actionText;
    m_user = userText;
    bool ok = false;
    const double days = ZTrim(dateValue).toDouble(&ok);
    m_date = ok ? ZNumberToDateTime(days) : QDateTime();

    m_labels[0]->setText(m_labels[0]->text() + m_progName);
    m_labels[1]->setText(m_labels[1]->text() + m_keyValues.section(QLatin1Char(','), 0, 0));
    m_labels[2]->setText(m_labels[2]->text() + m_action);
    m_labels[3]->setText(m_labels[3]->text() + m_user);
    m_labels[4]->setText(m_labels[4]->text()
                         + (m_date.isValid() ? m_date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString()));

    // Start just below the available area (behind the task bar) and rise.
    const QRect area = availableArea(*this);
    move(area.right() - width() + 1, area.bottom() + 1);
    show();
    m_slide->start();
}

int TfrmRemind::TargetTop() const
{
    return availableArea(*this).bottom() - height() + 1;
}

bool TfrmRemind::SlideUp()
{
    const int target = TargetTop();
    if (y() - SlideStep > target) {
        move(x(), y() - SlideStep);
        return true;
    }
    move(x(), target);
    m_slide->stop();
    if (!m_display->isActive())
        m_display->start();
    return false;
}

QString TfrmRemind::ClickKey() const
{
    if (m_user.contains(QStringLiteral("删除")) || m_progID.isEmpty())
        return {};
    return ZTrim(m_keyValues.contains(QLatin1Char(',')) ? m_keyValues.section(QLatin1Char(','), 1, 1) : m_keyValues);
}

void TfrmRemind::Click()
{
    const QString key = ClickKey();
    if (!key.isEmpty())
        WakeUpBillFormByProg(m_progID, key, QStringLiteral("F3"));
    close();
}

void TfrmRemind::mouseReleaseEvent(QMouseEvent *event)
{
    TfrmZForm::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        ZGuard([this] { Click(); });
}

void TfrmRemind::paintEvent(QPaintEvent *event)
{
    TfrmZForm::paintEvent(event);
    // A frameless window: a thin border sets it off from what lies behind.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TfrmRemind *ShowRemain(const QString &progID, const QString &keyValues, const QString &dateValue,
                       const QString &actionText, const QString &userText)
{
    auto *notice = new TfrmRemind;
    notice->ShowRemain(progID, keyValues, dateValue, actionText, userText);
    return notice;
}
