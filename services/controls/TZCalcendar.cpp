#include "TZCalcendar.h"

#include "common/ZClock.h"
#include "common/ZCnCalendar.h"
#include "common/ZHoliday.h"
#include "common/ZSolarTerm.h"
#include "controls/ZColorValue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <array>

namespace {

// The tint of weekends and days off.
constexpr int kDayOffTint = 15191807;

const std::array<const char16_t *, 7> kWeekDays{u"星期日", u"星期一", u"星期二", u"星期三",
                                                u"星期四", u"星期五", u"星期六"};

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

} // namespace

TZCalcendar::TZCalcendar(QWidget *parent) : QWidget(parent), m_date(ZDate())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TZCalcendar::SetDate(const QDate &date)
{
    if (!date.isValid() || date == m_date)
        return;
    m_date = date;
    update();
    emit DateChanged(m_date);
}

void TZCalcendar::SetYearMonth(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return;
    SetDate(QDate(year, month, qMin(m_date.day(), first.daysInMonth())));
}

QDate TZCalcendar::FirstShownDate() const
{
    const QDate first(m_date.year(), m_date.month(), 1);
    // The Sunday before the first day, a whole week earlier when the month
    // begins on a Sunday.
    return first.addDays(-(first.dayOfWeek() % 7 == 0 ? 7 : first.dayOfWeek() % 7));
}

int TZCalcendar::headerHeight() const
{
    return fontMetrics().height() + 8;
}

QRect TZCalcendar::DayRect(const QDate &date) const
{
    const qint64 index = FirstShownDate().daysTo(date);
    if (index < 0 || index >= kDays)
        return {};
    const int top = headerHeight();
    const int column = int(index % 7);
    const int row = int(index / 7);
    const int left = column * width() / 7;
    const int right = (column + 1) * width() / 7;
    const int y0 = top + row * (height() - top) / 6;
    const int y1 = top + (row + 1) * (height() - top) / 6;
    return QRect(left, y0, right - left, y1 - y0);
}

QDate TZCalcendar::DateAt(const QPoint &point) const
{
    const int top = headerHeight();
    if (point.y() < top || point.x() < 0 || point.x() >= width() || point.y() >= height())
        return {};
    const int column = qMin(6, point.x() * 7 / qMax(1, width()));
    const int row = qMin(5, (point.y() - top) * 6 / qMax(1, height() - top));
    return FirstShownDate().addDays(row * 7 + column);
}

QString TZCalcendar::DayKey(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

void TZCalcendar::AddDayText(const QDate &date, const QString &text)
{
    m_texts[DayKey(date)].append(text);
    update(DayRect(date));
}

QStringList TZCalcendar::DayTexts(const QDate &date) const
{
    return m_texts.value(DayKey(date));
}

void TZCalcendar::ClearDayTexts()
{
    m_texts.clear();
    update();
}

QSize TZCalcendar::sizeHint() const
{
    return {7 * 110, 6 * 84 + headerHeight()};
}

QSize TZCalcendar::minimumSizeHint() const
{
    return {7 * 70, 6 * 56 + headerHeight()};
}

void TZCalcendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor fixed = palette().color(QPalette::Button);
    painter.fillRect(rect(), fixed);
    const QRect header(0, 0, width(), headerHeight());
    for (int column = 0; column < 7; ++column) {
        const QRect cell(column * width() / 7, 0, (column + 1) * width() / 7 - column * width() / 7, header.height());
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(cell, Qt::AlignCenter, QString::fromUtf16(kWeekDays.at(size_t(column))));
    }
    const QDate first = FirstShownDate();
    for (int i = 0; i < kDays; ++i) {
        const QDate day = first.addDays(i);
        paintDay(painter, day, DayRect(day));
    }
    // The grid lines, then the selected day's frame on top.
    painter.setPen(palette().color(QPalette::Mid));
    for (int column = 1; column < 7; ++column)
        painter.drawLine(column * width() / 7, header.bottom(), column * width() / 7, height());
    for (int row = 0; row < 6; ++row) {
        const int y = header.height() + row * (height() - header.height()) / 6;
        painter.drawLine(0, y, width(), y);
    }
    const QRect selected = DayRect(m_date);
    if (!selected.isEmpty()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selected.adjusted(1, 1, -1, -1));
    }
}

void TZCalcendar::paintDay(QPainter &painter, const QDate &day, const QRect &cell) const
{
    QString holiday;
    const bool dayOff = IsHoliday(false, holiday, day);
    const bool inMonth = day.month() == m_date.month() && day.year() == m_date.year();
    const bool weekend = day.dayOfWeek() >= 6;
    if (inMonth)
        painter.fillRect(cell, weekend || dayOff ? ZColorFromValue(kDayOffTint) : QColor(Qt::white));
    const QRect inner = cell.adjusted(4, 2, -4, -2);

    QFont number = font();
    const bool today = day == ZDate();
    number.setPixelSize(today ? 20 : 12);
    number.setBold(today);
    painter.setFont(number);
    painter.setPen(today ? kRed : kNavy);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString::number(day.day()));

    QFont small = font();
    small.setPixelSize(12);
    painter.setFont(small);
    const QString term = GetJQ(day);
    if (!term.isEmpty()) {
        painter.setPen(kRed);
        painter.drawText(inner, Qt::AlignRight | Qt::AlignTop, term);
    }
    const QString cnDay = CnDayOfDate(day);
    if (holiday.isEmpty() && cnDay == QStringLiteral("初一"))
        holiday = CnMonthOfDate(day);
    if (!holiday.isEmpty()) {
        painter.setPen(kRed);
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, holiday);
    }
    if (!cnDay.isEmpty()) {
        painter.setPen(kGreen);
        painter.drawText(inner, Qt::AlignRight | Qt::AlignBottom, cnDay);
    }
    const QStringList texts = DayTexts(day);
    if (!texts.isEmpty()) {
        const int line = QFontMetrics(small).height();
        QRect middle = inner.adjusted(0, 22, 0, -line);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(middle, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, texts.join(QLatin1Char('\n')));
    }
}

void TZCalcendar::mousePressEvent(QMouseEvent *event)
{
    const QDate day = DateAt(event->position().toPoint());
    if (day.isValid())
        SetDate(day);
    QWidget::mousePressEvent(event);
}

void TZCalcendar::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QDate day = DateAt(event->position().toPoint());
    if (day.isValid()) {
        SetDate(day);
        emit DateDoubleClicked(day);
    }
}

void TZCalcendar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        SetDate(m_date.addDays(-1));
        break;
    case Qt::Key_Right:
        SetDate(m_date.addDays(1));
        break;
    case Qt::Key_Up:
        SetDate(m_date.addDays(-7));
        break;
    case Qt::Key_Down:
        SetDate(m_date.addDays(7));
        break;
    case Qt::Key_PageUp:
        SetDate(m_date.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        SetDate(m_date.addMonths(1));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit DateDoubleClicked(m_date);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
