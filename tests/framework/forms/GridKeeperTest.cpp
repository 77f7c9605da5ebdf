// Every framework window keeps the column layout of its grids: restored when
// it is shown, saved when it closes, through the keeper the grid layer
// installs.
#include "TTempProgramFolder.h"
#include "TestText.h"

#include "common/ZFiles.h"
#include "controls/TZDBGrid.h"
#include "data/TZClientDataSet.h"
#include "forms/TfrmZForm.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class TfrmGridWindow : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmGridWindow(TZClientDataSet &dataSet)
    {
        auto *layout = new QVBoxLayout(this);
        grid = new TZDBGrid(this);
        grid->setObjectName(QStringLiteral("gridNotes"));
        grid->SetDataSet(&dataSet);
        layout->addWidget(grid);
        resize(500, 300);
    }

    QString GridLogTag() override { return QStringLiteral("moxNote"); }

    TZDBGrid *grid;
};

} // namespace

TEST(GridKeeper, FrameworkWindowsKeepTheirGridLayouts)
{
    TTempProgramFolder folder;
    UserInfo.UserID = s("U1");
    TZClientDataSet notes;
    notes.CreateDataSet({{s("Title"), ftZString, 0, {}, {}}, {s("Pages"), ftZInteger, 0, {}, {}}});
    notes.Append();
    notes.FieldByName(s("Title")).SetAsString(s("周报"));
    notes.Post();

    auto *form = new TfrmGridWindow(notes);
    form->show();
    ASSERT_NE(form->GridKeeper(), nullptr);
    form->grid->SetColumnWidth(s("Title"), 240);
    form->grid->SetColumnVisible(s("Pages"), false);
    QPointer<TfrmZForm> guarded(form);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(guarded.isNull());
    EXPECT_TRUE(QFile::exists(GetCurrPath() + s("log/Grid_U1_TfrmGridWindow_moxNote.log")));

    form = new TfrmGridWindow(notes);
    form->show();
    EXPECT_EQ(form->grid->ColumnWidth(s("Title")), 240);
    EXPECT_FALSE(form->grid->ColumnShown(s("Pages")));
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

#include "GridKeeperTest.moc"
