// The layout editor, used with the mouse the way a person does.

#include "ReportTestSupport.h"
#include "TTempProgramFolder.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "forms/ZMessageBox.h"
#include "print/TZReportDesignScene.h"
#include "print/TfrmReportDesign.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsView>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ReportDesign : public ::testing::Test
{
protected:
    TTempProgramFolder folder;
    TReportFixture fixture;
    QStringList boxes;
    TZMsgBtn answer = zbNo;

    void SetUp() override
    {
        fixture.add(s("张三"), s("文具"), 2, s("12.5"));
        SetZBoxAnswerer([this](QDialog &box) {
            boxes << box.windowTitle();
            const char *names[] = {"btnOK", "btnCancel", "btnYes", "btnNo"};
            if (auto *button = box.findChild<QAbstractButton *>(s(names[answer])))
                button->click();
            else
                box.reject();
        });
    }
    void TearDown() override { SetZBoxAnswerer(nullptr); }

    QString file() const { return folder.path() + s("Report/Rpt_moxSales_预设报表.zrl"); }

    /// Presses the left button at a scene point, drags to another and lets go.
    static void drag(QGraphicsView &view, const QPointF &from, const QPointF &to)
    {
        QWidget *viewport = view.viewport();
        const QPoint a = view.mapFromScene(from);
        const QPoint b = view.mapFromScene(to);
        auto send = [&](QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        };
        send(QEvent::MouseButtonPress, a, Qt::LeftButton);
        const QPoint middle = (a + b) / 2;
        send(QEvent::MouseMove, middle, Qt::LeftButton);
        send(QEvent::MouseMove, b, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, b, Qt::NoButton);
    }

    static void type(QWidget *editor, const QString &text)
    {
        editor->setFocus();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(editor, &event);
    }
};

TEST_F(ReportDesign, AddMoveSizeEditSaveAndReload)
{
    const TZReportLayout start = TZReportLayout::DefaultLayout(s("销售报表"), TReportFixture::columns());
    TfrmReportDesign design(nullptr, file(), start, fixture.data());
    design.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&design));
    TZReportDesignScene &scene = *design.Scene();
    QGraphicsView &view = *design.View();

    int title = -1;
    for (int i = 0; i < design.Layout().bands.size(); ++i) {
        if (design.Layout().bands.at(i).kind == bkTitle)
            title = i;
    }
    ASSERT_GE(title, 0);
    scene.Select(title, -1);
    design.AddText();
    const int added = int(design.Layout().bands.at(title).objects.size() - 1);
    ASSERT_EQ(scene.SelectedBand(), title);
    ASSERT_EQ(scene.SelectedObject(), added);
    EXPECT_TRUE(design.Modified());

    auto *text = design.findChild<QPlainTextEdit *>(s("edtText"));
    ASSERT_NE(text, nullptr);
    text->selectAll();
    type(text, s("制表："));
    QListWidget *fields = design.findChild<QListWidget *>(s("lstFields"));
    ASSERT_NE(fields, nullptr);
    const auto found = fields->findItems(s("ParamData.Company"), Qt::MatchStartsWith);
    ASSERT_EQ(found.size(), 1);
    fields->setCurrentItem(found.first());
    emit fields->itemDoubleClicked(found.first());
    EXPECT_EQ(design.Layout().bands.at(title).objects.at(added).text, s("制表：[ParamData.Company]"));

    // Dragged by its middle 20 mm right and 2 mm down; sized by its corner.
    const QRectF before = scene.ObjectArea(title, added);
    const QRectF mmBefore = design.Layout().bands.at(title).objects.at(added).rect;
    const double dpm = scene.DotsPerMm();
    view.ensureVisible(before);
    drag(view, before.center(), before.center() + QPointF(20 * dpm, 2 * dpm));
    QRectF mm = design.Layout().bands.at(title).objects.at(added).rect;
    EXPECT_NEAR(mm.left(), mmBefore.left() + 20, 0.6);
    EXPECT_NEAR(mm.top(), mmBefore.top() + 2, 0.6);
    EXPECT_EQ(mm.size(), mmBefore.size());
    const QRectF moved = scene.ObjectArea(title, added);
    drag(view, moved.bottomRight(), moved.bottomRight() + QPointF(15 * dpm, 0));
    mm = design.Layout().bands.at(title).objects.at(added).rect;
    EXPECT_NEAR(mm.width(), mmBefore.width() + 15, 0.6);
    EXPECT_NEAR(mm.left(), mmBefore.left() + 20, 0.6) << "sizing keeps the place";

    ZSaveScreenshot(design, s("report_design"));

    design.Save();
    EXPECT_FALSE(design.Modified());
    TZReportLayout saved;
    saved.LoadFromFile(file());
    EXPECT_TRUE(saved == design.Layout());
    EXPECT_EQ(saved.bands.at(title).objects.at(added).rect, mm);

    // A new editor on the same file opens what was saved, not the start layout.
    TfrmReportDesign again(nullptr, file(), start, fixture.data());
    EXPECT_TRUE(again.Layout() == saved);
    again.Scene()->Select(title, added);
    again.DeleteSelected();
    EXPECT_EQ(again.Layout().bands.at(title).objects.size(), start.bands.at(title).objects.size());
}

TEST_F(ReportDesign, ClosingAsksToSaveChanges)
{
    const TZReportLayout start = TZReportLayout::DefaultLayout(s("报表"), TReportFixture::columns());
    {
        TfrmReportDesign design(nullptr, file(), start, fixture.data());
        design.show();
        design.close();
        EXPECT_TRUE(boxes.isEmpty()) << "nothing changed, nothing asked";
        EXPECT_FALSE(QFile::exists(file()));
    }
    TfrmReportDesign design(nullptr, file(), start, fixture.data());
    design.show();
    design.AddText();
    answer = zbCancel;
    design.reject();
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_TRUE(design.isVisible()) << "cancel stays in the editor";
    answer = zbYes;
    design.close();
    EXPECT_FALSE(design.isVisible());
    ASSERT_TRUE(QFile::exists(file()));
    TZReportLayout saved;
    saved.LoadFromFile(file());
    EXPECT_TRUE(saved == design.Layout());
}

TEST_F(ReportDesign, BandHeightFromThePanelAndABadFileRefused)
{
    TZReportLayout start = TZReportLayout::DefaultLayout(s("报表"), TReportFixture::columns());
    TfrmReportDesign design(nullptr, file(), start, fixture.data());
    design.show();
    auto *height = design.findChild<QDoubleSpinBox *>(s("edtBandHeight"));
    ASSERT_NE(height, nullptr);
    const int band = design.Scene()->SelectedBand();
    ASSERT_EQ(design.Layout().bands.at(band).kind, bkData) << "the data band is selected first";
    const double areaBefore = design.Scene()->BandArea(band).height();
    height->setValue(12);
    EXPECT_EQ(design.Layout().bands.at(band).height, 12);
    EXPECT_GT(design.Scene()->BandArea(band).height(), areaBefore);
    design.Save();

    QFile damaged(file());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("<ZKVAReport version=\"1\"><Band kind=\"Nowhere\"/></ZKVAReport>");
    damaged.close();
    EXPECT_THROW(TfrmReportDesign(nullptr, file(), start, fixture.data()), EZError);
    QFile kept(file());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().contains("Nowhere")) << "the bad file stays as it was";
}

} // namespace
