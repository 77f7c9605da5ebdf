#pragma once

#include "data/TZClientDataSet.h"

#include <QString>
#include <QVariant>

#include <memory>

class TZField;
class TZDataSource;
class TZLinkageCtrl;

/// The dataset of every editable grid and record: a client dataset that
/// knows its module (ProgID) and which of the module's datasets it shows
/// (ProgDSIndex). It numbers detail rows (RowNo, SerNo, ParentRowNo), fills
/// the default values of new rows from the definitions, links a detail row to
/// its master row, shows and takes field texts by the definitions' rules, and
/// tells an amount-linkage component about posts and deletes.
///
/// The design-time preview of the form designer has no counterpart here:
/// ProgDesignMode is only stored.
class TOrvDataSet : public TZClientDataSet
{
public:
    TOrvDataSet() = default;

    QString Name; ///< the dataset's name, used in messages
    QString ProgID;
    int ProgDSIndex = 0;
    bool ProgDesignMode = false;
    bool ProgUseForFilter = false;
    bool ProgContainHideField = true;

    void SetZLinkageCtrl(TZLinkageCtrl *ctrl) { m_linkage = ctrl; }
    TZLinkageCtrl *ZLinkageCtrl() const { return m_linkage; }
    void SetParentDataSet(TOrvDataSet *parent) { m_parent = parent; }
    TOrvDataSet *ParentDataSet() const { return m_parent; }

    bool HaveRowNo() const { return m_rowNo >= 0; }
    bool HaveSerNo() const { return m_serNo >= 0; }
    int NextRowNo() const { return m_nextRowNo; }
    int NextSerNo() const { return m_nextSerNo; }
    int MaxRowNo() const { return m_maxRowNo; }

    /// NextRowNo = one above the highest RowNo ever seen since opening.
    void GetNewRowNo();
    /// NextSerNo = one above the highest SerNo of the rows the filter shows.
    void GetNewSerNo();
    /// Numbers SerNo 1, 2, 3 … again, restarting for each ParentRowNo.
    void ResetSerNo();
    /// Fills the default values of the current (new) row.
    void SetDefaultValues();
    /// Sets the filter switch and recomputes NextSerNo.
    void SetFiltered(bool filtered);

    /// The data source of ProgID, held by this dataset from its first use
    /// until it is opened again or ProgID changes: the definitions its fields
    /// show through stay valid across a reload of the cache, and the next
    /// opening takes the cache's current one. Raises for a blank or unknown
    /// ProgID.
    std::shared_ptr<TZDataSource> DataSource() const;
    /// The definition of a field of this dataset, or null; valid while the
    /// dataset holds its data source.
    TZField *ZFieldOf(const TZDataField &field) const;

protected:
    void doAfterOpen() override;
    void doNewRecord() override;
    void doAfterInsert() override;
    void doAfterPost() override;
    void doAfterDelete() override;
    void doAfterFetch() override;

private:
    void countRowNumbers();
    void installFieldTexts();

    mutable std::shared_ptr<TZDataSource> m_source;
    TZLinkageCtrl *m_linkage = nullptr;
    TOrvDataSet *m_parent = nullptr;
    int m_rowNo = -1;
    int m_serNo = -1;
    int m_maxRowNo = 0;
    int m_nextRowNo = 1;
    int m_nextSerNo = 1;
    bool m_inNewRecord = false;
};

/// The default value of a definition field: the table's Flag for a field
/// Flag; else its DefaultValue by kind (a "[Name]" text default is that
/// system parameter's value; a date "NULL" is the date-time number 1); a null
/// QVariant when there is none.
QVariant GetDefaultValue(const TZField &field);

/// The same for a dataset field of a TOrvDataSet; raises
/// "OrvDataset: %s 的ProgDSIndex设置有误，请确认！" when its ProgDSIndex names no
/// dataset of the module.
QVariant GetDefaultValue(TOrvDataSet &dataSet, const TZDataField &field);
