#pragma once

#include "list/TfrmListForm.h"
#include "metadata/TZDataset.h"

#include <QSet>
#include <QStringList>

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;
class TZClientDataSet;
struct TZRowData;

/// The texts of the list periods, in TDataArea order.
QString ZDataAreaText(TDataArea area);
/// The period of a text; a text that names none is lsTop50.
TDataArea ZDataAreaOfText(const QString &text);

/// A list with a panel on its left: the period the rows come from, a value
/// filter (a field and the check list of its values among the loaded rows)
/// and a keyword that a row's texts must contain. The value filter and the
/// keyword work on the loaded rows only; the period reloads.
///
/// The members are spread over files by concern: TfrmListFormBase.cpp (the
/// panel, the periods, the panel's open or closed state) and
/// TfrmListFormFilter.cpp (the value list, the keyword and the row filter).
class TfrmListFormBase : public TfrmListForm
{
    Q_OBJECT

public:
    explicit TfrmListFormBase(QWidget *parent = nullptr);
    ~TfrmListFormBase() override;

    /// The period statement, unless a user condition is in force.
    void GetDataSql(QString &sql) override;
    bool ContainHideField() override { return false; }
    /// The inherited steps, then the period selector.
    void FormInit() override;

    /// The chosen period.
    TDataArea DataArea() const;
    /// Chooses a period by its text (reloads unless initialising).
    void SetDataAreaText(const QString &text);
    /// The periods offered, as their texts.
    QStringList DataAreaTexts() const;

    /// Chooses the field of the value filter (empty: none) and lists its
    /// values among the loaded rows, all ticked.
    void SetFilterField(const QString &fieldName);
    QString FilterField() const;
    /// The values listed, in their order, and whether each is ticked.
    QStringList FilterValues() const;
    void SetValueTicked(const QString &value, bool ticked);
    /// The keyword; the rows follow at once.
    void SetKeyWord(const QString &keyWord);

    bool LeftSideClosed() const;
    void SetLeftSideClosed(bool closed);

protected:
    void AfterGetData() override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildPanel();
    void fillPeriods();
    void fillFieldChooser();
    void fillValues();
    /// Re-applies the value filter and the keyword to the loaded rows.
    void applyFilter();
    bool rowPasses(TZClientDataSet &rows, const TZRowData &row);
    void saveLeftSide();

    QWidget *m_panel = nullptr;
    QComboBox *m_period = nullptr;
    QComboBox *m_fieldChooser = nullptr;
    QListWidget *m_values = nullptr;
    QLineEdit *m_keyWord = nullptr;
    QAction *m_leftSide = nullptr;
    QSet<QString> m_ticked;
    bool m_allTicked = true;
    int m_filterColumn = -1;
    bool m_filling = false;
    bool m_fillingValues = false; ///< fillValues is running (reading the last rows asks for it again)
    bool m_stateRestored = false;
};
