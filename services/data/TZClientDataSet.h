#pragma once

#include "data/TZDataField.h"
#include "data/TZRowStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TZDataFilter;
class TZDbConnection;
class TZDbStatement;

enum TZDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

/// A bookmark: a row of a dataset, valid for the dataset and its clones while
/// the row lives.
using TZBookmark = std::weak_ptr<TZRowData>;

/// A change of the rows a cursor shows, told to that cursor's listeners in
/// the positions of its own view (after its filter and sort). Every change
/// comes as a pair: AboutTo… before the view changes, then the change done.
struct TZRowEvent
{
    enum Kind {
        AboutToInsert, ///< a row will appear at `row`
        Inserted,
        AboutToRemove, ///< the row at `row` will go
        Removed,
        Changed,     ///< the values of the row at `row` changed (no pair)
        AboutToMove, ///< the row at `row` will move to `to` (its position afterwards)
        Moved,
        AboutToReset, ///< the whole view will change (open, close, filter, sort)
        Reset,
        CurrentChanged, ///< the current row may be another (`row`): after moving, inserting, posting, cancelling,
                        ///< deleting
        Destroyed,      ///< the dataset is being destroyed: let go of it (its last word)
        FieldChanged    ///< a field of the row being edited or inserted took a value (`row`: the current row, -1
                        ///< for a new row not yet shown); told to this cursor only
    };
    Kind kind;
    int row = -1;
    int to = -1;
};

/// The in-memory dataset of the system: typed columns, rows of values, a
/// cursor with browse, edit and insert states, filter and sort, clones that
/// share the rows, the original values of changed rows and the write-back of
/// all changes to the base table (UpdateBatch).
///
/// Every window's data and every statement result lives in one. Rows are
/// shared with clones (CloneCursor): a change made through one is seen by all.
class TZClientDataSet
{
public:
    TZClientDataSet();
    virtual ~TZClientDataSet();
    TZClientDataSet(const TZClientDataSet &) = delete;
    TZClientDataSet &operator=(const TZClientDataSet &) = delete;

    // --- structure ---

    /// Opens an empty dataset of the given columns, kept in memory only.
    void CreateDataSet(const QList<TZColumnInfo> &columns);

    /// Reads every row of a prepared statement into a new set of rows. The
    /// statement text names the base table (the first table after from) that
    /// UpdateBatch writes to through the connection. With `firstColumnIsRowId`
    /// the statement's first column is the row identity of the base table
    /// (ZStatementWithRowId): kept with each row, not shown as a field.
    void LoadFromStatement(TZDbStatement &statement, TZDbConnection *connection, const QString &statementText,
                           bool firstColumnIsRowId = false);

    /// Opens the given rows in memory (the XML form reads datasets this way).
    void LoadRows(const QList<TZColumnInfo> &columns, std::vector<TZRowPtr> rows, std::vector<TZRowPtr> deleted,
                  const QString &baseTable);

    /// Shares the rows of another open dataset, with a cursor of its own.
    void CloneCursor(TZClientDataSet &source);

    void Close();
    bool Active() const { return m_state != dsInactive; }
    TZDataSetState State() const { return m_state; }

    int FieldCount() const { return int(m_fields.size()); }
    TZDataField &Fields(int index) { return *m_fields.at(std::size_t(index)); }
    TZDataField *FindField(const QString &name);
    /// The field of that name (ignoring case); raises EZError
    /// "数据集中不存在字段 %s" when there is none.
    TZDataField &FieldByName(const QString &name);
    QStringList FieldNames() const;
    const TZColumnInfo &columnInfo(int index) const { return m_store->columns.at(index); }

    TZDbConnection *Connection() const { return m_store ? m_store->connection : nullptr; }
    QString CommandText() const { return m_store ? m_store->statement : QString(); }
    QString BaseTable() const { return m_store ? m_store->baseTable : QString(); }

    // --- navigation ---

    int RecordCount();
    /// 1-based number of the current row; 0 when there is none.
    int RecNo();
    void SetRecNo(int recNo);
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveBy(int distance);
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty();

    /// Moves to the first row whose fields (separated by ";" or ",") equal the
    /// values; with `caseInsensitive` texts compare ignoring case, with
    /// `partial` a text field matches when it starts with the value.
    bool Locate(const QString &fieldNames, const QVariantList &values, bool caseInsensitive = false,
                bool partial = false);

    TZBookmark GetBookmark();
    bool GotoBookmark(const TZBookmark &bookmark);

    // --- editing ---

    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    /// Posts a pending edit or insert.
    void CheckBrowseMode();

    // --- filter and sort ---

    /// A filter text: comparisons of fields and values joined by and, or and
    /// not ("ParentRowNo = 3", "UseForFilter like '%x%'", "A is null").
    /// Raises EZError for a text that does not parse.
    void SetFilter(const QString &filter);
    QString Filter() const { return m_filterText; }
    void SetFiltered(bool filtered);
    bool Filtered() const { return m_filtered; }
    /// A filter in code, applied with the filter text while Filtered: a row
    /// shows when the function returns true; while it runs the fields read
    /// that row. Setting it (or RefreshFilter, after what it tests changed)
    /// rebuilds the view without reading the database.
    void SetFilterFunction(std::function<bool(TZClientDataSet &)> filter);
    void RefreshFilter();

    /// Sorts by fields separated by ";" or "," ("BillNo;RowNo", "Amount DESC");
    /// an empty text keeps the natural order.
    void SetIndexFieldNames(const QString &fields);
    QString IndexFieldNames() const { return m_indexFieldNames; }

    // --- changes ---

    /// Rows inserted, modified or deleted since loading or the last write.
    int ChangeCount() const;
    /// Writes every pending change to the base table inside one transaction:
    /// deletes, updates of the changed columns, inserts. Rows are located by
    /// the table's key; without one by SQLite's row identity when the rows
    /// came from that table alone, else by all their exact original values
    /// (texts byte for byte, numbers unrounded). A
    /// write that touches no row raises an EZError and rolls everything back;
    /// the changes stay pending. Columns of joined tables are never written.
    void UpdateBatch();
    /// Drops every pending change, restoring the original values.
    void CancelBatch();
    /// Accepts every pending change as the new original state, writing nothing.
    void MergeChangeLog();

    // --- events ---

    std::function<void(TZClientDataSet &)> BeforeInsert, AfterInsert, OnNewRecord;
    std::function<void(TZClientDataSet &)> BeforeEdit, AfterEdit;
    std::function<void(TZClientDataSet &)> BeforePost, AfterPost;
    std::function<void(TZClientDataSet &)> BeforeCancel, AfterCancel;
    std::function<void(TZClientDataSet &)> BeforeDelete, AfterDelete;
    std::function<void(TZClientDataSet &)> BeforeScroll, AfterScroll;
    std::function<void(TZClientDataSet &)> AfterOpen, BeforeClose;

    /// Listeners told of every change of this cursor's rows, made through
    /// this dataset or a clone (grid models keep their views current this
    /// way). Returns a token for RemoveRowListener.
    int AddRowListener(std::function<void(const TZRowEvent &)> listener);
    void RemoveRowListener(int token) { RemoveDataChangedListener(token); }
    /// A listener called after every change of rows or values, without the
    /// detail; its token is removed with either remover.
    int AddDataChangedListener(std::function<void()> listener);
    void RemoveDataChangedListener(int token);

    /// While controls are disabled listeners hear nothing; enabling them
    /// again tells a reset when anything changed meanwhile.
    void DisableControls() { ++m_controlsDisabled; }
    void EnableControls();
    bool ControlsDisabled() const { return m_controlsDisabled > 0; }

    // --- access for fields, models and writers ---

    QVariant currentValue(int column) const;
    void setCurrentValue(TZDataField &field, const QVariant &value);
    QVariant oldValue(int column) const;
    /// The rows the cursor walks (after filter and sort).
    const std::vector<TZRowData *> &visibleRows();
    /// The index of the current row in visibleRows(); -1 when none.
    int currentIndex();
    /// The text a field shows for any row of visibleRows(): its OnGetText
    /// runs with that row as the record its fields read.
    QString displayText(int viewIndex, int column);
    std::shared_ptr<TZRowStore> store() const { return m_store; }

    // The steps of opening, inserting, posting and deleting that wrappers
    // extend; the base runs the event of the same name.
    virtual void doAfterOpen();
    virtual void doNewRecord();
    virtual void doAfterInsert();
    virtual void doAfterPost();
    virtual void doAfterDelete();

private:
    void attach(std::shared_ptr<TZRowStore> store);
    void detach();
    void rebuildFields();
    void setCurrent(int index);
    void scrollTo(int index);
    void checkActive() const;
    TZRowPtr sharedRow(const TZRowData *row) const;
    void beginInsert(bool beforeCurrent);

    // The view (TZClientDataSetView.cpp): kept current on every change of
    // the shared rows, for every cursor, with its events.
    void ensureView();
    void rebuildView();
    void refreshView();
    QList<QPair<int, bool>> sortOf(const QString &fields);
    bool passesFilter(const TZRowData &row) const;
    bool lessBySort(const TZRowData *a, const TZRowData *b) const;
    int placeFor(const TZRowData *row) const;
    int viewIndexOf(const TZRowData *row) const;
    int rowAdded(TZRowData *row);
    void rowRemoved(TZRowData *row);
    void rowEdited(TZRowData *row, const QVector<QVariant> &before);
    void emitRow(TZRowEvent::Kind kind, int row = -1, int to = -1);

    /// Tells AboutToReset now and Reset when it goes, also when the work in
    /// between fails, so views never stay inside a reset.
    class TResetScope
    {
    public:
        explicit TResetScope(TZClientDataSet &dataSet);
        ~TResetScope();
        TResetScope(const TResetScope &) = delete;
        TResetScope &operator=(const TResetScope &) = delete;

    private:
        TZClientDataSet &m_dataSet;
    };
    void forEachCursor(const std::function<void(TZClientDataSet &)> &change);

    std::shared_ptr<TZRowStore> m_store;
    std::vector<std::unique_ptr<TZDataField>> m_fields;
    std::vector<TZRowData *> m_view;
    quint64 m_viewVersion = ~quint64(0);
    TZRowData *m_currentRow = nullptr;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    TZDataSetState m_state = dsInactive;
    QVector<QVariant> m_buffer; // edit buffer
    int m_insertAt = -1;        // view index a new row goes before (Insert); -1 appends
    QString m_filterText;
    std::unique_ptr<TZDataFilter> m_filter;
    bool m_filtered = false;
    QString m_indexFieldNames;
    QList<QPair<int, bool>> m_sort;       // column, descending
    mutable const TZRowData *m_readRow = nullptr; // the row fields read for displayText and the filter function
    std::function<bool(TZClientDataSet &)> m_filterFunction;
    int m_controlsDisabled = 0;
    bool m_changedWhileDisabled = false;
    std::vector<std::pair<int, std::function<void(const TZRowEvent &)>>> m_listeners;
    int m_nextListener = 1;
};

/// The names of a field list separated by ";" or "," ("BillNo;RowNo"), each
/// trimmed, blanks left out.
QStringList ZFieldNameList(const QString &fields);

/// Compares two values of a kind: nulls first, numbers as numbers, dates as
/// dates, texts as texts (ignoring case when told). Negative, 0 or positive.
int ZCompareValues(const QVariant &a, const QVariant &b, TZFieldType kind, bool caseInsensitive = false);
