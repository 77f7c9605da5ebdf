#include "ZLookUpList.h"

#include "common/ZCounting.h"
#include "common/ZQuestionBox.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "metadata/TZDataSource.h"

#include <QStringList>

namespace {

/// True when the text occurs within one of the fields in some row of the
/// list; the list's filter and controls are as before afterwards.
bool occursInList(TZClientDataSet &list, const QString &text, const QStringList &fieldNames)
{
    const bool filtered = list.Filtered();
    list.DisableControls();
    list.SetFiltered(false);
    bool found = false;
    try {
        QList<TZDataField *> fields;
        for (const QString &name : fieldNames) {
            if (TZDataField *field = list.FindField(ZTrim(name)))
                fields << field;
        }
        for (list.First(); !list.Eof() && !found; list.Next()) {
            for (const TZDataField *field : std::as_const(fields)) {
                if (field->AsString().contains(text, Qt::CaseSensitive)) {
                    found = true;
                    break;
                }
            }
        }
    } catch (...) {
        list.SetFiltered(filtered);
        list.EnableControls();
        throw;
    }
    list.SetFiltered(filtered);
    list.EnableControls();
    return found;
}

} // namespace

void SetLookUpList(TZLookUpListProperties &properties, TZDataSource &source)
{
    QString names = source.MasterKey + QLatin1Char(',') + source.SubKey + QLatin1Char(',') + source.ListFieldNames;
    properties.ListFieldNames = names.replace(QLatin1Char(','), QLatin1Char(';'));
    properties.ListSource = &source.GetListSource(false);
    properties.KeyFieldNames = source.MasterKey;
    properties.ListFieldIndex = -1;
    properties.DropDownRows = 12;
    properties.FreeText = true;
    properties.AutoSelect = false;
    properties.SizeToColumns = true;
}

bool AddNewMasterData(QWidget *owner, const QString &text, TZDataSource &source)
{
    if (ZTrim(text).isEmpty())
        return false;
    QStringList fields = source.ListFieldNames.split(QLatin1Char(','));
    fields << source.SubKey;
    fields.sort();
    if (occursInList(source.GetListSource(false), text, fields))
        return false;
    if (!ZAskYesNo(owner, QStringLiteral("提示"), text + QStringLiteral(" 在数据库中不存在是否保存到数据库中?")))
        return false;

    TDBConn &db = DBConn();
    const int flag = source.MasterTableFlag();
    const QString maxSql = flag != 0 ? QStringLiteral("Select Max(%1) From %2 Where Flag = %3")
                                           .arg(source.MasterKey, source.MasterTableName)
                                           .arg(flag)
                                     : QStringLiteral("Select Max(%1) From %2").arg(source.MasterKey, source.MasterTableName);
    const QString greatest = db.DBSelectValue(maxSql).value(0);
    const QString key = greatest.isEmpty() ? QStringLiteral("001") : IncString(greatest);
    if (flag != 0) {
        db.DBExcuteSql(QStringLiteral("Insert into %1(Flag,%2,%3) values(%4,%5,%6)")
                           .arg(source.MasterTableName, source.MasterKey, source.SubKey, QString::number(flag),
                                ZQuotedStr(key), ZQuotedStr(text)));
    } else {
        db.DBExcuteSql(QStringLiteral("Insert into %1(%2,%3) values(%4,%5)")
                           .arg(source.MasterTableName, source.MasterKey, source.SubKey, ZQuotedStr(key),
                                ZQuotedStr(text)));
    }
    source.GetListSource(true);
    source.ReFreshDataList();
    return true;
}
