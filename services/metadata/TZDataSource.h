#pragma once

#include "common/ZCodeRule.h"
#include "data/TZClientDataSet.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TZDataset.h"
#include "metadata/ZDSProperties.h"
#include "metadata/ZPowers.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class TZDataField;

/// The data-level restriction modules (index 1..6) and their tables.
extern const std::array<const char *, 7> AdvProgIDs;
extern const std::array<const char *, 7> AdvTables;

/// A module: its definition file read into datasets, tables and fields, the
/// key and name lists of drop-downs, the list dataset of look-up controls,
/// and the statements built from them. Obtained only through GetDataSource or
/// GetDataSourcePtr; its datasets, tables and fields live as long as it does
/// (see ZDataSources.h for who keeps it alive).
class TZDataSource
{
public:
    /// Builds the module `name` from DBSource/<name>.dbs; `notRls` leaves out
    /// the relation fields and joins (the form used to read a related module).
    TZDataSource(const QString &name, bool notRls);
    ~TZDataSource();
    TZDataSource(const TZDataSource &) = delete;
    TZDataSource &operator=(const TZDataSource &) = delete;

    QString Name;
    TZMemIniFile File;
    QString Propertys;
    QString DisplayName;
    QString MasterKey;
    QString SubKey;
    TCodeRule CodeRule = vtMaxID;
    bool CheckInUsed = false;
    bool AutoSaveNewDataRemind = false;
    int FuncType = 0;
    bool IsReport = false;
    int MenuIndex = 0;
    bool MenuItemHide = false;
    QString SysID;
    QString Module;
    QString FormClassName;
    QString ListFormClassName;
    QString ListFieldNames;
    QString Powers;
    TPowerItems PowerItems = 0;
    QString DateField;
    QString LastUpdateUser;
    QString MasterTableName;
    std::vector<std::unique_ptr<TZDataset>> Datasets;
    bool NotRls = false;
    bool InProgramFolder = true;
    bool NeedReGetLookUp = false;
    std::array<QString, 7> AdvFieldName; ///< index 1..6

    int DatasetCount() const { return int(Datasets.size()); }
    QString GetDatasetName(int i) const;
    /// The dataset of that name (the last when names repeat); raises
    /// "[<caption>]中没有找到数据集定义[<name>]".
    TZDataset &GetZDataset(const QString &name) const;
    /// The first table of that name; raises "没有找到定义表:<name>".
    TZTable &GetZTable(const QString &name) const;
    /// The first field of that name or alias, in dataset order; null when none.
    TZField *GetZField(const QString &name) const;
    /// The definition of a field of a dataset: dataset `datasetIndex` (0 when
    /// negative or out of range), then the field name.
    TZField *GetZField(const TZDataField &field, int datasetIndex = 0) const;
    QString PropValueByName(const QString &name) const;
    /// The Flag of the master table (0 when there is none).
    int MasterTableFlag() const;

    // --- key and name lists ---
    QStringList GetIDList();
    QStringList GetIDNameList();
    QStringList GetNameList();
    QStringList SubIDList(const QString &where);
    QStringList SubIDNameList(const QString &where);
    QStringList SubNameList(const QString &where);
    QString GetIDByIDName(const QString &text);
    QString GetIDNameByID(const QString &id);
    QString GetIDByName(const QString &name);
    QString GetNameByID(const QString &id);
    QString GetNameByIDName(const QString &text);
    void ReGetDataList(const QString &where = QString());
    void ReFreshDataList();
    /// The list a drop-down shows, by IDNameShowStyle: 1 key-name texts, 2
    /// keys, anything else names.
    QStringList GetComboboxList();
    QStringList SubComboboxList(const QString &where);

    // --- list dataset ---
    /// The list dataset of look-up controls, opened when forced, closed or
    /// flagged.
    TZClientDataSet &GetListSource(bool forceReload = false);
    /// The text of a list dataset field (installed on every field).
    QString ListFieldGetText(const TZDataField &field) const;
    /// Filters the list dataset: each "[name]" takes that field's value of
    /// `dataSet` (quoted texts, plain integers, display text otherwise).
    void SetListDataFilter(const QString &filter, TZClientDataSet *dataSet);
    void SetNeedReGetLookUpListData(bool flag);

    // --- permissions and switches ---
    void SetFieldPowers();
    void ReLoadData() { SetFieldPowers(); }
    bool HaveOrgID() const;
    bool IsUseHasCheck() const { return true; }
    TPowerItems GetPowers(const QString &text) const { return GetPowerItemsByNames(text); }

    // --- statements ---
    // Those of dataset i (raising "[<caption>]中没有找到数据集定义[<i>]" when
    // there is none); the switches travel as values (see TZDataset).
    QString GetDataSetSQL(int i, const TZSqlSwitches &switches) const;
    QString GetDataSetSQL(int i, bool joinRelations) const;
    QString GetDataSetSQLEx(int i, bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                            bool distinct) const;
    QString GetEmptyBillSQL(int i, bool joinRelations) const;
    QString GetOneBillSQL(int i, const QString &key, bool joinRelations);
    QString GetSelectListWhere() const;
    bool NeedAdvPower(int i) const;
    bool IsAdvBaseProgID() const;
    void InitAdvFields(TZDataset &dataset);
    QString GetAdvInnerJoinSql(int i, bool self) const;
    QString GetSelfAdvInnerJoinSql() const;
    QString GetAllAdvInnerJoinSql() const;
    QString GetMasterTableFlagWhere(bool withAlias) const;
    QString GetFirstKeyValue(const QString &where = QString());
    QString GetLastKeyValue(const QString &where = QString());
    QString GetNextKeyValue(const QString &current, const QString &where = QString());
    QString GetPriorKeyValue(const QString &current, const QString &where = QString());

private:
    void ensureLists(const QString &where);
    QString navigate(bool max, const QString &comparison, const QString &current, const QString &where);

    // Parallel lists in key order, with look-ups by text.
    QStringList m_ids;
    QStringList m_idNames;
    QStringList m_names;
    QHash<QString, int> m_byID;
    QHash<QString, int> m_byIDName;
    QHash<QString, int> m_byName;
    bool m_listsLoaded = false;
    bool m_reloadPending = false;
    std::unique_ptr<TZClientDataSet> m_listData;
};
