#pragma once

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QWidget>

/// A month calendar: a header row "星期日" … "星期六" and six weeks of day
/// cells. A cell shows the day number (large and red for today), the solar
/// term at its upper right, the holiday name at its lower left (on the first
/// day of a lunar month without a holiday, the lunar month's name) and the
/// lunar day at its lower right, and the texts its owner added for the day.
/// Days of the shown month are tinted on weekends and days off; days of the
/// neighbouring months are drawn on the window colour. The grid always shows
/// the week before the month's first day, so it spans from the first day − 7
/// at the earliest to the last day + 14 at the latest.
class TZCalcendar final : public QWidget
{
    Q_OBJECT

public:
    explicit TZCalcendar(QWidget *parent = nullptr);

    /// The selected day; choosing one of another month shows that month.
    QDate Date() const { return m_date; }
    void SetDate(const QDate &date);
    int Year() const { return m_date.year(); }
    int Month() const { return m_date.month(); }
    /// Shows a month, keeping the day of the month where it exists.
    void SetYearMonth(int year, int month);

    /// The first and last days of the grid.
    QDate FirstShownDate() const;
    QDate LastShownDate() const { return FirstShownDate().addDays(kDays - 1); }
    /// The day under a point of the widget, or an invalid date.
    QDate DateAt(const QPoint &point) const;
    /// The cell of a shown day.
    QRect DayRect(const QDate &date) const;

    /// The owner's texts of a day, kept by DayKey.
    void AddDayText(const QDate &date, const QString &text);
    QStringList DayTexts(const QDate &date) const;
    void ClearDayTexts();
    /// "%d年%d月%d日".
    static QString DayKey(const QDate &date);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void DateChanged(const QDate &date);
    void DateDoubleClicked(const QDate &date);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int kDays = 42;
    int headerHeight() const;
    void paintDay(class QPainter &painter, const QDate &day, const QRect &cell) const;

    QDate m_date;
    QHash<QString, QStringList> m_texts;
};
