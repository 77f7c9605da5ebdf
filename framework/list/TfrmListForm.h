#pragma once

#include "forms/TfrmZForm.h"

#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QMenu;
class QSplitter;
class QToolBar;
class TOrvDataSet;
class TZDataField;
class TZDataSource;
class TZDBGrid;

/// The six powers a list window reads once, when it is first woken.
struct TListPowers
{
    bool add = false;
    bool edit = false;
    bool remove = false;
    bool allBrowse = false;
    bool print = false;
    bool exportRows = false;
};

/// The list of a module: its rows in the one grid, a tool bar that opens the
/// module's editing window to add, edit, browse and delete, and reloads,
/// conditions, export, chart and print. What the list holds comes from the
/// module's data source (the window's ProgID); descendants change it through
/// the hooks below.
///
/// The members are spread over files by concern: TfrmListForm.cpp (the
/// window, its tool bar, parameters and messages), TfrmListFormData.cpp
/// (loading), TfrmListFormActions.cpp (what the tool bar runs).
class TfrmListForm : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmListForm(QWidget *parent = nullptr);
    ~TfrmListForm() override;

    QString GetProgID() override { return m_progID; }
    QString GridLogTag() override { return m_progID; }
    QString GetPowerCode() override { return m_powerCode; }
    /// Its own task-bar button in the systems 1003, 1004, 1005 and 1012.
    bool ShowInTaskBar() override;
    /// "[FormParams]" (the record's action as the name, its key as the
    /// value), "WakeUp" (the first time only), "ReFresh", "ReturnTranSelect".
    void FormReturnValue(const QString &name, const QString &value) override;

    // --- overridable operations, with the base behaviour ---

    /// The text a cell shows: the field's display text by its definition
    /// (pick-list values by name).
    virtual QString FieldOnGetText(const TZDataField &field);
    /// Loads the rows: with a condition tail the module's statement (hidden
    /// fields as ContainHideField says, the detail joined when `useDetail`)
    /// and the condition; without one the statement and GetDataSqlWhere.
    /// A statement that fails leaves the list as it was and raises.
    virtual void GetData(const QString &where = QString(), bool useDetail = false);
    /// Changes the statement before it runs; the base leaves it.
    virtual void GetDataSql(QString &sql);
    /// The default condition tail: the keyword fragment, then, for a user
    /// who is no administrator and may not browse all rows of a module whose
    /// rows have a MakerID, only the rows the user entered.
    virtual void GetDataSqlWhere(QString &where);
    /// The trimmed key of the current row; empty when the list has no rows.
    virtual QString KeyValue();
    virtual void MenuItemClick(QAction *item);
    /// The window class that chooses rows to transfer.
    virtual QString TranSelectForm() { return QStringLiteral("TfrmTranSelect"); }
    /// True unless the module names its own editing window class that is not
    /// one of the generic classes.
    virtual bool WakeUpByProgID();
    /// Runs the condition editor and reloads with the condition.
    virtual void DoSelfWhere();
    /// The powers, the actions they allow, the caption, the transfer menu.
    virtual void FormInit();
    /// The first load, without a condition.
    virtual void AfterFormInit();
    virtual void InitTransMenu();
    /// The spreadsheet file to export to; empty when the user cancels.
    virtual QString ChoosePath();
    /// Writes the rows as the grid shows them to the file and says so.
    virtual void ExportToFile(const QString &fileName);
    /// The editing window class: the module's own, else TfrmMasterDataBase.
    virtual QString ModifyFormClass();
    virtual void GetKeyWhereFields() {}
    /// Turns what the window's keyword means into a condition fragment; the
    /// base adds none.
    virtual void ChangeKeyWordWhere(QString &where);
    virtual void BeforeTranBill(QStringList &) {}
    virtual void BeforeInit(const QString &, const QString &) {}
    /// Whether the statement holds the fields the definitions hide.
    virtual bool ContainHideField() { return true; }

    // --- what the tool bar runs ---

    void AddNew();
    void EditCurrent();
    void Browse();
    /// The editing window, hidden, moves to the current row and runs its own
    /// delete with all its questions; then the list is reloaded.
    void DeleteCurrent();
    /// Reloads the rows and returns to the row that was current.
    void Reload();
    /// The module's chart over the loaded rows.
    void ShowChart();
    /// Asks for a file (and whether to replace it) and exports to it.
    void ExportList();

    // --- state ---

    TOrvDataSet &DataSet() const { return *m_dataSet; }
    TZDBGrid *Grid() const { return m_grid; }
    /// The module's data source; raises when the window has no module yet.
    TZDataSource &DataSource() const;
    const TListPowers &Powers() const { return m_powers; }
    bool FirstWake() const { return m_firstWake; }
    bool Initialising() const { return m_initialising; }
    bool ConditionInForce() const { return m_conditionInForce; }
    QAction *Action(const QString &name) const;
    QMenu *TransMenu() const { return m_transMenu; }

protected:
    bool event(QEvent *event) override;
    /// The area beside the grid: descendants put their panels in it.
    QSplitter *Body() const { return m_body; }
    QToolBar *ToolBar() const { return m_toolBar; }
    /// True while rows are being read into the dataset.
    bool Loading() const { return m_loading; }
    /// Runs after every load, once the rows are in the grid.
    virtual void AfterGetData() {}
    /// Enables edit, delete and browse for the rows and the powers.
    void EnableActions();
    /// Shows the tool bar's separators only between groups with buttons.
    void TidyToolBar();
    /// Takes the module (once): data source, dataset, columns, power code.
    void SetProgID(const QString &progID);
    /// Loads with a user condition (the tail and the detail switch) while the
    /// condition-in-force flag is set.
    void ApplyCondition(const QString &where, bool useDetail);

private:
    void buildToolBar();
    void wakeUp(const QString &name, const QString &value);
    void openEditor(const QString &action, const QString &key);
    void bindFields();
    void setUpColumns();

    QString m_progID;
    QString m_powerCode;
    std::shared_ptr<TZDataSource> m_source;
    /// Orders the rows by the key and refreshes what needs every row, once
    /// the last piece is in.
    void allRowsRead();
    std::unique_ptr<TOrvDataSet> m_dataSet;
    TZDBGrid *m_grid = nullptr;
    QToolBar *m_toolBar = nullptr;
    QSplitter *m_body = nullptr;
    QMenu *m_transMenu = nullptr;
    TListPowers m_powers;
    QString m_tranTarget; ///< the module a transfer goes to; none until bill transfer exists
    bool m_firstWake = true;
    bool m_initialising = false;
    bool m_conditionInForce = false;
    bool m_columnsSet = false;
    bool m_loading = false;
};
