// Moving the cursor of a client dataset: record numbers, first, last, next,
// prior, locating rows by values and bookmarks.

#include "TZClientDataSet.h"

#include "common/ZErrors.h"

#include <algorithm>

int TZClientDataSet::RecordCount()
{
    // While rows come in pieces: the rows read so far.
    if (!Active())
        return 0;
    ensureView();
    return int(m_view.size());
}

int TZClientDataSet::RecNo()
{
    if (!Active())
        return 0;
    if (m_state == dsInsert)
        return m_insertAt >= 0 ? m_insertAt + 1 : int(m_view.size()) + 1;
    ensureView();
    return m_current + 1;
}

void TZClientDataSet::scrollTo(int index)
{
    if (BeforeScroll)
        BeforeScroll(*this);
    setCurrent(index);
    if (AfterScroll)
        AfterScroll(*this);
    emitRow(TZRowEvent::CurrentChanged, m_current);
}

void TZClientDataSet::SetRecNo(int recNo)
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    fetchUntil(recNo);
    if (recNo >= 1 && recNo <= int(m_view.size())) {
        scrollTo(recNo - 1);
        m_bof = m_eof = false;
    }
}

void TZClientDataSet::First()
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    fetchUntil(1);
    scrollTo(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
}

void TZClientDataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    FetchAll();
    ensureView();
    scrollTo(int(m_view.size()) - 1);
    m_eof = true;
    m_bof = m_view.empty();
}

void TZClientDataSet::Next()
{
    MoveBy(1);
}

void TZClientDataSet::Prior()
{
    MoveBy(-1);
}

void TZClientDataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    fetchUntil(m_current + distance + 1); // past the rows read so far: read on
    if (m_view.empty()) {
        m_bof = m_eof = true;
        return;
    }
    const int target = m_current + distance;
    m_bof = m_eof = false;
    if (target >= int(m_view.size())) {
        if (m_current != int(m_view.size()) - 1)
            scrollTo(int(m_view.size()) - 1);
        m_eof = true;
    } else if (target < 0) {
        if (m_current != 0)
            scrollTo(0);
        m_bof = true;
    } else if (target != m_current) {
        scrollTo(target);
    }
}

bool TZClientDataSet::IsEmpty()
{
    if (Active()) {
        ensureView();
        fetchUntil(1);
    }
    return RecordCount() == 0;
}

bool TZClientDataSet::Locate(const QString &fieldNames, const QVariantList &values, bool caseInsensitive, bool partial)
{
    checkActive();
    CheckBrowseMode();
    const QStringList names = ZFieldNameList(fieldNames);
    QList<int> columns;
    for (const QString &name : names)
        columns << FieldByName(name).Index();
    QVariantList wanted;
    for (int i = 0; i < columns.size(); ++i)
        wanted << ZValueOfKind(values.value(i), m_store->columns.at(columns.at(i)).type);
    ensureView();
    for (int r = 0;; ++r) {
        if (r == int(m_view.size()) && Fetching()) // not among the rows read so far
            FetchAll();
        if (r >= int(m_view.size()))
            break;
        const TZRowData *row = m_view.at(std::size_t(r));
        bool all = true;
        for (int i = 0; i < columns.size() && all; ++i) {
            const int c = columns.at(i);
            const TZFieldType kind = m_store->columns.at(c).type;
            const QVariant &v = row->values().at(c);
            if ((kind == ftZString || kind == ftZMemo) && partial && !v.isNull() && !wanted.at(i).isNull())
                all = v.toString().startsWith(wanted.at(i).toString(),
                                              caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
            else
                all = ZCompareValues(v, wanted.at(i), kind, caseInsensitive) == 0;
        }
        if (all) {
            scrollTo(r);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

TZBookmark TZClientDataSet::GetBookmark()
{
    ensureView();
    return sharedRow(m_currentRow);
}

bool TZClientDataSet::GotoBookmark(const TZBookmark &bookmark)
{
    checkActive();
    CheckBrowseMode();
    const TZRowPtr row = bookmark.lock();
    if (!row)
        return false;
    ensureView();
    const auto found = std::find(m_view.begin(), m_view.end(), row.get());
    if (found == m_view.end())
        return false;
    scrollTo(int(found - m_view.begin()));
    m_bof = m_eof = false;
    return true;
}
