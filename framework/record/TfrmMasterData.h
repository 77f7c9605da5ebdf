#pragma once

#include "forms/TfrmZForm.h"
#include "launcher/TFormParams.h"

#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QToolBar;
class TOrvDataSet;
class TZDataField;
class TZDataSource;
class TZField;

/// Form states of a record window.
enum TFrmState { fsAdd = 0, fsEdit = 1, fsCopy = 2, fsBrowse = 3, fsNoRecord = 4, fsChecked = 5, fsVoided = 6 };

/// Which field the delete question names: the key or the data source's name field.
enum TDeleteMsgType { mtID, mtName };

/// The generic window that shows and edits one record of a module at a time:
/// the master row of the module's data source with the rows of its detail
/// datasets. Which tables, keys, captions, checks and relations apply comes
/// from the data source of the window's ProgID; descendants lay out editors
/// (by hand or generated) and override the hooks.
///
/// Every operation runs through RunAction: DoBeforeAction, the operation,
/// DoAfterAction. A save and a delete each run inside one transaction of the
/// session, so the record, its lines, its change-log row and whatever a
/// descendant's DoSave or DoDelete adds commit together or not at all; a
/// refused or failed save leaves the window in its edit state with the
/// user's values.
///
/// The members are spread over files by concern: TfrmMasterData.cpp (the
/// window, its tool bar and parameters), …Navigate.cpp, …Edit.cpp,
/// …Save.cpp, …Delete.cpp, …Checks.cpp (field validation and the in-use
/// check), …ChangeLog.cpp, …Wiring.cpp (editor wiring from the metadata).
class TfrmMasterData : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmMasterData(QWidget *parent = nullptr);
    ~TfrmMasterData() override;

    // --- module and datasets ---

    QString GetProgID() override { return m_progID; }
    QString GetPowerCode() override;
    /// Takes the module: its data source and one dataset (with a snapshot)
    /// per dataset of it. Done once, before the window's initialisation.
    virtual void SetProgID(const QString &progID);
    TZDataSource &DataSource() const;
    int DatasetCount() const { return int(m_datasets.size()); }
    TOrvDataSet &Dataset(int index) const;
    TOrvDataSet &Snapshot(int index) const;
    /// The master dataset (dataset 0), the one every head editor binds to.
    TOrvDataSet &MasterData() const { return Dataset(0); }
    const QString &KeyFieldName() const { return m_keyFieldName; }
    const QString &CurrKeyValue() const { return m_currKeyValue; }
    int FrmState() const { return m_frmState; }
    bool Editing() const { return m_frmState >= fsAdd && m_frmState <= fsCopy; }
    bool Saving() const { return m_saving; }
    /// The status line's text (navigation notices).
    QString StatusText() const;

    // --- operations ---

    /// Runs operation `op` (TOpAction numbers: 1 add, 2 edit, 3 delete, 4
    /// copy, 5 save, 6 cancel, 7 search, 8 first, 9 prior, 10 next, 11 last,
    /// 12 export, 13 print, 14 help, 16/17 the F3/F4 look-ups, 18 check, 19
    /// uncheck, 20 void, 21 restore) with its before and after steps. Raises
    /// the refusal of any step; true when the operation ran to its end.
    bool RunAction(int op);
    /// RunAction through the error guard: the refusal is shown to the user.
    bool Perform(int op);

    virtual bool MoveTo(const QString &key, bool showMessage = true);
    virtual void OpenBillDataset(const QString &key);
    virtual QString MoveWhere();
    QString GetMasterTableFlagWhere() const;
    void MoveFirst();
    void MovePrior();
    void MoveNext();
    void MoveLast();

    /// The key a new record gets: the next number by the module's key rule.
    virtual QString GetNewMasterKeyValue();
    /// Whether a record of the module refers to the key: the referencing
    /// module's caption with the referencing key, and its dataset index.
    virtual bool GetCheckInUsed(const QString &key, QString &name, int &datasetIndex);
    /// Raises "不存在[caption]:value" when the value of a related-key field
    /// names no record of the related module.
    virtual void CheckIDFieldIsExist(TZDataField &field);
    /// Writes the change log row of the record just saved or deleted.
    virtual void DoAddChangeLog(const QString &changeType);
    /// Keeps the key shown last for the module in log/keyvalues_<user>.log.
    void KeyValuLog(const QString &key);
    /// The key shown last for the module.
    QString LastKeyValue() const;
    /// Tells the module's open list windows to reload (keeping their row).
    void RefreshListForm();

    void FormReturnValue(const QString &name, const QString &value) override;
    bool FormFixSize() override { return true; }
    bool IsAutoSizeAndPos() override { return false; }

protected:
    // --- the operations themselves (overridable) ---
    virtual void DoAddNew();
    virtual void DoEdit();
    virtual void DoCopy();
    /// The write of a save, inside the save's transaction: every dataset,
    /// then the change log. A descendant adds its own statements after the
    /// inherited ones.
    virtual void DoSave();
    virtual void DoCancel();
    /// The delete, inside the delete's transaction: every dataset's stored
    /// rows, then the change log.
    virtual void DoDelete();
    /// Opens the search window on the module; a row clicked there comes
    /// back as "ReturnSearchID" and the window moves to it.
    virtual void DoSearch();
    virtual void DoExport() {}
    virtual void DoPrint() {}
    virtual void DoHelp() {}

    // --- hooks around the operations ---
    virtual bool DoBeforeAction(int op);
    virtual void DoAfterAction(int op);
    virtual void BeforeEdit();
    virtual void AfterEdit() {}
    virtual void BeforeSave();
    virtual void AfterSave();
    virtual void BeforeDelete();
    virtual void AfterDelete();
    virtual void AfterAddNew();
    virtual void AfterCopy() {}
    virtual void BeforeCheck() {}
    virtual void AfterCheck() {}
    virtual void BeforeUnCheck() {}
    virtual void AfterUnCheck() {}
    virtual bool ShowCancelRemind() { return true; }
    virtual TDeleteMsgType DeleteMsgType();
    /// Whether a copy takes the field's value (the window may deny a field).
    virtual bool CanCopyField(int datasetIndex, const QString &fieldName);
    virtual void SyncKeyValue();
    virtual void SetFrmState(int state);
    /// Field validation, when a field value is accepted (in this order: the
    /// carried-over line rule, the key-in-use rule, the related value check).
    virtual void FieldOnValidate(TZDataField &field, const QVariant &newValue);
    virtual void FieldOnChange(TZDataField &) {}

    // --- initialisation ---
    /// Runs once the module is known, when the window first gets its
    /// parameters: descendants lay out their editors here, then call the
    /// inherited step, which wires every editor from the metadata.
    virtual void AfterFormInit();
    /// Wires one component from the metadata (double-click selection of
    /// related keys, pick lists, marking of required labels).
    virtual void ScanCtrls(QObject *component);
    void SetIDSelectCtrlDblEvent(QWidget *editor);
    void SetCtrlPickList(QObject *component);
    void FreshLabelNotNullColor(QLabel *label);
    /// Opens the record selection window for the focused editor's related
    /// module (adding, editing or copying only; once at a time).
    void DoSelectID();
    /// Opens the record selection window for a field of a grid's dataset
    /// (a cell's button); the chosen key comes back into its current row.
    void DoSelectIDFor(TOrvDataSet &dataSet, const QString &fieldName);
    /// The related module of the focused editor, while editing; else empty.
    QString GetActCtrlRelativeDS();

    /// The field definition of a dataset field, or null.
    TZField *ZFieldOf(const TZDataField &field) const;
    /// The form parameters the window was opened with.
    const TFormParams &FormParams() const { return m_params; }
    QToolBar *ToolBar() const { return m_toolBar; }
    QAction *Action(const QString &name) const;
    void ShowStatus(const QString &text);
    /// Enables the tool bar's actions for the state and the user's powers.
    void UpdateActions();
    void SetCurrKeyValue(const QString &key) { m_currKeyValue = key; }
    /// Fills typed empty values and checks required and unique fields of
    /// every row of dataset `index` (uniqueness in the master only, ignoring
    /// the rows of `exclusion`).
    void checkRequired(int index, const QString &exclusion);
    /// The server's date and time as the 14-character time stamp of rows.
    QString ServerStamp() const;
    /// The synchronisation mark of written rows: the branch code and ","
    /// in the trading systems, else "ZZ,".
    QString SyncMark() const;
    /// Copies the rows of dataset `index` into its snapshot.
    void TakeSnapshot(int index);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildToolBar();
    void runWrite(int op);
    /// After a failed add or copy: the record shown before, as it was.
    void recoverRecord();
    /// Drops every pending change of the window's datasets.
    void cancelDatasets();
    /// Writes what the user typed into the focused editor (a line edit keeps
    /// it until it loses the focus, which a tool-bar click does not take).
    void commitEntry();
    void applyParams();
    void wireFields(TOrvDataSet &dataSet);
    QString keyAfterDelete(const QString &deleted);
    void openFallbackRecord();
    void saveDataset(int index);
    void deleteDataset(int index);
    void fillEmptyValues(TOrvDataSet &dataSet, bool skipRelations);
    QString fieldLabel(const TZDataField &field) const;
    void loadReferencingFields();
    bool confirmClose();
    void checkRelated(const TZDataField &field, const QString &value);
    /// The field definition an editor is bound to, or null.
    TZField *fieldOfEditor(const QWidget *editor) const;
    /// The editor a selection is for: the one double-clicked, else the
    /// focused one.
    QWidget *activeEditor() const;

    QString m_progID;
    std::shared_ptr<TZDataSource> m_source;
    std::vector<std::unique_ptr<TOrvDataSet>> m_datasets;
    std::vector<std::unique_ptr<TOrvDataSet>> m_snapshots;
    QString m_keyFieldName;
    QString m_currKeyValue;
    int m_frmState = fsNoRecord;
    bool m_saving = false;
    int m_quiet = 0;            ///< the window is filling values itself: no field validation
    bool m_keyVerified = false; ///< the new key was found free in this save's transaction
    bool m_initialised = false;
    bool m_selecting = false;
    bool m_referencingLoaded = false;
    std::vector<const TZField *> m_referencingFields;
    std::vector<std::shared_ptr<TZDataSource>> m_referencingSources;
    TFormParams m_params;
    QPointer<QWidget> m_activeEditor;
    TOrvDataSet *m_selectTarget = nullptr; ///< the dataset a chosen key goes to
    QToolBar *m_toolBar = nullptr;
    QLabel *m_status = nullptr;
    QString m_powerCode;
    int m_fullToolBarWidth = 0; ///< the tool bar's width with captions
};
