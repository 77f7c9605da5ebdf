// The layout generator on real modules and windows: which editor each field
// gets, its name, binding and place; pages, the page control and the window's
// size; reuse of designed and earlier controls; the generator's errors.
#include "LayoutFixture.h"

#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "controls/TZDBImage.h"
#include "controls/TZFieldLink.h"
#include "controls/TZLookUpCombobox.h"
#include "controls/ZEditorAdapter.h"
#include "data/TDBConn.h"
#include "layout/TAutoDesignUI.h"
#include "layout/ZControlTags.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>

namespace {

class AutoDesign : public LayoutFixture
{
protected:
    template <typename T = QWidget>
    static T *child(QWidget &window, const char *name)
    {
        QWidget *found = window.findChild<QWidget *>(s(name));
        EXPECT_NE(found, nullptr) << name;
        T *typed = qobject_cast<T *>(found);
        EXPECT_TRUE(!found || typed) << name << " is a " << found->metaObject()->className();
        return typed;
    }
    static QString errorOf(const std::function<void()> &run)
    {
        try {
            run();
        } catch (const EZError &error) {
            return error.message();
        }
        return {};
    }
};

/// A window shaped like the generated bill window: a page control whose first
/// page holds the lines, then the head page, the self page and the memo page.
struct TBillWindow
{
    QWidget window;
    QTabWidget *pages = new QTabWidget(&window);
    QWidget *lines = new QWidget;
    QWidget *fund = new QWidget;
    QWidget *self = new QWidget;
    QWidget *memo = new QWidget;

    TBillWindow()
    {
        window.setObjectName(s("frmBill"));
        pages->setObjectName(s("PageControl"));
        pages->setGeometry(0, 0, 500, 150);
        pages->addTab(lines, s("明细"));
        pages->addTab(fund, s("帐款"));
        pages->addTab(self, s("自定义栏位"));
        pages->addTab(memo, s("备注"));
    }
    void attach(TAutoDesignUI &ui) const
    {
        ui.UIPageControl = pages;
        ui.UIPageSheetHead = fund;
        ui.UIPageSheetSelf = self;
        ui.UIPageSheetMemo = memo;
    }
};

} // namespace

TEST_F(AutoDesign, AShippedModuleBecomesBoundEditorsInOneColumn)
{
    copyShipped(s("DBSource"));
    TOrvDataSet tasks;
    openEmpty(tasks, s("moxTask"));
    QWidget window;
    window.setObjectName(s("frmMoxTask"));
    auto *ui = new TAutoDesignUI(&window);
    EXPECT_EQ(ui->parent(), &window);
    ui->ProgID = s("moxTask");
    ui->UIDataSource = &tasks;
    ui->AutoCreateCtrls();

    // Kinds by field type; names "DB" and "lbl" + field.
    EXPECT_NE(child<QLineEdit>(window, "DBTaskName"), nullptr);
    QDateEdit *begin = child<QDateEdit>(window, "DBPlanBeginDate");
    ASSERT_NE(begin, nullptr);
    EXPECT_TRUE(begin->calendarPopup());
    QComboBox *priority = child<QComboBox>(window, "DBPriority");
    ASSERT_NE(priority, nullptr);
    EXPECT_EQ(priority->count(), 3);
    EXPECT_EQ(priority->itemText(1), s("中"));
    QLineEdit *rate = child<QLineEdit>(window, "DBCompleteRate");
    ASSERT_NE(rate, nullptr);
    EXPECT_TRUE(rate->alignment() & Qt::AlignRight);
    QPlainTextEdit *content = child<QPlainTextEdit>(window, "DBContent");
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QLabel *label = child<QLabel>(window, "lblTaskID");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), s("行程编号"));
    EXPECT_EQ(label->buddy(), child(window, "DBTaskID"));
    EXPECT_EQ(GetFieldNameByCtrl(child(window, "DBTaskID")), s("TaskID"));

    // One column from 35 down, each row below the one before; the head-page
    // field falls into it without pages.
    int top = 35;
    for (const char *name : {"TaskID", "TaskName", "Place", "PlanBeginDate", "PlanEndDate", "ActEndDate", "Priority",
                             "CompleteRate", "Content", "Remark"}) {
        QWidget *editor = child(window, (std::string("DB") + name).c_str());
        QWidget *caption = child(window, (std::string("lbl") + name).c_str());
        ASSERT_TRUE(editor && caption);
        EXPECT_EQ(editor->geometry().topLeft(), QPoint(88, top)) << name;
        EXPECT_EQ(editor->width(), 200) << name;
        EXPECT_EQ(caption->geometry().topLeft(), QPoint(8, top + 4)) << name;
        EXPECT_EQ(ZTag(editor), 11);
        EXPECT_EQ(ZTag(caption), 11);
        EXPECT_EQ(editor->parentWidget(), &window);
        top += editor->height() + 4;
    }
    EXPECT_EQ(window.width(), 308);
    EXPECT_EQ(window.minimumWidth(), 308);
    EXPECT_EQ(window.height(), top + 40);

    // Bound: what is typed or chosen reaches the dataset; a pick list stores
    // the integer of its item.
    tasks.Append();
    auto *name = child<QLineEdit>(window, "DBTaskName");
    name->setText(s("去上海"));
    emit name->editingFinished();
    EXPECT_EQ(tasks.FieldByName(s("TaskName")).AsString(), s("去上海"));
    priority->setCurrentIndex(2);
    EXPECT_EQ(tasks.FieldByName(s("Priority")).Value(), QVariant(2));
    tasks.FieldByName(s("Priority")).SetValue(1);
    tasks.Post();
    EXPECT_EQ(priority->currentText(), s("中"));

    window.show();
    ZSaveScreenshot(window, s("layout_moxTask"));
}

TEST_F(AutoDesign, ABillWindowSpreadsFieldsOverItsPages)
{
    DBConn().DBExcuteSql(s("insert into tstClient(ClientID, ClientName) values('C01', '张三')"));
    TOrvDataSet orders;
    openEmpty(orders, s("tstOrder"));
    TBillWindow bill;
    TAutoDesignUI ui(&bill.window);
    ui.ProgID = s("tstOrder");
    ui.UIDataSource = &orders;
    bill.attach(ui);
    ui.AutoCreateCtrls();
    QWidget &window = bill.window;

    // The head: OrderID, then OrderDate and OrderTime sharing a row, ClientID
    // on the right as a look-up of tstClient.
    EXPECT_EQ(child(window, "DBOrderID")->geometry().topLeft(), QPoint(88, 35));
    QWidget *date = child<QDateEdit>(window, "DBOrderDate");
    QWidget *time = child<QTimeEdit>(window, "DBOrderTime");
    ASSERT_TRUE(date && time);
    const int row = child(window, "DBOrderID")->geometry().bottom() + 5;
    EXPECT_EQ(date->geometry(), QRect(88, row, 100, date->height()));
    EXPECT_EQ(time->geometry(), QRect(188, row, 100, time->height()));
    EXPECT_TRUE(child(window, "lblOrderDate")->isVisibleTo(&window));
    EXPECT_FALSE(child(window, "lblOrderTime")->isVisibleTo(&window));
    auto *client = child<TZDBLookUpCombobox>(window, "DBClientID");
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->geometry().topLeft(), QPoint(430, 35));
    ASSERT_NE(client->RelatedSource(), nullptr);
    EXPECT_EQ(client->RelatedSource()->Name, s("tstClient"));
    EXPECT_EQ(client->count(), 1);

    // The pages: Qty and Level on the head page, Paid and Amount on the self
    // page, the memo filling the memo page without a label.
    EXPECT_EQ(child<QSpinBox>(window, "DBQty")->parentWidget(), bill.fund);
    EXPECT_EQ(child(window, "DBQty")->geometry().topLeft(), QPoint(88, 4));
    EXPECT_EQ(child(window, "lblLevel")->parentWidget(), bill.fund);
    EXPECT_EQ(child(window, "lblLevel")->geometry().topLeft(), QPoint(350, 8));
    auto *paid = child<QCheckBox>(window, "DBPaid");
    ASSERT_NE(paid, nullptr);
    EXPECT_EQ(paid->parentWidget(), bill.self);
    EXPECT_EQ(paid->text(), s("已付"));
    EXPECT_FALSE(child(window, "lblPaid")->isVisibleTo(&window));
    EXPECT_EQ(child(window, "DBAmount")->parentWidget(), bill.self);
    EXPECT_EQ(child(window, "DBAmount")->geometry().topLeft(), QPoint(430, 4));
    EXPECT_EQ(child<QPlainTextEdit>(window, "DBContent")->parentWidget(), bill.memo);
    EXPECT_EQ(window.findChild<QLabel *>(s("lblContent")), nullptr);
    // An invisible field gets nothing.
    EXPECT_EQ(window.findChild<QWidget *>(s("DBPhoto")), nullptr);

    // The page control below the head, as wide as the layout; the field
    // below it keeps its distance in its tag.
    const int headBottom = row + date->height() + 4;
    EXPECT_EQ(bill.pages->geometry(), QRect(4, headBottom + 4, 634, 200));
    EXPECT_TRUE(bill.pages->isTabVisible(1));
    EXPECT_TRUE(bill.pages->isTabVisible(2));
    QWidget *note = child(window, "DBNote");
    EXPECT_EQ(note->geometry().top(), headBottom + 4 + 200 + 10);
    EXPECT_EQ(ZTag(note), 10010);
    EXPECT_EQ(GetFieldNameByCtrl(note), s("NoteText")); // bound to the column of its alias
    EXPECT_NE(orders.FindField(s("NoteText")), nullptr);
    EXPECT_EQ(ZTag(child(window, "lblNote")), 10014);
    EXPECT_EQ(window.width(), 650);
    EXPECT_EQ(window.height(), note->geometry().bottom() + 5 + 55);

    window.show();
    bill.pages->setCurrentWidget(bill.fund);
    ZSaveScreenshot(window, s("layout_bill_head"));
    bill.pages->setCurrentWidget(bill.self);
    ZSaveScreenshot(window, s("layout_bill_self"));
    bill.pages->setCurrentWidget(bill.memo);
    ZSaveScreenshot(window, s("layout_bill_memo"));

    // The page control keeps its distances to the window's edges.
    window.resize(800, window.height() + 100);
    EXPECT_EQ(bill.pages->geometry(), QRect(4, headBottom + 4, 784, 300));
}

TEST_F(AutoDesign, DesignedAndEarlierControlsAreReused)
{
    TOrvDataSet orders;
    openEmpty(orders, s("tstOrder"));
    TBillWindow bill;
    QWidget &window = bill.window;
    // A designed editor of OrderID, found by its binding, and a designed label.
    auto *designed = new QLineEdit(&window);
    designed->setObjectName(s("edtNumber"));
    designed->setGeometry(300, 60, 90, 24);
    new TZFieldLink(designed, orders, s("ORDERID"));
    auto *caption = new QLabel(s("旧"), &window);
    caption->setObjectName(s("lblOrderID"));
    caption->setGeometry(220, 64, 70, 13);

    TAutoDesignUI ui(&window);
    ui.ProgID = s("tstOrder");
    ui.UIDataSource = &orders;
    bill.attach(ui);
    ui.AutoCreateCtrls();
    EXPECT_EQ(window.findChild<QWidget *>(s("DBOrderID")), nullptr);
    EXPECT_EQ(designed->geometry(), QRect(300, 60, 90, 24));
    EXPECT_EQ(caption->geometry(), QRect(220, 64, 70, 13));
    EXPECT_EQ(caption->text(), s("订单编号"));
    // The next row starts below the designed editor.
    EXPECT_EQ(child(window, "DBOrderDate")->geometry().top(), 88);

    // A second run finds everything of the first and lays it out the same.
    QMap<QString, QRect> first;
    for (QWidget *w : window.findChildren<QWidget *>())
        first.insert(w->objectName(), w->geometry());
    const int count = int(window.findChildren<QWidget *>().size());
    ui.ReFresh();
    EXPECT_EQ(int(window.findChildren<QWidget *>().size()), count);
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(s("qt_")) && w != bill.pages) {
            EXPECT_EQ(w->geometry(), first.value(w->objectName())) << qPrintable(w->objectName());
        }
    }
    // The memo of the first run still fills the memo page, without a label.
    EXPECT_EQ(child(window, "DBContent")->parentWidget(), bill.memo);
    EXPECT_EQ(window.findChild<QLabel *>(s("lblContent")), nullptr);
}

TEST_F(AutoDesign, WithoutHeadFieldsTheHeadTabIsHiddenAndAMemoIsARow)
{
    TBillWindow bill;
    TAutoDesignUI ui(&bill.window);
    ui.ProgID = s("moxNote");
    bill.attach(ui);
    ui.AutoCreateCtrls();
    EXPECT_FALSE(bill.pages->isTabVisible(1));
    EXPECT_FALSE(bill.pages->isTabVisible(2));
    // Unbound controls (no dataset) are found again by name.
    const int count = int(bill.window.findChildren<QWidget *>().size());
    ui.AutoCreateCtrls();
    EXPECT_EQ(int(bill.window.findChildren<QWidget *>().size()), count);

    // On a window without a memo page a memo is a row of its width.
    QWidget plain;
    TAutoDesignUI generated(&plain);
    generated.ProgID = s("tstOrder");
    generated.AutoCreateCtrls();
    QWidget *content = child(plain, "DBContent");
    EXPECT_EQ(content->parentWidget(), &plain);
    EXPECT_EQ(content->width(), 200);
    EXPECT_EQ(content->x(), 88);
    EXPECT_TRUE(child(plain, "lblContent")->isVisibleTo(&plain));
}

TEST_F(AutoDesign, ErrorsNameTheMissingModuleAndTheWrongLabel)
{
    QWidget window;
    TAutoDesignUI ui(&window);
    EXPECT_EQ(errorOf([&] { ui.AutoCreateCtrls(); }), s("AutoDesignUI的ProgID属性未设定"));
    ui.setObjectName(s("Designer1"));
    ui.ProgID = s("  ");
    EXPECT_EQ(errorOf([&] { ui.AutoCreateCtrls(); }), s("Designer1的ProgID属性未设定"));
    ui.ProgID = s("tstMissing");
    EXPECT_FALSE(errorOf([&] { ui.AutoCreateCtrls(); }).isEmpty());

    auto *wrong = new QPushButton(&window);
    wrong->setObjectName(s("lblTitle"));
    ui.ProgID = s("moxNote");
    EXPECT_EQ(errorOf([&] { ui.AutoCreateCtrls(); }), s("窗体上有个控件名称为 lblTitle 却不是TLabel控件"));
    // SetFreshUI lays out only in a development run and always reads false.
    delete wrong;
    ui.SetFreshUI(true);
    EXPECT_EQ(window.findChild<QWidget *>(s("DBTitle")), nullptr);
    InDevelopmentEnv = true;
    ui.SetFreshUI(false);
    EXPECT_EQ(window.findChild<QWidget *>(s("DBTitle")), nullptr);
    ui.SetFreshUI(true);
    InDevelopmentEnv = false;
    EXPECT_NE(window.findChild<QLineEdit *>(s("DBTitle")), nullptr);
    EXPECT_FALSE(ui.FreshUI());
}
