// Every shipped module without a window of its own, in the generated record
// window: a record is added with its required entries, saved, edited, copied
// and deleted, and every step leaves its change-log row.
#include "RecordTestSupport.h"
#include "TestText.h"

#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "forms/TfrmMasterDataBase.h"
#include "metadata/TDBSources.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <gtest/gtest.h>

namespace {

QString value(const QString &sql)
{
    return DBConn().DBSelectValue(sql).value(0);
}

/// A value the field takes: a record of the related module for a look-up
/// (made when there is none), else one of the field's kind.
QVariant entryFor(const TZField &field, int n)
{
    if (!ZTrim(field.RelativeDS).isEmpty()) {
        TZDataSource &related = GetDataSource(field.RelativeDS);
        QString key = related.GetFirstKeyValue();
        if (key.isEmpty()) {
            key = s("R1");
            const int flag = related.MasterTableFlag();
            DBConn().DBExcuteSql(flag != 0 ? s("insert into %1(Flag, %2, %3) values(%4, 'R1', '相关')")
                                                 .arg(related.MasterTableName, related.MasterKey, related.SubKey)
                                                 .arg(flag)
                                           : s("insert into %1(%2, %3) values('R1', '相关')")
                                                 .arg(related.MasterTableName, related.MasterKey, related.SubKey));
        }
        return key;
    }
    if (!field.PickItems.isEmpty())
        return field.GetPickListValue(field.PickItems.value(0).section(QLatin1Char('='), 0, 0));
    switch (field.FieldType) {
    case ftZDate:
        return QDateTime(QDate(2026, 6, 1), QTime());
    case ftZTime:
        return QDateTime(QDate(1899, 12, 30), QTime(9, 30));
    case ftZInteger:
    case ftZSmallint:
    case ftZFloat:
    case ftZCurrency:
        return n;
    case ftZBoolean:
        return true;
    default:
        return s("条目%1").arg(n);
    }
}

} // namespace

using ShippedModules = TRecordTest;

TEST_F(ShippedModules, EveryModuleWithoutAWindowOfItsOwnIsEditable)
{
    QStringList modules;
    for (const QString &name : TDBSources().GetDBSourceList()) {
        const TZDataSource &source = GetDataSource(name);
        if (ZTrim(source.FormClassName).isEmpty() && !source.IsReport && source.FuncType != 1)
            modules << name;
    }
    ASSERT_GE(modules.size(), 10);
    for (const QString &name : modules) {
        SCOPED_TRACE(name.toStdString());
        auto window = openRecordWindow<TfrmMasterDataBase>(name);
        ASSERT_TRUE(window->RunAction(1));
        TOrvDataSet &master = window->MasterData();
        const QString key = master.FieldByName(window->KeyFieldName()).AsString();
        if (key.isEmpty()) // a module whose keys are typed
            master.FieldByName(window->KeyFieldName()).SetAsString(s("K1"));
        int n = 0;
        for (int c = 0; c < master.FieldCount(); ++c) {
            TZDataField &field = master.Fields(c);
            const TZField *definition = master.ZFieldOf(field);
            if (!definition || definition->AllowEmpty || definition->IsRelationField || definition->ReadOnly
                || !ZTrim(field.AsString()).isEmpty() || field.FieldName().startsWith(s("Sys"))
                || field.FieldName() == s("SyncCompleted"))
                continue;
            field.SetValue(entryFor(*definition, ++n));
        }
        ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString());
        const QString saved = window->CurrKeyValue();
        ASSERT_FALSE(saved.isEmpty());
        ASSERT_TRUE(window->RunAction(2));
        ASSERT_TRUE(window->RunAction(5));
        ASSERT_TRUE(window->RunAction(4));
        if (window->MasterData().FieldByName(window->KeyFieldName()).AsString().isEmpty())
            window->MasterData().FieldByName(window->KeyFieldName()).SetAsString(s("K2"));
        // A copy of a unique name is refused until the name is changed.
        for (int c = 0; c < master.FieldCount(); ++c) {
            TZDataField &field = master.Fields(c);
            const TZField *definition = master.ZFieldOf(field);
            if (definition && definition->NoRepeat && definition->FieldType == ftZString
                && field.FieldName().compare(window->KeyFieldName(), Qt::CaseInsensitive) != 0)
                field.SetAsString(field.AsString() + s("副本"));
        }
        ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString());
        answers << s("btnYes");
        ASSERT_TRUE(window->RunAction(3));
        EXPECT_EQ(value(s("select group_concat(ChangeType, ',') from (select ChangeType from comChangeLog where "
                          "ProgID = '%1' order by rowid)")
                            .arg(window->GetProgID())),
                  s("新增,修改,新增,删除"));
    }
}
