#pragma once

#include "calendar/TMoxCalendarData.h"
#include "forms/TfrmZForm.h"

#include <array>

class QComboBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QToolButton;
class TZCalcendar;

/// "行事历": a month calendar with Chinese lunar dates, solar terms and
/// holidays, and per day the counts of schedule items, memo and birthday
/// reminders and diary entries. The selected day's items are listed in
/// three groups and open their records; "+ 行程", "+ 备忘", "+ 日记" and a
/// double-click on a day add a record dated that day.
class TfrmMoxCalcendar final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmMoxCalcendar(QWidget *parent = nullptr);
    ~TfrmMoxCalcendar() override;

    TZCalcendar *Calendar = nullptr;
    QSpinBox *edtYear = nullptr;
    QComboBox *cbxMonth = nullptr;
    QGroupBox *gbxDay = nullptr;
    /// The three groups: their headers and entry lists, by TMoxItemKind.
    std::array<QToolButton *, 3> GroupHeaders{};
    std::array<QListWidget *, 3> GroupLists{};

    /// Reloads the items of the shown range and the selected day's groups.
    void RefreshData();
    /// Shows a month (the year kept within 1900..3000).
    void ShowMonth(int year, int month);
    /// Opens the record form of a kind in adding mode with its date fields
    /// preset to the selected day.
    void AddItem(TMoxItemKind kind);
    const TMoxCalendarData &Data() const { return m_data; }

protected:
    bool event(QEvent *event) override;

private:
    void dateChanged();
    void fillDay();
    void openEntry(QListWidgetItem *item);
    void askAndAdd();
    void setGroupOpen(int kind, bool open);

    TMoxCalendarData m_data;
    bool m_syncing = false;
    bool m_loaded = false;
};
