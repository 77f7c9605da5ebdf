// The list window: waking, periods, the rows a user may see, conditions,
// reloading on its message, the left panel's state and the powers.
#include "ListTestSupport.h"
#include "ZScreenshot.h"

#include "common/ZFiles.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "ini/TZIniFile.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/ZPowers.h"
#include "settings/ZSession.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

/// A list that applies a user condition the way the condition editor does.
class TConditionList final : public TfrmListFormBase
{
public:
    void Apply(const QString &where) { ApplyCondition(where, false); }
};

/// The person 007 may use the notes with the power code given.
void allowUser007(const QString &powers)
{
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('007', '李四')"));
    InitPowerDesignTable(DBConn().GetDBCONN());
    DBConn().DBExcuteSql(s("insert into PowerDesign(Flag, UserID, ProgID, Powers) values(1, '007', 'moxNotepad', '%1')")
                             .arg(powers));
}

} // namespace

using ListForm = TListTest;

TEST_F(ListForm, WakesOnceWithItsPeriodsAndReloadsOnRequest)
{
    addNotes(60);
    auto notes = openList(s("moxNotepad"));
    EXPECT_EQ(notes->windowTitle(), s("记事本【清单】"));
    EXPECT_EQ(notes->GetProgID(), s("moxNotepad"));
    EXPECT_EQ(notes->GridLogTag(), s("moxNotepad"));
    EXPECT_FALSE(notes->FirstWake());
    // A module with a date field offers all eight periods and starts with
    // the latest 50.
    EXPECT_EQ(notes->DataAreaTexts(),
              QStringList({s("显示今天数据"), s("显示本周数据"), s("显示本月数据"), s("显示今年数据"),
                           s("显示最近50笔"), s("显示最近100笔"), s("显示最近500笔"), s("显示所有数据")}));
    EXPECT_EQ(notes->DataArea(), lsTop50);
    EXPECT_EQ(notes->DataSet().RecordCount(), 50);
    // Rows in key order; cells show their display texts.
    notes->DataSet().First();
    EXPECT_EQ(notes->KeyValue(), s("N011"));
    notes->SetDataAreaText(s("显示所有数据"));
    EXPECT_EQ(notes->DataSet().RecordCount(), 60);
    notes->SetDataAreaText(s("显示今天数据"));
    EXPECT_EQ(notes->DataSet().RecordCount(), 0);
    EXPECT_EQ(ZDataAreaOfText(s("显示去年数据")), lsTop50);
    notes->SetDataAreaText(s("显示所有数据"));

    // A second wake changes nothing; "ReFresh" and the refresh action reload.
    addNotes(1, 61);
    notes->FormReturnValue(s("WakeUp"), QString());
    EXPECT_EQ(notes->DataSet().RecordCount(), 60);
    notes->FormReturnValue(s("ReFresh"), QString());
    EXPECT_EQ(notes->DataSet().RecordCount(), 61);
    addNotes(1, 62);
    action(*notes, "actRefresh")->trigger();
    EXPECT_EQ(notes->DataSet().RecordCount(), 62);

    // Message 1940 reloads and comes back to the row that was current.
    ASSERT_TRUE(notes->DataSet().Locate(s("NoteID"), {s("N030")}));
    DBConn().DBExcuteSql(s("delete from moxNotepad where NoteID = 'N001'"));
    QCoreApplication::postEvent(notes.get(), new TZMessageEvent(ZWM_RELOADLIST));
    QCoreApplication::sendPostedEvents(notes.get());
    EXPECT_EQ(notes->DataSet().RecordCount(), 61);
    EXPECT_EQ(notes->KeyValue(), s("N030"));
    EXPECT_EQ(notes->Grid()->View()->currentIndex().row(), notes->DataSet().RecNo() - 1);

    // Without a date field only the four count choices, from all rows.
    auto types = openList(s("moxHumanType"));
    EXPECT_EQ(types->DataAreaTexts(),
              QStringList({s("显示最近50笔"), s("显示最近100笔"), s("显示最近500笔"), s("显示所有数据")}));
    EXPECT_EQ(types->DataArea(), lsAll);
}

TEST_F(ListForm, MakerRowsForUsersWithoutBrowseAllAndConditions)
{
    // The notes get a maker and the browse-all power.
    {
        QFile file(path(s("DBSource/moxNotepad.dbs")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        text.replace(s("Powers=执行,新增"), s("Powers=执行,全查,新增"));
        text += s("[<DSField>Master-moxNotepad-MakerID]\nDisplayName=制单人\nFieldType=ftZString\nLength=20\n"
                  "Visible=True\nAllowEmpty=True\nNoRepeat=False\nCanDuplicate=True\nFieldIndex=5\n"
                  "DataSource=moxNotepad\nDataset=Master\nTableName=moxNotepad\nFieldName=MakerID\nPropertys=\n");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    DBConn().DBExcuteSql(s("alter table moxNotepad add MakerID varchar(20)"));
    addNotes(5);
    DBConn().DBExcuteSql(s("update moxNotepad set MakerID = '007' where NoteID in ('N001', 'N003')"));
    DBConn().DBExcuteSql(s("update moxNotepad set MakerID = '008' where NoteID = 'N002'"));
    allowUser007(s("1001110000"));
    const TUserInfo admin = UserInfo;
    UserInfo = TUserInfo{s("007"), s("007"), s("李四"), QString()};

    // Both the plain list and the list with its panel show the user's rows.
    auto plain = openList<TfrmListForm>(s("moxNotepad"));
    EXPECT_EQ(plain->DataSet().RecordCount(), 2);
    auto panel = openList(s("moxNotepad"));
    EXPECT_EQ(panel->DataSet().RecordCount(), 2);
    EXPECT_FALSE(panel->Powers().allBrowse);

    DBConn().DBExcuteSql(s("update PowerDesign set Powers = '1011110000'"));
    auto all = openList<TfrmListForm>(s("moxNotepad"));
    EXPECT_EQ(all->DataSet().RecordCount(), 5);
    EXPECT_TRUE(all->Powers().allBrowse);

    UserInfo = admin;
    DBConn().DBExcuteSql(s("update PowerDesign set Powers = '1000000000'"));
    auto asAdmin = openList<TfrmListForm>(s("moxNotepad"));
    EXPECT_EQ(asAdmin->DataSet().RecordCount(), 5);

    // A condition replaces the period; an empty one gives the default rows.
    auto conditioned = openList<TConditionList>(s("moxNotepad"));
    conditioned->Apply(s(" And A.NoteTitle = '标题002'"));
    EXPECT_EQ(conditioned->DataSet().RecordCount(), 1);
    EXPECT_FALSE(conditioned->ConditionInForce());
    conditioned->Apply(QString());
    EXPECT_EQ(conditioned->DataSet().RecordCount(), 5);
    // A condition that does not run leaves the list as it was.
    EXPECT_FALSE(refusal([&] { conditioned->Apply(s(" And A.NoSuchField = 1")); }).isEmpty());
    EXPECT_EQ(conditioned->DataSet().RecordCount(), 5);
}

TEST_F(ListForm, PowersDecideTheActions)
{
    addNotes(2);
    // Open and add only.
    allowUser007(s("1001000000"));
    UserInfo = TUserInfo{s("007"), s("007"), s("李四"), QString()};
    auto limited = openList(s("moxNotepad"));
    EXPECT_TRUE(action(*limited, "actAdd")->isVisible());
    EXPECT_FALSE(action(*limited, "actEdit")->isVisible());
    EXPECT_FALSE(action(*limited, "actDelete")->isVisible());
    EXPECT_TRUE(action(*limited, "actBrowse")->isEnabled());
    // What has nothing to open stays out of sight; export needs its power.
    for (const char *name : {"actImport", "actPrint", "actTrans"})
        EXPECT_FALSE(action(*limited, name)->isVisible()) << name;
    EXPECT_FALSE(action(*limited, "actExport")->isEnabled());

    UserInfo = TUserInfo{};
    auto full = openList(s("moxNotepad"));
    for (const char *name : {"actAdd", "actEdit", "actDelete", "actBrowse", "actExport"}) {
        EXPECT_TRUE(action(*full, name)->isVisible()) << name;
        EXPECT_TRUE(action(*full, name)->isEnabled()) << name;
    }
    // Without rows only adding is left.
    full->SetDataAreaText(s("显示今天数据"));
    for (const char *name : {"actEdit", "actDelete", "actBrowse"})
        EXPECT_FALSE(action(*full, name)->isEnabled()) << name;
    EXPECT_TRUE(action(*full, "actAdd")->isEnabled());
}

TEST_F(ListForm, LeftPanelKeepsItsStatePerUser)
{
    addNotes(8);
    UserInfo.UserID = s("Admin");
    {
        auto notes = openList(s("moxNotepad"));
        notes->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(notes.get()));
        EXPECT_FALSE(notes->LeftSideClosed());
        EXPECT_TRUE(notes->findChild<QWidget *>(s("pnlLeft"))->isVisible());
        notes->SetFilterField(s("NoteTitle"));
        notes->SetKeyWord(s("标题"));
        ZSaveScreenshot(*notes, s("list_notes_left_panel"));
        action(*notes, "actLeftSide")->trigger();
        EXPECT_TRUE(notes->LeftSideClosed());
        EXPECT_FALSE(notes->findChild<QWidget *>(s("pnlLeft"))->isVisible());
    }
    const TZIniFile store(GetLogPath() + s("forms_Admin.log"));
    EXPECT_EQ(store.ReadString(s("ListForm"), s("LeftSideClosed"), QString()), s("1"));

    auto again = openList(s("moxHumanType"));
    again->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(again.get()));
    EXPECT_TRUE(again->LeftSideClosed());
    EXPECT_FALSE(again->findChild<QWidget *>(s("pnlLeft"))->isVisible());
    again->SetLeftSideClosed(false);
    again.reset();
    EXPECT_EQ(TZIniFile(GetLogPath() + s("forms_Admin.log")).ReadString(s("ListForm"), s("LeftSideClosed"), QString()),
              s("0"));
}
