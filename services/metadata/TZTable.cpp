#include "TZTable.h"

#include "common/ZErrors.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "ini/TZCustomIniFile.h"
#include "metadata/TDBSources.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/ZDataSources.h"

#include <algorithm>

namespace {

void addSystemField(TZTable *table, const char *name, const char16_t *caption, int length, int index)
{
    auto field = std::make_unique<TZField>(table, nullptr, QString(), QLatin1String(name), QString());
    field->DisplayName = QString::fromUtf16(caption);
    field->Length = length;
    field->FieldIndex = index;
    field->FieldType = ftZString;
    field->Visible = false;
    table->Fields.push_back(std::move(field));
}

} // namespace

TZTable::TZTable(TZDataset *owner, const TZCustomIniFile &file, const QString &section, const QString &name,
                 const QString &propertys)
    : Owner(owner), File(file), Section(section), Name(ZTrim(name)), Propertys(propertys)
{
    Flag = ZDSInt(PropValueByName(QStringLiteral("Flag")));
    KeyFields = PropValueByName(QStringLiteral("KeyFields"));
    TableWhere = PropValueByName(QStringLiteral("TableWhere"));

    const QString prefix = kDSFieldTag + (owner ? owner->Name : QString()) + QLatin1Char('-') + Name + QLatin1Char('-');
    for (const QString &fieldSection : file.ReadSections()) {
        if (!fieldSection.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        Fields.push_back(std::make_unique<TZField>(
            this, &file, fieldSection, file.ReadString(fieldSection, QStringLiteral("FieldName"), QString()),
            file.ReadString(fieldSection, QStringLiteral("Propertys"), QString())));
    }
    const int count = int(Fields.size()) + 3;
    const bool server = DBConnExists() && DBConn().GetDBCONN().kind() == dtMSSQL;
    addSystemField(this, "SysLastUpdateTime", u"更新时间", 14, count - 3);
    addSystemField(this, "SysCreateTime", u"创建时间", 14, count - 2);
    addSystemField(this, "SyncCompleted", u"同步标识", server ? 600 : 100, count - 1);
    std::stable_sort(Fields.begin(), Fields.end(),
                     [](const auto &a, const auto &b) { return a->FieldIndex < b->FieldIndex; });
}

TZField *TZTable::GetZField(const QString &name) const
{
    const QString wanted = ZTrim(name);
    for (const auto &field : Fields) {
        if (field->AliasName.compare(wanted, Qt::CaseInsensitive) == 0
            || field->FieldName.compare(wanted, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

QString TZTable::PropValueByName(const QString &name) const
{
    return ReadDSProperty(File, Section, Propertys, name);
}

QString TZTable::GetFlagWhere(const QString &alias) const
{
    if (Flag == 0)
        return {};
    if (alias.isEmpty())
        return QStringLiteral(" And Flag = %1").arg(Flag);
    return QStringLiteral(" And %1.Flag = %2").arg(alias).arg(Flag);
}

QString TZTable::GetLeftJoinStr(const QString &table, const QString &joinAlias, const QString &alias,
                                const QString &field, const QString &key, int flag)
{
    QString join = QStringLiteral(" left join ") + table + QLatin1Char(' ') + joinAlias + QStringLiteral(" on (")
                   + alias + QLatin1Char('.') + field + QStringLiteral(" = ") + joinAlias + QLatin1Char('.') + key;
    if (flag != 0)
        join += QStringLiteral(" And ") + joinAlias + QStringLiteral(".Flag = ") + QString::number(flag);
    return join + QLatin1Char(')');
}

TZTable::RelationItem TZTable::SplitRelationItem(const QString &item)
{
    const qsizetype open = item.indexOf(QLatin1Char('('));
    return {ZTrim(open < 0 ? item : item.left(open)), ZTrim(open < 0 ? QString() : item.mid(open + 1))};
}

namespace {

// The field a RelativeFields item names in the related data source; raises
// when that source lacks it.
const TZField &relatedField(const TZTable &table, const TZField &field, const TZDataSource &related,
                            const QString &sourceName)
{
    const TZField *source = related.GetZField(sourceName);
    if (!source)
        throw EZError(QStringLiteral("表名 ") + table.Name + QStringLiteral(" 字段名 ") + field.FieldName
                      + QStringLiteral(" 关联资源定义 ") + related.Name + QStringLiteral(" 中，找不到字段 ")
                      + sourceName);
    return *source;
}

} // namespace

void TZTable::ResolveRelations(const QString &alias)
{
    for (int i = 0; i < int(Fields.size()); ++i) {
        TZField &field = *Fields.at(std::size_t(i));
        if (ZIsBlank(field.RelativeDS))
            continue;
        const auto remember = [&](QString &slot, const char *source) {
            if (slot.isEmpty() && field.RelativeDS.compare(QLatin1String(source), Qt::CaseInsensitive) == 0)
                slot = field.FieldName;
        };
        remember(CustomerField, "comCustomer");
        remember(FactoryField, "comFactory");
        remember(DepartmentField, "comDepartment");
        field.JoinAlias = alias + QString::number(i);
        const TZDataSource &related = GetDataSource_NotRls(field.RelativeDS); // raises for a missing module
        for (const QString &item : ZTrim(field.RelativeFields).split(QLatin1Char(','), Qt::SkipEmptyParts))
            relatedField(*this, field, related, SplitRelationItem(item).sourceName);
    }
}

TZTable::SelectAndJoins TZTable::GetSelectAndJoinSQL(const QString &alias, const TZSqlSwitches &switches) const
{
    SelectAndJoins out;
    // The select list is written straight into one reserved text: building
    // every module's list statement is a hot path.
    QString &list = out.selectList;
    list.reserve(int(Fields.size()) * 24);
    const auto addItem = [&list](QStringView table, QStringView column, QStringView as) {
        if (!list.isEmpty())
            list += QLatin1Char(',');
        list += table;
        list += QLatin1Char('.');
        list += column;
        if (!as.isEmpty()) {
            list += QLatin1String(" as ");
            list += as;
        }
    };
    const bool notRls = Owner && Owner->Owner ? Owner->Owner->NotRls : false;
    const TZDataSource *related = nullptr;
    QString relatedName;
    for (int i = 0; i < int(Fields.size()); ++i) {
        const TZField &field = *Fields.at(std::size_t(i));
        if (!field.GetZFieldVisible() && !switches.includeHidden)
            continue;
        if (switches.distinct && (field.FieldType == ftZBlob || field.FieldType == ftZMemo))
            continue;
        addItem(alias, ZTrim(QStringView(field.FieldName)), ZTrim(QStringView(field.AliasName)));
        if (!switches.joinRelations || notRls || ZIsBlank(field.RelativeDS))
            continue;
        if (!related || relatedName.compare(field.RelativeDS, Qt::CaseInsensitive) != 0) {
            related = &GetDataSource_NotRls(field.RelativeDS);
            relatedName = field.RelativeDS;
        }
        QString relationItems = ZTrim(field.RelativeFields);
        if (switches.joinNames && !relationItems.contains(related->SubKey)) {
            relationItems = MergeStrings(relationItems, related->SubKey + QLatin1Char('(') + field.FieldName
                                                            + QStringLiteral("_Name"));
        }
        const bool fetch = !relationItems.isEmpty();
        // The same text as the JoinAlias set at load for the dataset's own
        // alias; the detail joined as B gets B + position.
        const QString joinAlias = alias + QString::number(i);
        QString joinedTable;
        for (const QString &relationItem : relationItems.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const RelationItem item = SplitRelationItem(relationItem);
            const TZField &source = relatedField(*this, field, *related, item.sourceName);
            if (joinedTable.isEmpty() || source.TableName.compare(joinedTable, Qt::CaseInsensitive) != 0) {
                joinedTable = source.TableName;
                out.joins += GetLeftJoinStr(joinedTable, joinAlias, alias, field.FieldName, related->MasterKey,
                                            related->MasterTableFlag());
            }
            if (fetch) {
                addItem(joinAlias, item.sourceName, {});
                list += QLatin1String(" as ");
                list += item.alias;
            }
        }
    }
    return out;
}
