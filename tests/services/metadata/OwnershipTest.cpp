// Who keeps a data source alive across a reload of the cache, statement
// builds that leave the model as it was loaded, and the relations resolved
// when a definition loads.

#include "ModelFixture.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Renames the caption of accFee's Amount in its definition file, so that a
// reload gives a visibly different model.
void renameAmount(const TTempProgramFolder &folder)
{
    const QString text = QString::fromUtf8(folder.readFile(QStringLiteral("DBSource/accFee.dbs")));
    folder.writeFile(QStringLiteral("DBSource/accFee.dbs"),
                     QString(text).replace(s("DisplayName=金额"), s("DisplayName=总金额")).toUtf8());
}

} // namespace

using DataSourceOwnership = ModelFixture;

TEST_F(DataSourceOwnership, HeldDefinitionsOutliveAReloadAndListenersAreTold)
{
    const std::shared_ptr<TZDataSource> fee = GetDataSourcePtr(s("accFee"));
    const TZField *amount = fee->GetZField(s("Amount"));
    const TZField *maker = fee->GetZField(s("SalesMan_Name")); // a copy of a field of comPerson without relations
    ASSERT_NE(amount, nullptr);
    ASSERT_NE(maker, nullptr);
    renameAmount(*folder);

    QStringList told;
    {
        std::unique_ptr<TDataSourceReloadListener> second;
        TDataSourceReloadListener first([&](const QString &name, bool notRls) {
            told << name + (notRls ? s("/NotRls") : QString());
            // The cache already holds the new one; a listener may drop another
            // that has not been told yet.
            EXPECT_NE(&GetDataSource(s("accFee")), fee.get());
            second.reset();
        });
        second = std::make_unique<TDataSourceReloadListener>(
            [&](const QString &name, bool) { told << s("second:") + name; });
        GetDataSource(s("accFee"), true);
        GetDataSource_NotRls(s("comPerson"), true);
        GetDataSource(s("moxNote"), true); // not cached yet: built, nobody told
        FreeDataSource();                  // nobody told either
        EXPECT_EQ(told, QStringList({s("accFee"), s("comPerson/NotRls")}));
    }
    GetDataSource(s("accFee"));
    GetDataSource(s("accFee"), true); // the listeners are gone
    EXPECT_EQ(told.size(), 2);

    // The held source, its fields and the relation-less source its relation
    // fields were copied from are all still there, as they were loaded.
    EXPECT_EQ(amount->DisplayName, s("金额"));
    EXPECT_EQ(amount->PropValueByName(s("NumberType")), s("1"));
    EXPECT_EQ(amount->OwnerZDS(), fee.get());
    EXPECT_EQ(maker->PropValueByName(s("DisplayName")), s("姓名"));
    EXPECT_EQ(maker->OwnerZDS()->Name, s("comPerson"));
    EXPECT_EQ(GetDataSource(s("accFee")).GetZField(s("Amount"))->DisplayName, s("总金额"));

    // A failed reload leaves the cached one and tells nobody.
    const std::shared_ptr<TZDataSource> cached = GetDataSourcePtr(s("accFee"));
    TDataSourceReloadListener listener([&](const QString &name, bool) { told << name; });
    folder->writeFile(s("DBSource/accFee.dbs"), "[<DSDataSource>]\nPropertys=MasterKey=BillNo\n[<DSDataset>M]\n"
                                                "Dataset=M\n[<DSTable>M-accFee]\nTableName=accFee\n"
                                                "[<DSField>M-accFee-BillNo]\nFieldName=BillNo\n"
                                                "Propertys=RelativeDS=comDuty;RelativeFields=Nope(X\n");
    EXPECT_THROW(GetDataSource(s("accFee"), true), EZError);
    EXPECT_EQ(GetDataSourcePtr(s("accFee")), cached);
    EXPECT_EQ(told.size(), 2);
}

TEST_F(DataSourceOwnership, TheDatasetOfAWindowKeepsItsDefinitionsUntilOpenedAgain)
{
    DBConn().DBExcuteSql(s("insert into accFee(Flag, BillNo, Amount, HasCheck) values(1, 'F1', 1234.5, 1)"));
    TOrvDataSet ds;
    ds.ProgID = s("accFee");
    ds.Name = s("dsHead");
    const auto open = [&ds] { DBConn().DBOpenDataSet(ds, GetDataSource(s("accFee")).GetDataSetSQL(0, false)); };
    open();
    const TZDataSource *loaded = ds.DataSource().get();
    EXPECT_EQ(ds.FieldByName(s("Amount")).DisplayLabel, s("金额"));
    const QString amount = ds.FieldByName(s("Amount")).Text();
    EXPECT_FALSE(amount.isEmpty());

    renameAmount(*folder);
    GetDataSource(s("accFee"), true);
    FreeDataSource();
    // The field texts still read the definitions the dataset was opened with.
    EXPECT_EQ(ds.DataSource().get(), loaded);
    EXPECT_EQ(ds.FieldByName(s("HasCheck")).Text(), s("已复核"));
    EXPECT_EQ(ds.FieldByName(s("Amount")).Text(), amount);
    EXPECT_EQ(ds.ZFieldOf(ds.FieldByName(s("Amount")))->DisplayName, s("金额"));

    // Opening again takes the current definitions.
    open();
    EXPECT_NE(ds.DataSource().get(), loaded);
    EXPECT_EQ(ds.ZFieldOf(ds.FieldByName(s("Amount")))->DisplayName, s("总金额"));
    EXPECT_EQ(ds.FieldByName(s("HasCheck")).Text(), s("已复核"));
}

TEST_F(DataSourceOwnership, StatementBuildsLeaveTheModelAsLoaded)
{
    // A detail dataset with index 2 (alias C) whose first table relates to
    // comDuty: joined into the master's statement it is aliased B.
    folder->writeFile(s("DBSource/moxPlan.dbs"), "[<DSDataSource>]\nPropertys=MasterKey=NoteID\n"
                                                 "[<DSDataset>M]\nDataset=M\nPropertys=DatasetIndex=0\n"
                                                 "[<DSTable>M-moxNote]\nTableName=moxNote\n"
                                                 "[<DSField>M-moxNote-NoteID]\nFieldName=NoteID\n"
                                                 "[<DSDataset>D]\nDataset=D\nPropertys=DatasetIndex=2\n"
                                                 "[<DSTable>D-moxPlanSub]\nTableName=moxPlanSub\n"
                                                 "[<DSField>D-moxPlanSub-NoteID]\nFieldName=NoteID\n"
                                                 "Propertys=FieldIndex=1\n[<DSField>D-moxPlanSub-DutyID]\n"
                                                 "FieldName=DutyID\nPropertys=FieldIndex=2;RelativeDS=comDuty;"
                                                 "RelativeFields=DutyName(DutyName\n");
    const TZDataSource &plan = GetDataSource(s("moxPlan"));
    const TZDataset &detail = *plan.Datasets.at(1);
    const TZField &duty = *detail.Tables.front()->GetZField(s("DutyID"));
    EXPECT_EQ(duty.JoinAlias, s("C1"));
    const QString joined = plan.GetDataSetSQL(0, TZSqlSwitches{.joinDetail = true});
    EXPECT_TRUE(joined.contains(s(" Left Join moxPlanSub B on A.NoteID = B.NoteID \r\n left join comDuty B1 on "
                                  "(B.DutyID = B1.DutyID)")))
        << joined.toStdString();
    EXPECT_EQ(duty.JoinAlias, s("C1")); // the build did not touch the model
    EXPECT_TRUE(detail.GetDataSetSQL(true).contains(s("C1.DutyName as DutyName")));

    // The value form gives the same text as the spelled-out switches.
    const TZDataSource &fee = GetDataSource(s("accFee"));
    EXPECT_EQ(fee.GetDataSetSQL(0, TZSqlSwitches{.joinRelations = false, .includeHidden = false, .distinct = true}),
              s(" Select Distinct A.BillNo,A.BillDate,A.Amount,A.MakerID,A.HasCheck\r\n from accFee A\r\n where 1=1 "
                "and A.Flag = 1"));
    EXPECT_EQ(fee.Datasets.front()->GetEmptyBillSQL(TZSqlSwitches{.joinNames = true}),
              fee.GetDataSetSQLEx(0, true, true, true, false, false) + s("\r\n and 1=2"));
}

TEST_F(DataSourceOwnership, RelationsAreResolvedWhenTheDefinitionLoads)
{
    for (const char *name : {"comCustomer", "comFactory", "comDepartment"}) {
        folder->writeFile(s("DBSource/%1.dbs").arg(s(name)),
                          QStringLiteral("[<DSDataSource>]\nPropertys=MasterKey=ID;SubKey=Name\n[<DSDataset>M]\n"
                                         "Dataset=M\n[<DSTable>M-%1]\nTableName=%1\n[<DSField>M-%1-ID]\n"
                                         "FieldName=ID\n[<DSField>M-%1-Name]\nFieldName=Name\n")
                              .arg(s(name))
                              .toUtf8());
    }
    const auto field = [](int index, const char *name, const char *relation) {
        return QStringLiteral("[<DSField>M-moxVisit-%1]\nFieldName=%1\nPropertys=FieldIndex=%2;%3\n")
            .arg(s(name))
            .arg(index)
            .arg(s(relation));
    };
    const QString head = s("[<DSDataSource>]\nPropertys=MasterKey=VisitID\n[<DSDataset>M]\nDataset=M\n"
                           "[<DSTable>M-moxVisit]\nTableName=moxVisit\n")
                         + field(1, "VisitID", "") + field(2, "CustID", "RelativeDS=comCustomer;RelativeFields=Name(C")
                         + field(3, "FactID", "RelativeDS=COMFACTORY") + field(4, "OtherCust", "RelativeDS=comCustomer")
                         + field(5, "DeptID", "RelativeDS=comDepartment;RelativeFields=ID(D,Name(E");
    folder->writeFile(s("DBSource/moxVisit.dbs"), head.toUtf8());

    const TZTable &visit = *GetDataSource(s("moxVisit")).Datasets.front()->Tables.front();
    EXPECT_EQ(visit.CustomerField, s("CustID"));
    EXPECT_EQ(visit.FactoryField, s("FactID"));
    EXPECT_EQ(visit.DepartmentField, s("DeptID"));
    QStringList aliases;
    for (const auto &f : visit.Fields)
        aliases << f->JoinAlias;
    EXPECT_EQ(aliases, QStringList({QString(), s("A1"), s("A2"), s("A3"), s("A4"), QString(), QString(), QString()}));
    // Without relations nothing is resolved.
    const TZTable &bare = *GetDataSource_NotRls(s("moxVisit")).Datasets.front()->Tables.front();
    EXPECT_TRUE(bare.CustomerField.isEmpty());
    EXPECT_TRUE(bare.GetZField(s("CustID"))->JoinAlias.isEmpty());

    // A relation to a module without a definition fails the build, even
    // without RelativeFields.
    folder->writeFile(s("DBSource/moxVisit.dbs"), (head + field(6, "Lost", "RelativeDS=comLost")).toUtf8());
    try {
        GetDataSource(s("moxVisit"), true);
        FAIL();
    } catch (const EZError &e) {
        EXPECT_TRUE(e.message().startsWith(s("资源定义创建过程中发生错误：不存在此资源定义文件：\n")));
        EXPECT_TRUE(e.message().endsWith(s("comLost.dbs")));
    }
    EXPECT_EQ(GetDataSource(s("moxVisit")).Datasets.front()->Tables.front().get(), &visit);
}
