#include "TOrvDataSet.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDbValues.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZLinkageCtrl.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZFieldDisplay.h"

namespace {

int fieldIndex(TZClientDataSet &ds, const char *name)
{
    const TZDataField *field = ds.FindField(QLatin1String(name));
    return field ? field->Index() : -1;
}

// The highest integer of a column over all rows of a clone (filter off
// unless `keepFilter`).
int highest(TZClientDataSet &source, int column, bool keepFilter)
{
    TZClientDataSet clone;
    clone.CloneCursor(source);
    if (keepFilter && source.Filtered()) {
        clone.SetFilter(source.Filter());
        clone.SetFiltered(true);
    }
    int best = 0;
    for (const TZRowData *row : clone.visibleRows())
        best = std::max(best, ZInt(row->values().at(column)));
    return best;
}

} // namespace

QVariant GetDefaultValue(const TZField &field)
{
    if (field.FieldName.compare(QLatin1String("Flag"), Qt::CaseInsensitive) == 0)
        return field.Owner ? field.Owner->Flag : 0;
    const QString d = ZTrim(field.DefaultValue);
    if (d.isEmpty())
        return {};
    switch (field.FieldType) {
    case ftZBlob:
    case ftZMemo:
        return d;
    case ftZString:
        if (d.startsWith(QLatin1Char('[')) && d.endsWith(QLatin1Char(']')))
            return GetParamValue(d.mid(1, d.size() - 2));
        return d;
    case ftZDate:
        if (d.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
            return ZNumberToDateTime(1);
        return ZDbValueToDateTime(d);
    case ftZTime:
        return ZDbValueToDateTime(QStringLiteral("1899-12-30 ") + d);
    case ftZBoolean:
        return d == QLatin1String("1") || d.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    default:
        return TryStrToFloatEx(d, 0);
    }
}

QVariant GetDefaultValue(TOrvDataSet &dataSet, const TZDataField &field)
{
    const TZDataSource &source = *dataSet.DataSource();
    if (dataSet.ProgDSIndex < 0 || dataSet.ProgDSIndex >= source.DatasetCount())
        throw EZError(QStringLiteral("OrvDataset: %1 的ProgDSIndex设置有误，请确认！").arg(dataSet.Name));
    const TZField *definition = source.Datasets.at(std::size_t(dataSet.ProgDSIndex))->GetZField(field.FieldName());
    return definition ? GetDefaultValue(*definition) : QVariant();
}

std::shared_ptr<TZDataSource> TOrvDataSet::DataSource() const
{
    if (!m_source || m_source->Name.compare(ZTrim(ProgID), Qt::CaseInsensitive) != 0)
        m_source = GetDataSourcePtr(ProgID);
    return m_source;
}

TZField *TOrvDataSet::ZFieldOf(const TZDataField &field) const
{
    if (ZIsBlank(ProgID) || ProgDSIndex < 0)
        return nullptr;
    const TZDataSource &source = *DataSource();
    if (ProgDSIndex >= source.DatasetCount())
        return nullptr;
    return source.Datasets.at(std::size_t(ProgDSIndex))->GetZField(field.FieldName());
}

void TOrvDataSet::installFieldTexts()
{
    if (ZIsBlank(ProgID))
        return;
    for (int i = 0; i < FieldCount(); ++i) {
        TZDataField &field = Fields(i);
        const TZField *definition = ZFieldOf(field);
        if (!definition)
            continue;
        if (field.DisplayLabel.isEmpty())
            field.DisplayLabel = definition->DisplayName;
        // Each handler holds the data source of its definition: a handler may
        // outlive this dataset's hold (a clone's field, a reload, a new open).
        field.OnGetText = [source = m_source, definition](const TZDataField &f) {
            return ZFieldDisplayText(definition, f);
        };
        field.OnSetText = [source = m_source, definition](TZDataField &f, const QString &text) {
            f.SetValue(ZFieldEntryValue(definition, f, text));
        };
    }
}

void TOrvDataSet::doAfterOpen()
{
    countRowNumbers();
    m_source.reset(); // opening reads the definitions of the cache's current data source
    installFieldTexts();
    TZClientDataSet::doAfterOpen();
}

void TOrvDataSet::doAfterFetch()
{
    countRowNumbers(); // over every row, now that all are read
    TZClientDataSet::doAfterFetch();
}

void TOrvDataSet::countRowNumbers()
{
    m_maxRowNo = 0;
    m_nextRowNo = 1;
    m_nextSerNo = 1;
    m_rowNo = fieldIndex(*this, "RowNo");
    m_serNo = fieldIndex(*this, "SerNo");
    if (m_rowNo >= 0 && !store()->rows.empty()) {
        m_maxRowNo = highest(*this, m_rowNo, false);
        if (m_serNo >= 0)
            m_nextSerNo = highest(*this, m_serNo, false) + 1;
    }
    m_nextRowNo = m_maxRowNo + 1;
}

void TOrvDataSet::doNewRecord()
{
    if (!m_inNewRecord) {
        m_inNewRecord = true;
        const int parentRowNo = fieldIndex(*this, "ParentRowNO");
        if (m_parent && m_parent->HaveRowNo() && parentRowNo >= 0)
            Fields(parentRowNo).SetValue(m_parent->Fields(m_parent->m_rowNo).Value());
        if (m_rowNo >= 0)
            Fields(m_rowNo).SetAsInteger(m_nextRowNo);
        if (m_serNo >= 0)
            Fields(m_serNo).SetAsInteger(m_nextSerNo);
        m_inNewRecord = false;
    }
    TZClientDataSet::doNewRecord();
}

void TOrvDataSet::doAfterInsert()
{
    SetDefaultValues();
    TZClientDataSet::doAfterInsert();
}

void TOrvDataSet::doAfterPost()
{
    TZClientDataSet::doAfterPost();
    GetNewSerNo();
    GetNewRowNo();
    if (m_linkage)
        m_linkage->AfterPost(*this);
}

void TOrvDataSet::doAfterDelete()
{
    TZClientDataSet::doAfterDelete();
    ResetSerNo();
    GetNewSerNo();
    GetNewRowNo();
    if (m_linkage)
        m_linkage->AfterDelete(*this);
}

void TOrvDataSet::GetNewRowNo()
{
    m_nextRowNo = m_maxRowNo + 1;
    if (m_rowNo >= 0)
        m_nextRowNo = std::max(m_nextRowNo, highest(*this, m_rowNo, false) + 1);
}

void TOrvDataSet::GetNewSerNo()
{
    m_nextSerNo = 1;
    if (m_serNo >= 0)
        m_nextSerNo = std::max(m_nextSerNo, highest(*this, m_serNo, true) + 1);
}

void TOrvDataSet::ResetSerNo()
{
    if (m_serNo < 0)
        return;
    TZClientDataSet clone;
    clone.CloneCursor(*this);
    const int parent = fieldIndex(*this, "ParentRowNo");
    if (parent >= 0)
        clone.SetIndexFieldNames(QStringLiteral("ParentRowNo"));
    int number = 0;
    QVariant group;
    bool first = true;
    for (clone.First(); !clone.Eof(); clone.Next()) {
        const QVariant current = parent >= 0 ? clone.Fields(parent).Value() : QVariant();
        if (first || current != group) {
            number = 0;
            group = current;
            first = false;
        }
        ++number;
        if (clone.Fields(m_serNo).AsInteger() != number || clone.Fields(m_serNo).IsNull()) {
            clone.Edit();
            clone.Fields(m_serNo).SetAsInteger(number);
            clone.Post();
        }
    }
}

void TOrvDataSet::SetDefaultValues()
{
    if (ProgDesignMode || ZIsBlank(ProgID) || ProgDSIndex < 0)
        return;
    const TZDataSource &source = *DataSource();
    if (ProgDSIndex >= source.DatasetCount())
        throw EZError(QStringLiteral("OrvDataset: %1 的ProgDSIndex设置有误，请确认！").arg(Name));
    TZDataset &dataset = *source.Datasets.at(std::size_t(ProgDSIndex));
    for (int i = 0; i < FieldCount(); ++i) {
        TZDataField &field = Fields(i);
        const TZField *definition = dataset.GetZField(field.FieldName());
        if (!definition || field.ReadOnly)
            continue;
        QVariant value = GetDefaultValue(*definition);
        if (value.isNull()) {
            if (!field.IsNull())
                continue;
            switch (field.DataType()) {
            case ftZString:
            case ftZBlob:
            case ftZMemo:
                value = QString();
                break;
            case ftZDate:
                value = QDateTime(DBConn().DBGetServerDate(), QTime(0, 0));
                break;
            case ftZTime:
                value = QDateTime(QDate(1899, 12, 30), DBConn().DBGetServerTime());
                break;
            case ftZBoolean:
                value = false;
                break;
            default:
                value = 0;
                break;
            }
        }
        field.SetValue(value);
    }
}

void TOrvDataSet::SetFiltered(bool filtered)
{
    TZClientDataSet::SetFiltered(filtered);
    GetNewSerNo();
}
