#include "TZDataSource.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "settings/ZSession.h"
#include "common/ZSqlQuote.h"
#include "settings/ZSwitches.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "metadata/TDBSources.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZFieldDisplay.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

const std::array<const char *, 7> AdvProgIDs{
    "", "comProduct", "comCustomer", "comFactory", "comWareHouse", "comDepartment", "comPerson"};
const std::array<const char *, 7> AdvTables{
    "", "comProduct", "comCustomer", "comCustomer", "comWareHouse", "comDepartment", "comPerson"};

namespace {

QString definitionPath(const QString &name)
{
    return GetCurrPath() + QStringLiteral("DBSource/") + name + QStringLiteral(".dbs");
}

// The file of a definition, found ignoring the case of its name.
QString findDefinition(const QString &name)
{
    const QString exact = definitionPath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QString wanted = name + QStringLiteral(".dbs");
    const QDir folder(GetCurrPath() + QStringLiteral("DBSource"));
    for (const QString &file : folder.entryList(QDir::Files)) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(file);
    }
    return {};
}

QString checkedPath(const QString &rawName)
{
    const QString name = ZTrim(rawName);
    if (name.isEmpty())
        throw EZError(QStringLiteral("资源定义创建过程中发生错误：资源定义名称为空"));
    const QString path = findDefinition(name);
    if (path.isEmpty())
        throw EZError(QStringLiteral("资源定义创建过程中发生错误：不存在此资源定义文件：\n") + definitionPath(name));
    return path;
}

} // namespace

TZDataSource::TZDataSource(const QString &name, bool notRls)
    : Name(ZTrim(name)), File(checkedPath(name)), NotRls(notRls), m_listData(std::make_unique<TZClientDataSet>())
{
    Propertys = File.ReadString(kDSDataSourceTag, QStringLiteral("Propertys"), QString());
    const auto read = [this](const char *p) { return PropValueByName(QLatin1String(p)); };
    DisplayName = read("DisplayName");
    MasterKey = read("MasterKey");
    SubKey = read("SubKey");
    CodeRule = GetCodeRule(read("CodeRule"));
    CheckInUsed = ZDSBool(read("CheckInUsed"));
    AutoSaveNewDataRemind = ZDSBool(read("AutoSaveNewDataRemind"));
    FuncType = ZDSInt(read("FuncType"));
    IsReport = FuncType == 1;
    MenuIndex = ZDSInt(read("MenuIndex"));
    MenuItemHide = ZDSBool(read("MenuItemHide"));
    SysID = read("SysID");
    Module = read("Module");
    FormClassName = read("FormClassName");
    ListFormClassName = read("ListFormClassName");
    ListFieldNames = read("ListFieldNames");
    Powers = read("Powers");
    PowerItems = GetPowerItemsByNames(Powers);
    DateField = read("DateField");
    LastUpdateUser = read("LastUpdateUser");

    for (const QString &section : File.ReadSections()) {
        if (!section.startsWith(kDSDatasetTag, Qt::CaseInsensitive))
            continue;
        auto dataset = std::make_unique<TZDataset>(this, File, section,
                                                   File.ReadString(section, QStringLiteral("Dataset"), QString()),
                                                   File.ReadString(section, QStringLiteral("Propertys"), QString()));
        if (dataset->DatasetIndex == 0)
            InitAdvFields(*dataset);
        Datasets.push_back(std::move(dataset));
    }
    std::stable_sort(Datasets.begin(), Datasets.end(),
                     [](const auto &a, const auto &b) { return a->DatasetIndex < b->DatasetIndex; });
    if (!Datasets.empty() && !Datasets.front()->Tables.empty())
        MasterTableName = Datasets.front()->Tables.front()->Name;
    SetFieldPowers();
    // The join aliases and remembered relation fields of each dataset's first
    // table, set once here; a relation naming a field its module lacks fails
    // the build.
    if (!NotRls) {
        for (const auto &dataset : Datasets) {
            if (!dataset->Tables.empty())
                dataset->Tables.front()->ResolveRelations(dataset->Alias());
        }
    }
}

TZDataSource::~TZDataSource() = default;

QString TZDataSource::PropValueByName(const QString &name) const
{
    return ReadDSProperty(File, kDSDataSourceTag, Propertys, name);
}

int TZDataSource::MasterTableFlag() const
{
    return Datasets.empty() || Datasets.front()->Tables.empty() ? 0 : Datasets.front()->Tables.front()->Flag;
}

QString TZDataSource::GetDatasetName(int i) const
{
    return i >= 0 && i < DatasetCount() ? Datasets.at(std::size_t(i))->Name : QString();
}

TZDataset &TZDataSource::GetZDataset(const QString &name) const
{
    for (auto it = Datasets.rbegin(); it != Datasets.rend(); ++it) {
        if ((*it)->Name.compare(ZTrim(name), Qt::CaseInsensitive) == 0)
            return **it;
    }
    throw EZError(QStringLiteral("[%1]中没有找到数据集定义[%2]").arg(DisplayName, name));
}

TZTable &TZDataSource::GetZTable(const QString &name) const
{
    for (const auto &dataset : Datasets) {
        if (TZTable *table = dataset->GetZTable(name))
            return *table;
    }
    throw EZError(QStringLiteral("没有找到定义表:") + name);
}

TZField *TZDataSource::GetZField(const QString &name) const
{
    for (const auto &dataset : Datasets) {
        if (TZField *field = dataset->GetZField(name))
            return field;
    }
    return nullptr;
}

TZField *TZDataSource::GetZField(const TZDataField &field, int datasetIndex) const
{
    const int i = datasetIndex >= 0 && datasetIndex < DatasetCount() ? datasetIndex : 0;
    return Datasets.empty() ? nullptr : Datasets.at(std::size_t(i))->GetZField(field.FieldName());
}

// --- key and name lists ---

void TZDataSource::ReGetDataList(const QString &where)
{
    m_ids.clear();
    m_idNames.clear();
    m_names.clear();
    m_byID.clear();
    m_byIDName.clear();
    m_byName.clear();
    const QString columns = MasterKey.compare(SubKey, Qt::CaseInsensitive) == 0 || SubKey.isEmpty()
                                ? MasterKey
                                : MasterKey + QLatin1Char(',') + SubKey;
    QString sql = QStringLiteral(" select %1 from %2 where 1=1").arg(columns, MasterTableName);
    const int flag = MasterTableFlag();
    if (flag != 0)
        sql += QStringLiteral(" and Flag = ") + QString::number(flag);
    if (!where.isEmpty())
        sql += QStringLiteral(" and ") + where;
    if (flag > 100)
        sql += QStringLiteral(" And 1=2");
    sql += QStringLiteral(" order by ") + MasterKey;
    const auto rows = DBConn().DBOpenDataSet(sql);
    const bool hasName = rows->FieldCount() > 1;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        const QString id = ZTrim(rows->Fields(0).AsString());
        if (id.isEmpty())
            continue;
        const QString name = hasName ? rows->Fields(1).AsString() : id;
        const int at = int(m_ids.size());
        m_ids << id;
        m_idNames << id + QLatin1Char(' ') + name;
        m_names << name;
        m_byID.insert(id, at);
        m_byIDName.insert(m_idNames.constLast(), at);
        if (!m_byName.contains(ZTrim(name)))
            m_byName.insert(ZTrim(name), at);
    }
    m_listsLoaded = true;
    // Lists loaded under a condition are reloaded in full by the next plain
    // request, so a filtered list never passes for the whole one.
    m_reloadPending = !where.isEmpty();
}

void TZDataSource::ReFreshDataList()
{
    if (m_listsLoaded)
        ReGetDataList();
}

void TZDataSource::ensureLists(const QString &where)
{
    if (!m_listsLoaded || !where.isEmpty() || m_reloadPending)
        ReGetDataList(where);
}

QStringList TZDataSource::GetIDList()
{
    ensureLists(QString());
    return m_ids;
}

QStringList TZDataSource::GetIDNameList()
{
    ensureLists(QString());
    return m_idNames;
}

QStringList TZDataSource::GetNameList()
{
    ensureLists(QString());
    return m_names;
}

QStringList TZDataSource::SubIDList(const QString &where)
{
    ensureLists(where);
    return m_ids;
}

QStringList TZDataSource::SubIDNameList(const QString &where)
{
    ensureLists(where);
    return m_idNames;
}

QStringList TZDataSource::SubNameList(const QString &where)
{
    ensureLists(where);
    return m_names;
}

QString TZDataSource::GetNameByID(const QString &id)
{
    ensureLists(QString());
    const int at = m_byID.value(ZTrim(id), -1);
    return at < 0 ? QString() : m_names.at(at);
}

QString TZDataSource::GetIDByName(const QString &name)
{
    ensureLists(QString());
    const int at = m_byName.value(ZTrim(name), -1);
    return at < 0 ? QString() : m_ids.at(at);
}

QString TZDataSource::GetIDNameByID(const QString &id)
{
    ensureLists(QString());
    const int at = m_byID.value(ZTrim(id), -1);
    return at < 0 ? QString() : m_idNames.at(at);
}

QString TZDataSource::GetIDByIDName(const QString &text)
{
    ensureLists(QString());
    const int at = m_byIDName.value(ZTrim(text), -1);
    return at < 0 ? QString() : m_ids.at(at);
}

QString TZDataSource::GetNameByIDName(const QString &text)
{
    ensureLists(QString());
    const int at = m_byIDName.value(text, -1);
    return at < 0 ? QString() : m_names.at(at);
}

QStringList TZDataSource::GetComboboxList()
{
    const QString style = GetParamValue(QStringLiteral("IDNameShowStyle"), QStringLiteral("0"));
    if (style == QLatin1String("1"))
        return GetIDNameList();
    if (style == QLatin1String("2"))
        return GetIDList();
    return GetNameList();
}

QStringList TZDataSource::SubComboboxList(const QString &where)
{
    const QString style = GetParamValue(QStringLiteral("IDNameShowStyle"), QStringLiteral("0"));
    if (style == QLatin1String("1"))
        return SubIDNameList(where);
    if (style == QLatin1String("2"))
        return SubIDList(where);
    return SubNameList(where);
}

// --- list dataset ---

TZClientDataSet &TZDataSource::GetListSource(bool forceReload)
{
    if (forceReload || !m_listData->Active() || NeedReGetLookUp) {
        QString sql = GetDataSetSQL(0, true);
        if (MasterTableFlag() > 100)
            sql += QStringLiteral(" And 1=2");
        sql += GetSelectListWhere();
        DBConn().DBOpenDataSet(*m_listData, sql);
        for (int i = 0; i < m_listData->FieldCount(); ++i) {
            TZDataField &field = m_listData->Fields(i);
            if (const TZField *definition = GetZField(field.FieldName()))
                field.DisplayLabel = definition->DisplayName;
            field.OnGetText = [this](const TZDataField &f) { return ListFieldGetText(f); };
        }
        NeedReGetLookUp = false;
    }
    return *m_listData;
}

QString TZDataSource::ListFieldGetText(const TZDataField &field) const
{
    return ZFieldDisplayText(GetZField(field.FieldName()), field);
}

void TZDataSource::SetListDataFilter(const QString &filter, TZClientDataSet *dataSet)
{
    QString text = filter;
    while (dataSet) {
        const qsizetype open = text.indexOf(QLatin1Char('['));
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char(']'), open + 1);
        if (close < 0)
            break;
        const QString name = text.mid(open + 1, close - open - 1);
        TZDataField *field = dataSet->FindField(name);
        QString value;
        if (field) {
            if (field->DataType() == ftZString || field->DataType() == ftZMemo)
                value = ZQuotedStr(field->AsString());
            else if (field->DataType() == ftZInteger || field->DataType() == ftZSmallint)
                value = QString::number(field->AsInteger());
            else
                value = field->Text();
        }
        text.replace(open, close - open + 1, value);
    }
    TZClientDataSet &list = GetListSource(false);
    list.SetFiltered(false);
    if (!ZIsBlank(text)) {
        list.SetFilter(text);
        list.SetFiltered(true);
    }
}

void TZDataSource::SetNeedReGetLookUpListData(bool flag)
{
    NeedReGetLookUp = flag;
    if (m_listData->Active())
        GetListSource(true);
}

// --- permissions ---

void TZDataSource::SetFieldPowers()
{
    if (UserInfo.UserID.compare(QLatin1String("Admin"), Qt::CaseInsensitive) == 0 || !DBConnExists())
        return;
    if (!DBConn().ExistTable(QStringLiteral("PowerDesign")))
        return;
    const QString list = ZTrim(GetUserPowerCode(UserInfo.UserID, Name, 0, QStringLiteral("FieldPowers")));
    if (list.isEmpty())
        return;
    for (int i = 0; i < DatasetCount(); ++i) {
        for (const auto &table : Datasets.at(std::size_t(i))->Tables) {
            for (const auto &field : table->Fields) {
                if (!field->GetZFieldVisible())
                    continue;
                field->Permitted = !list.contains(field->FieldName + QLatin1Char('-') + QString::number(i));
                if (!field->Permitted)
                    field->ReadOnly = true;
            }
        }
    }
}

bool TZDataSource::HaveOrgID() const
{
    if (!UseOrgManage() || Datasets.empty())
        return false;
    const TZField *org = Datasets.front()->GetZField(QStringLiteral("OrgID"));
    return org && org->RelativeDS.compare(QLatin1String("dssOrg"), Qt::CaseInsensitive) == 0;
}
