// The record selection window: rows of a module, the filter, single and
// multiple choice returned to the opener, the column store.
#include "RecordTestSupport.h"
#include "TestText.h"

#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "data/TDBConn.h"
#include "forms/TfrmSelectID.h"
#include "metadata/TOrvDataSet.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

/// An opener that keeps what comes back.
class TOpener final : public TfrmZForm
{
public:
    void FormReturnValue(const QString &name, const QString &value) override { returned << name + s("=") + value; }
    QStringList returned;
};

/// A selection window opened by `opener` for a module.
QPointer<TfrmSelectID> openChooser(TOpener &opener, const QString &progID, bool multi, const QString &returnName)
{
    auto *chooser = new TfrmSelectID;
    TZMessageEvent parent(ZWM_PARENTHANDLE, QString(), QString(), opener.Handle());
    QCoreApplication::sendEvent(chooser, &parent);
    TFormParams params;
    params.ProgID = progID;
    params.Action = returnName;
    params.MultiSelect = multi;
    chooser->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
    chooser->show();
    return chooser;
}

} // namespace

using SelectID = TRecordTest;

TEST_F(SelectID, SingleAndMultipleChoiceReturnTheirKeys)
{
    for (const char *row : {"('P1', '张三')", "('P2', '李四')", "('P3', '王五')"})
        DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values") + s(row));
    TOpener opener;

    QPointer<TfrmSelectID> single = openChooser(opener, s("moxAddressBook"), false, QString());
    ASSERT_EQ(single->Rows().RecordCount(), 3);
    single->findChild<QLineEdit *>(s("edtFilter"))->setText(s("李"));
    single->ApplyFilter();
    EXPECT_TRUE(single->Grid()->View()->isRowHidden(0, {}));
    EXPECT_FALSE(single->Grid()->View()->isRowHidden(1, {}));
    ASSERT_TRUE(single->Rows().Locate(s("PersonID"), {s("P2")}));
    single->TakeBack();
    EXPECT_EQ(opener.returned, QStringList({s("ReturnID=P2")}));

    QPointer<TfrmSelectID> multi = openChooser(opener, s("moxAddressBook"), true, s("Persons"));
    EXPECT_TRUE(multi->windowTitle().endsWith(s(" - 多选")));
    // Closed with nothing selected: nothing comes back.
    multi->Grid()->View()->selectionModel()->clearSelection();
    multi->TakeBack();
    EXPECT_EQ(opener.returned.size(), 1);

    multi = openChooser(opener, s("moxAddressBook"), true, s("Persons"));
    QItemSelectionModel *selection = multi->Grid()->View()->selectionModel();
    selection->clearSelection();
    for (int row : {0, 2})
        selection->select(multi->Grid()->View()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    multi->TakeBack();
    EXPECT_EQ(opener.returned.value(1), s("Persons='P1'[#]'P3'"));
}

TEST_F(SelectID, AnEmptyListReturnsNothingAndColumnsAreKept)
{
    TOpener opener;
    QPointer<TfrmSelectID> chooser = openChooser(opener, s("moxHumanType"), false, QString());
    EXPECT_EQ(chooser->Rows().RecordCount(), 0);
    chooser->Grid()->SetColumnWidth(s("TypeName"), 222);
    chooser->TakeBack();
    EXPECT_TRUE(opener.returned.isEmpty());
    EXPECT_TRUE(folder->readFile(s("log/Display.log")).contains("222"));

    chooser = openChooser(opener, s("moxHumanType"), false, QString());
    EXPECT_EQ(chooser->Grid()->ColumnWidth(s("TypeName")), 222);
    chooser->close();
}
