// The size-and-position keeper: what moves, what stretches and what stays
// when a window is widened, the distance kept below a page control, group
// boxes, and the keeper every framework window gets.
#include "TestText.h"

#include "controls/TZFieldLink.h"
#include "data/TZClientDataSet.h"
#include "layout/TAutoSizeAndPos.h"
#include "layout/ZControlTags.h"
#include "layout/ZFormKeepers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

template <typename T>
T *make(QWidget *parent, const char *name, QRect geometry)
{
    auto *control = new T(parent);
    control->setObjectName(s(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace

TEST(SizeKeeper, WideningMovesLabelsAndStretchesEditorsByTheRatio)
{
    QWidget window;
    window.setObjectName(s("frmSample"));
    window.resize(300, 200);
    auto *label = make<QLabel>(&window, "lblName", QRect(8, 39, 110, 13));
    auto *edit = make<QLineEdit>(&window, "DBName", QRect(88, 35, 200, 21));
    auto *check = make<QCheckBox>(&window, "DBDone", QRect(88, 60, 100, 21));
    auto *combo = make<QComboBox>(&window, "DBKind", QRect(25, 85, 101, 21));
    auto *button = make<QPushButton>(&window, "btnOK", QRect(10, 120, 75, 25));
    auto *plainMemo = make<QPlainTextEdit>(&window, "memPlain", QRect(10, 150, 100, 40));
    TZClientDataSet data;
    data.CreateDataSet({{s("Note"), ftZMemo, 0, QString(), QString()}});
    auto *boundMemo = make<QPlainTextEdit>(&window, "DBNote", QRect(120, 150, 100, 40));
    new TZFieldLink(boundMemo, data, s("Note"));

    TAutoSizeAndPos keeper(window);
    keeper.SaveCtrlsSizeAndPos();
    EXPECT_EQ(keeper.Records().value(s("frmSample")).Width, 300);
    window.resize(450, 260);
    keeper.AutoCtrlsSizeAndPos();

    EXPECT_EQ(label->geometry(), QRect(12, 39, 110, 13));
    EXPECT_EQ(edit->geometry(), QRect(132, 35, 300, 21));
    EXPECT_EQ(check->geometry(), QRect(132, 60, 100, 21));
    // Truncated: 37.5 → 37, 151.5 → 151.
    EXPECT_EQ(combo->geometry(), QRect(37, 85, 151, 21));
    EXPECT_EQ(button->geometry(), QRect(10, 120, 75, 25));
    EXPECT_EQ(plainMemo->geometry(), QRect(10, 150, 100, 40));
    EXPECT_EQ(boundMemo->geometry(), QRect(180, 150, 150, 40));

    // Relative to the record, not to the last re-lay.
    window.resize(300, 200);
    keeper.Relayout();
    EXPECT_EQ(edit->geometry(), QRect(88, 35, 200, 21));

    // Without records nothing moves.
    keeper.FreeCtrlsSizeAndPos();
    window.resize(600, 200);
    keeper.AutoCtrlsSizeAndPos();
    EXPECT_EQ(edit->geometry(), QRect(88, 35, 200, 21));
}

TEST(SizeKeeper, ControlsBelowThePageControlKeepTheirDistanceAndGroupBoxesNeedBothAnchors)
{
    QWidget window;
    window.resize(400, 400);
    auto *pages = make<QTabWidget>(&window, "PageControl", QRect(4, 60, 380, 200));
    auto *note = make<QLineEdit>(&window, "DBNote", QRect(88, 270, 200, 21));
    SetZTag(note, 10010);
    auto *plainGroup = make<QGroupBox>(&window, "grpPlain", QRect(0, 300, 200, 50));
    auto *inPlain = make<QLineEdit>(plainGroup, "edtPlain", QRect(10, 20, 100, 21));
    auto *wideGroup = make<QGroupBox>(&window, "grpWide", QRect(200, 300, 200, 50));
    SetZAnchors(wideGroup, Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge);
    auto *inWide = make<QLineEdit>(wideGroup, "edtWide", QRect(10, 20, 100, 21));
    // A control placed by a Qt layout is the layout's.
    auto *laidOut = make<QWidget>(&window, "pnlLaidOut", QRect(0, 360, 400, 40));
    auto *inLayout = make<QLineEdit>(laidOut, "edtLaidOut", QRect(0, 0, 100, 21));
    (new QVBoxLayout(laidOut))->addWidget(inLayout);

    TAutoSizeAndPos keeper(window);
    keeper.SaveCtrlsSizeAndPos();
    pages->setGeometry(4, 60, 380, 260);
    window.resize(800, 400);
    const QRect laidOutBefore = inLayout->geometry();
    keeper.AutoCtrlsSizeAndPos();
    EXPECT_EQ(note->geometry(), QRect(176, 330, 400, 21));
    EXPECT_EQ(inPlain->geometry(), QRect(10, 20, 100, 21));
    EXPECT_EQ(inWide->geometry(), QRect(20, 20, 200, 21));
    EXPECT_EQ(inLayout->geometry(), laidOutBefore);
}

TEST(SizeKeeper, EveryFrameworkWindowGetsAKeeperThatRecordsItsDesign)
{
    QWidget window;
    window.resize(200, 100);
    auto *edit = make<QLineEdit>(&window, "edtA", QRect(10, 10, 100, 21));
    const TZSizeKeeperMaker &maker = ZSizeKeeperMaker();
    ASSERT_TRUE(maker);
    const std::unique_ptr<TZSizeKeeper> keeper = maker(window);
    ASSERT_NE(dynamic_cast<TAutoSizeAndPos *>(keeper.get()), nullptr);
    window.resize(400, 100);
    keeper->Relayout();
    EXPECT_EQ(edit->geometry(), QRect(20, 10, 200, 21));
    keeper->Save();
    window.resize(200, 100);
    keeper->Relayout();
    EXPECT_EQ(edit->geometry(), QRect(10, 10, 100, 21));
}
