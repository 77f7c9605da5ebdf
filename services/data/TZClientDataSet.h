#pragma once

#include "data/TZDataField.h"
#include "data/TZRowStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
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
        FieldChanged,   ///< a field of the row being edited or inserted took a value (`row`: the current row, -1
                        ///< for a new row not yet shown); told to this cursor only
        Fetched         ///< rows read in pieces: the last piece came (or reading stopped); no pair
    };
    Kind kind;
    int row = -1;
    int to = -1;
    /// Insert events: the rows that appear from `row` on (a piece of rows
    /// read in pieces comes as one pair).
    int count = 1;
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

    // --- reading in pieces (TZClientDataSetFetch.cpp) ---

    /// The rows a list reads before its first screen shows.
    static constexpr int kFirstPieceRows = 100;

    /// Opens a prepared statement like LoadFromStatement, but reads only its
    /// first `firstRows` rows now; the rest follow in pieces of a few
    /// milliseconds from the event loop of this thread, each piece told to
    /// the listeners as one insertion at the end of the view. The statement
    /// stays open on its connection meanwhile and is let go when the last
    /// row is read, when the dataset closes, is opened again or destroyed,
    /// and when the connection closes (the rows read stay). Whatever needs
    /// every row reads the rest first (FetchAll): a sort, a filter text,
    /// Last, Locate of a row not read yet, moving past the last row read,
    /// editing, UpdateBatch, the XML form. RecordCount counts the rows read
    /// so far. A statement that fails in a later piece keeps the rows read,
    /// ends the reading and shows its error (ZGuard) or, in FetchAll, raises
    /// it. A dataset with index fields, or without an application object,
    /// reads every row at once. When every row came with the first piece,
    /// Fetching() is false on return and no Fetched is told.
    void LoadInPieces(std::unique_ptr<TZDbStatement> statement, TZDbConnection *connection,
                      const QString &statementText, bool firstColumnIsRowId = false,
                      int firstRows = kFirstPieceRows);
    /// True while rows are still to come.
    bool Fetching() const;
    /// Reads every row still to come, now. Raises the statement's error
    /// when a piece fails (the rows read stay).
    void FetchAll();
    /// The error that stopped the last reading in pieces; empty when none.
    QString FetchError() const { return m_fetchError; }

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
    /// Shows the view anew after what the row filter tests changed, without
    /// reading the database.
    void RefreshFilter();

    /// Sorts by fields separated by ";" or "," ("BillNo;RowNo", "Amount DESC");
    /// an empty text keeps the natural order.
    void SetIndexFieldNames(const QString &fields);
    QString IndexFieldNames() const { return m_indexFieldNames; }

    // Filters on the rows in memory (TZClientDataSetKeyword.cpp). They never
    // read the database, apply whatever Filtered says, on top of the filter
    // text, and do not wait for rows still coming in pieces: those are
    // checked as they arrive. Setting one shows the view anew (a reset).

    /// Shows only the rows in whose display text of at least one of `fields`
    /// (every field but blobs when empty; names the dataset lacks are left
    /// out) `keyword` is contained. An empty keyword shows every row.
    void SetKeywordFilter(const QString &keyword, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive,
                          const QStringList &fields = {});
    QString KeywordFilter() const { return m_keyword; }
    /// A test of rows by the program (a list's ticked values); null shows
    /// every row. It may read RowText.
    using TZRowFilter = std::function<bool(TZClientDataSet &dataSet, const TZRowData &row)>;
    void SetRowFilter(TZRowFilter filter);
    bool HasRowFilter() const { return bool(m_rowFilter); }
    /// The text a field shows for any row of the dataset's rows (its
    /// OnGetText runs with that row as the record its fields read). A row
    /// still kept compact stays so.
    QString RowText(const TZRowData &row, int column) const;

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
    /// Rows read in pieces: every row is read (or reading stopped); runs for
    /// every cursor of the rows.
    std::function<void(TZClientDataSet &)> AfterFetch;

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
    virtual void doAfterFetch();

private:
    void attach(std::shared_ptr<TZRowStore> store);
    void detach();
    void rebuildFields();
    void setCurrent(int index);
    void scrollTo(int index);
    void checkActive() const;
    TZRowPtr sharedRow(const TZRowData *row) const;
    void beginInsert(bool beforeCurrent);
    static std::shared_ptr<TZRowStore> newStore(TZDbStatement &statement, TZDbConnection *connection,
                                                const QString &statementText, bool firstColumnIsRowId,
                                                bool &hasRow);

    // Reading in pieces (TZClientDataSetFetch.cpp).
    static void readPiece(const std::shared_ptr<TZRowStore> &store, int maxRows, std::chrono::nanoseconds budget);
    static void schedulePiece(const std::shared_ptr<TZRowStore> &store);
    static void endFetch(const std::shared_ptr<TZRowStore> &store, const QString &error);
    void takeNewRows();
    /// Reads pieces until the view holds `rows` rows or every row is read.
    void fetchUntil(int rows);

    // The view (TZClientDataSetView.cpp): kept current on every change of
    // the shared rows, for every cursor, with its events.
    void ensureView();
    void rebuildView();
    void refreshView();
    QList<QPair<int, bool>> sortOf(const QString &fields);
    bool passesFilter(const TZRowData &row) const;
    bool keywordMatches(const TZRowData &row) const;
    QString textOf(const TZRowData &row, const QVector<QVariant> &values, int column) const;
    void findKeywordColumns();
    bool lessBySort(const TZRowData *a, const TZRowData *b) const;
    int placeFor(const TZRowData *row) const;
    int viewIndexOf(const TZRowData *row) const;
    int rowAdded(TZRowData *row);
    void rowRemoved(TZRowData *row);
    void rowEdited(TZRowData *row, const QVector<QVariant> &before);
    void emitRow(TZRowEvent::Kind kind, int row = -1, int to = -1, int count = 1);

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
    std::size_t m_taken = 0; // the store's rows the view has looked at (the rest came in a piece since)
    QString m_fetchError;
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
    mutable const TZRowData *m_readRow = nullptr;              // the row fields read for displayText
    mutable const QVector<QVariant> *m_readValues = nullptr; // its values when not kept in the row
    QString m_keyword;
    Qt::CaseSensitivity m_keywordCase = Qt::CaseSensitive;
    QStringList m_keywordFields;
    std::vector<int> m_keywordColumns;
    TZRowFilter m_rowFilter;
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
