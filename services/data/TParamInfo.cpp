#include "TParamInfo.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "settings/ZSwitches.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/ZDBRoutines.h"

#include <QSet>

#include <memory>

namespace {

std::unique_ptr<TParamInfo> &cache()
{
    static std::unique_ptr<TParamInfo> instance;
    return instance;
}

QString keyOf(const QString &name)
{
    return ZTrim(name).toCaseFolded();
}

} // namespace

void TParamInfo::UpdateParamInfo()
{
    m_items.clear();
    m_byName.clear();
    m_byExact.clear();
    TDBConn &conn = DBConn();
    if (!conn.ExistTable(QStringLiteral("comParams"))) {
        const TDBType kind = conn.GetDBCONN().kind();
        const QString text = kind == dtMSSQL ? QStringLiteral("varchar") : QStringLiteral("VarChar");
        conn.DBExcuteSql(QStringLiteral(" CREATE TABLE [comParams]([ParamName] %1(100) NOT NULL DEFAULT '', "
                                        "[ParamValue] %1(200) DEFAULT '')")
                             .arg(text));
        conn.DBExcuteSql(GetCreatePrimaryKeySQL(QStringLiteral("comParams"), QStringLiteral("ParamName"), kind));
    }
    const auto rows = conn.DBOpenDataSet(QStringLiteral("Select * From comParams"));
    TZDataField &name = rows->FieldByName(QStringLiteral("ParamName"));
    TZDataField &value = rows->FieldByName(QStringLiteral("ParamValue"));
    for (rows->First(); !rows->Eof(); rows->Next()) {
        const QString key = keyOf(name.AsString());
        if (m_byName.contains(key))
            continue; // the first row of a name wins
        m_items.append(TParamItem{ZTrim(name.AsString()), ZTrim(value.AsString())});
        m_byName.insert(key, int(m_items.size()) - 1);
        m_byExact.insert(m_items.constLast().ParamName, int(m_items.size()) - 1);
    }
}

const TParamItem *TParamInfo::GetParamItem(const QString &name) const
{
    // Most callers spell a name as it is stored: that look-up folds nothing.
    int index = m_byExact.value(name, -1);
    if (index < 0)
        index = m_byName.value(keyOf(name), -1);
    return index < 0 ? nullptr : &m_items.at(index);
}

void TParamInfo::SetCachedValue(const QString &name, const QString &value)
{
    const int index = m_byName.value(keyOf(name), -1);
    if (index >= 0)
        m_items[index].ParamValue = value;
}

TParamInfo &GetParamInfo()
{
    auto &instance = cache();
    if (!instance) {
        instance = std::make_unique<TParamInfo>();
        // Until the first load completes the reader must not recurse into it.
        instance->UpdateParamInfo();
        SetZParamReader([](const QString &name, const QString &def) { return GetParamValue(name, def); });
    }
    return *instance;
}

void FreeParamInfo()
{
    SetZParamReader(nullptr);
    cache().reset();
}

QString GetParamValue(const QString &name, const QString &defaultValue, bool isLong)
{
    if (!isLong) {
        const TParamItem *item = GetParamInfo().GetParamItem(name);
        return item && !item->ParamValue.isEmpty() ? item->ParamValue : defaultValue;
    }
    TDBConn &conn = DBConn();
    if (!conn.ExistTable(QStringLiteral("comParamsEx")))
        return defaultValue;
    const QString value = ZTrim(conn.GetFieldValue(QStringLiteral("comParamsEx"), QStringLiteral("ParamValue"),
                                                   QStringLiteral(" ParamName = ") + ZQuotedStr(name)));
    return value.isEmpty() ? defaultValue : value;
}

void SaveParamValue(const QString &name, const QString &value, bool isLong)
{
    const QString table = isLong ? QStringLiteral("comParamsEx") : QStringLiteral("comParams");
    TDBConn &conn = DBConn();
    if (!conn.ExistTable(table))
        return;
    const auto rows =
        conn.DBOpenDataSet(QStringLiteral("Select * From %1 Where ParamName = %2").arg(table, ZQuotedStr(name)));
    rows->First();
    if (rows->IsEmpty()) {
        rows->Append();
        rows->FieldByName(QStringLiteral("ParamName")).SetAsString(name);
    } else {
        rows->Edit();
    }
    rows->FieldByName(QStringLiteral("ParamValue")).SetAsString(value);
    rows->Post();
    rows->UpdateBatch();
    if (!isLong && cache())
        cache()->SetCachedValue(name, value);
}

QString GetLongParamValue(const QString &name, const QString &defaultValue)
{
    return GetParamValue(name, defaultValue, true);
}

void SaveLongParamValue(const QString &name, const QString &value)
{
    SaveParamValue(name, value, true);
}

QString GetCurrOrgID()
{
    return GetParamValue(QStringLiteral("CurrOrgID"));
}

QString GetCurrOrgCode()
{
    return GetParamValue(QStringLiteral("CurrOrgID"));
}

void TransParamTable()
{
    TDBConn &conn = DBConn();
    const bool server = conn.GetDBCONN().kind() == dtMSSQL;
    conn.DropTable(QStringLiteral("comParamsColumns"));
    const auto params = conn.DBOpenDataSet(QStringLiteral("Select ParamName,ParamValue From comParams"));
    QString sql =
        server ? QStringLiteral(" CREATE TABLE [dbo].[comParamsColumns]([PrintDate] [smalldatetime] Null, \r\n"
                                "[Year] [smallint] Null, \r\n[Month] [smallint] Null, \r\n[Day] [smallint] Null ")
               : QStringLiteral(" CREATE TABLE [comParamsColumns]([PrintDate] datetime Null, \r\n"
                                "[Year] smallint Null, \r\n[Month] smallint Null, \r\n[Day] smallint Null ");
    QStringList names;
    QVariantList values;
    QSet<QString> seen{QStringLiteral("printdate"), QStringLiteral("year"), QStringLiteral("month"),
                       QStringLiteral("day")};
    for (params->First(); !params->Eof(); params->Next()) {
        const QString name = ZTrim(params->Fields(0).AsString());
        if (name.isEmpty() || name.contains(QLatin1Char(']')) || seen.contains(name.toCaseFolded()))
            continue; // a column can appear once
        seen.insert(name.toCaseFolded());
        names << name;
        values << ZTrim(params->Fields(1).AsString());
        sql += QStringLiteral(",") + QStringLiteral("\r\n")
               + (server ? QStringLiteral("[%1] [%2](200) Null").arg(name, QStringLiteral("varchar"))
                         : QStringLiteral("[%1] %2(20) Null").arg(name, QStringLiteral("char")));
    }
    sql += server ? QStringLiteral(") ON [PRIMARY]") : QStringLiteral(")");
    conn.DBExcuteSql(sql);

    const auto row = conn.DBOpenDataSet(QStringLiteral("Select * From comParamsColumns"));
    const QDateTime now = conn.DBGetServerDateTime();
    row->Append();
    row->FieldByName(QStringLiteral("PrintDate")).SetAsDateTime(now);
    row->FieldByName(QStringLiteral("Year")).SetAsInteger(now.date().year());
    row->FieldByName(QStringLiteral("Month")).SetAsInteger(now.date().month());
    row->FieldByName(QStringLiteral("Day")).SetAsInteger(now.date().day());
    for (int i = 0; i < names.size(); ++i)
        row->FieldByName(names.at(i)).SetValue(values.at(i));
    row->Post();
    row->UpdateBatch();
}
