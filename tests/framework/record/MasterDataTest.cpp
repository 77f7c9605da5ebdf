// The record window on real modules and a real data file: add, copy, edit,
// save, cancel, navigate and delete with their checks, the change log, and
// one transaction per save.
#include "RecordTestSupport.h"
#include "TestText.h"

#include "common/ZClock.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "record/TfrmMasterData.h"

#include <gtest/gtest.h>

namespace {

QString value(const QString &sql)
{
    return DBConn().DBSelectValue(sql).value(0);
}

void setField(TfrmMasterData &window, const char *field, const QVariant &v, int dataset = 0)
{
    TOrvDataSet &dataSet = window.Dataset(dataset);
    if (dataSet.State() == dsBrowse)
        dataSet.Edit();
    dataSet.FieldByName(QString::fromUtf8(field)).SetValue(v);
}

} // namespace

using MasterData = TRecordTest;

TEST_F(MasterData, AddEditNavigateAndDeleteLeaveTheirRowsAndChangeLog)
{
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("devKnowType"));
    EXPECT_EQ(window->FrmState(), fsNoRecord);

    ASSERT_TRUE(window->RunAction(1));
    EXPECT_EQ(window->FrmState(), fsAdd);
    EXPECT_EQ(window->MasterData().FieldByName(s("TypeID")).AsString(), s("000001"));
    setField(*window, "TypeName", s("技术文档"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(window->FrmState(), fsBrowse);
    EXPECT_EQ(window->CurrKeyValue(), s("000001"));
    EXPECT_EQ(value(s("select TypeName from devKnowType where TypeID = '000001'")), s("技术文档"));

    window->RunAction(1);
    EXPECT_EQ(window->MasterData().FieldByName(s("TypeID")).AsString(), s("000002"));
    setField(*window, "TypeName", s("生活"));
    window->RunAction(5);

    // Navigation: the last record answers in the status line and stays.
    window->RunAction(10);
    EXPECT_EQ(window->StatusText(), s("已经是最后一笔"));
    EXPECT_EQ(window->CurrKeyValue(), s("000002"));
    window->RunAction(8);
    EXPECT_EQ(window->CurrKeyValue(), s("000001"));
    window->RunAction(9);
    EXPECT_EQ(window->StatusText(), s("已经是第一笔"));

    // Edit: a change is stored.
    ASSERT_TRUE(window->RunAction(2));
    setField(*window, "TypeName", s("技术资料"));
    window->RunAction(5);
    EXPECT_EQ(value(s("select TypeName from devKnowType where TypeID = '000001'")), s("技术资料"));

    // Delete asks by the name field of a one-dataset module, then shows the
    // neighbour.
    answers.push_back(s("btnYes"));
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(boxTexts.value(0), s("确定删除[类别名称]为[技术资料]这条记录？"));
    EXPECT_EQ(value(s("select count(*) from devKnowType")), s("1"));
    EXPECT_EQ(window->CurrKeyValue(), s("000002"));

    EXPECT_EQ(value(s("select count(*) from comChangeLog where ProgID = 'devKnowType'")), s("4"));
    EXPECT_EQ(value(s("select group_concat(ChangeType, ',') from (select ChangeType from comChangeLog order by "
                      "rowid)")),
              s("新增,新增,修改,删除"));
    const QString deleted = value(s("select OldData_XML from comChangeLog where ChangeType = '删除'"));
    EXPECT_TRUE(deleted.contains(s("技术资料")));
    EXPECT_FALSE(value(s("select ComputerName from comChangeLog limit 1")).isEmpty());
    EXPECT_FALSE(value(s("select ChangeTime from comChangeLog limit 1")).isEmpty());
}

TEST_F(MasterData, KeysAreUpperCasedAndATakenKeyIsReplacedByANewOne)
{
    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('000007', '旧')"));
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("devKnowType"));
    window->RunAction(1);
    setField(*window, "TypeID", s("000007"));
    setField(*window, "TypeName", s("新"));
    window->RunAction(5);
    EXPECT_EQ(window->CurrKeyValue(), s("000008"));
    EXPECT_EQ(value(s("select TypeName from devKnowType where TypeID = '000008'")), s("新"));

    window->RunAction(1);
    setField(*window, "TypeID", s("ab1"));
    setField(*window, "TypeName", s("小写"));
    window->RunAction(5);
    EXPECT_EQ(value(s("select TypeID from devKnowType where TypeName = '小写'")), s("AB1"));
}

TEST_F(MasterData, RefusedSavesKeepTheWindowEditingWithTheUsersValues)
{
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("devKnowType"));
    window->RunAction(1);
    setField(*window, "TypeName", QVariant());
    EXPECT_EQ(refusal([&] { window->RunAction(5); }), s("[类别名称]不能为空"));
    EXPECT_EQ(window->FrmState(), fsAdd);

    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('X1', '重复')"));
    setField(*window, "TypeName", s("重复"));
    const QString repeated = refusal([&] { window->RunAction(5); });
    EXPECT_TRUE(repeated.contains(s("出现重复")));
    EXPECT_EQ(window->FrmState(), fsAdd);
    EXPECT_EQ(window->MasterData().FieldByName(s("TypeName")).AsString(), s("重复"));
    EXPECT_EQ(value(s("select count(*) from comChangeLog")), s("0"));
}

TEST_F(MasterData, AReferencedRecordRefusesDeletionNamingTheModuleAndKey)
{
    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('T1', '手册')"));
    DBConn().DBExcuteSql(s("insert into devKnowledge(KnowID, KnowType, Title) values('K9', 'T1', '安装')"));
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("devKnowType"), s("T1"));
    const QString why = refusal([&] { window->RunAction(3); });
    EXPECT_EQ(why, s("此资料已被[%1:K9]的第0数据集所用，不能删除").arg(GetDataSource(s("devKnowledge")).DisplayName));
    EXPECT_EQ(value(s("select count(*) from devKnowType")), s("1"));
    EXPECT_TRUE(boxTexts.isEmpty()); // refused before the question
}

TEST_F(MasterData, OpeningAMissingKeyFallsBackToTheFirstRecord)
{
    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('B', '乙')"));
    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('A', '甲')"));
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("devKnowType"), s("ZZ"));
    EXPECT_EQ(window->StatusText(), s("查询不到主键值为ZZ的数据，或没有权限查看！"));
    EXPECT_EQ(window->CurrKeyValue(), s("A"));

    // A request to show another record is refused while editing.
    window->RunAction(2);
    EXPECT_EQ(refusal([&] { window->MoveTo(s("B")); }), s("当前窗体已经于编辑状态，无法移到指定记录"));
    // Cancel asks first; anything but yes keeps the edit.
    answers.push_back(s("btnNo"));
    EXPECT_FALSE(window->Perform(6));
    EXPECT_EQ(window->FrmState(), fsEdit);
    answers.push_back(s("btnYes"));
    EXPECT_TRUE(window->Perform(6));
    EXPECT_EQ(boxTexts.last(), s("您确定取消吗？"));
    EXPECT_EQ(window->FrmState(), fsBrowse);
    EXPECT_EQ(window->CurrKeyValue(), s("A"));
}

TEST_F(MasterData, CopyTakesANewKeyAndOnlyTheDuplicableValues)
{
    SetZClock(QDateTime(QDate(2026, 3, 9), QTime(10, 0)));
    std::unique_ptr<TfrmMasterData> window = openRecordWindow<TfrmMasterData>(s("moxTask"));
    window->RunAction(1);
    // Tasks are numbered by date: the default rule is YYYYMMDD???.
    EXPECT_EQ(window->MasterData().FieldByName(s("TaskID")).AsString(), s("20260309001"));
    setField(*window, "TaskName", s("写周报"));
    setField(*window, "PlanBeginDate", QDateTime(QDate(2026, 3, 10), QTime()));
    window->RunAction(5);
    ASSERT_TRUE(window->RunAction(4));
    EXPECT_EQ(window->FrmState(), fsCopy);
    EXPECT_EQ(window->MasterData().FieldByName(s("TaskID")).AsString(), s("20260309002"));
    EXPECT_EQ(window->MasterData().FieldByName(s("TaskName")).AsString(), s("写周报"));
    window->RunAction(5);
    EXPECT_EQ(value(s("select count(*) from moxTask where TaskName = '写周报'")), s("2"));
    EXPECT_EQ(value(s("select ChangeType from comChangeLog where KeyValue = '20260309002'")), s("新增"));

    // A value cleared to null (a kind that has no empty value of its own)
    // leaves the stored value as it was.
    window->RunAction(2);
    setField(*window, "CompleteRate", 0.5);
    window->RunAction(5);
    window->RunAction(2);
    setField(*window, "CompleteRate", QVariant());
    window->RunAction(5);
    EXPECT_EQ(value(s("select CompleteRate from moxTask where TaskID = '20260309002'")), s("0.5"));
    ResetZClock();
}

TEST_F(MasterData, EntriesAreCheckedAgainstRelatedRecordsAndKeysInUse)
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values('P1', '张三')"));
    std::unique_ptr<TfrmMasterData> visit = openRecordWindow<TfrmMasterData>(s("moxVisit"));
    visit->RunAction(1);
    const QString caption = GetDataSource(s("moxAddressBook")).GetZField(s("PersonID"))->DisplayName;
    EXPECT_EQ(refusal([&] { setField(*visit, "PersonID", s("P9")); }), s("不存在[%1]:P9").arg(caption));
    setField(*visit, "PersonID", s("P1"));
    EXPECT_EQ(visit->MasterData().FieldByName(s("PersonID")).AsString(), s("P1"));

    DBConn().DBExcuteSql(s("insert into devKnowType(TypeID, TypeName) values('T1', '手册')"));
    DBConn().DBExcuteSql(s("insert into devKnowledge(KnowID, KnowType, Title) values('K9', 'T1', '安装')"));
    std::unique_ptr<TfrmMasterData> type = openRecordWindow<TfrmMasterData>(s("devKnowType"), s("T1"));
    type->RunAction(2);
    EXPECT_EQ(refusal([&] { setField(*type, "TypeID", s("T2")); }),
              s("此资料已被[%1:K9]的第0个数据集所用，主键不能修改").arg(GetDataSource(s("devKnowledge")).DisplayName));
    setField(*type, "TypeName", s("用户手册"));
    EXPECT_TRUE(type->RunAction(5));
}
