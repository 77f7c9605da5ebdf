// The condition editor on the shipped modules: conditions built with its
// buttons, the refusals, the syntax check, OK, and the stored condition.
#include "ListDialogTest.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZDates.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "list/TfrmSelfWhere.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

/// Editor tests: an editor of a module, shown, driven through its buttons.
/// The editor run modally by an entry point goes to `onDialog`.
class SelfWhere : public TListDialogTest<TfrmSelfWhere>
{
protected:
    TfrmSelfWhere &open(const QString &progID)
    {
        editor = std::make_unique<TfrmSelfWhere>(progID);
        editor->show();
        return *editor;
    }

    void click(const char *button)
    {
        auto *pressed = editor->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_NE(pressed, nullptr) << button;
        QTest::mouseClick(pressed, Qt::LeftButton);
    }

    void chooseField(const QString &field)
    {
        auto *list = editor->findChild<QComboBox *>(s("cbxField"));
        const int index = list->findText(field);
        ASSERT_GE(index, 0) << field.toStdString();
        list->setCurrentIndex(index);
    }

    void chooseOperator(const QString &op) { editor->findChild<QComboBox *>(s("cbxOperator"))->setCurrentText(op); }
    void typeValue(const QString &text) { editor->findChild<QLineEdit *>(s("edtValue"))->setText(text); }
    QPlainTextEdit *memo() const { return editor->findChild<QPlainTextEdit *>(s("memWhere")); }
    QWidget *valueEditor() const { return editor->findChild<QStackedWidget *>()->currentWidget(); }

    /// The last box shown, taken from the list.
    QString lastBox() { return boxTexts.isEmpty() ? QString() : boxTexts.takeLast(); }

    std::unique_ptr<TfrmSelfWhere> editor;
};

TEST_F(SelfWhere, FieldsOfBothDatasetsAndTheirValueEditors)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    open(s("accGather"));
    auto *fields = editor->findChild<QComboBox *>(s("cbxField"));
    QStringList items;
    for (int i = 0; i < fields->count(); ++i)
        items << fields->itemText(i);
    // Visible fields only: the master's as A., the detail's as B.
    EXPECT_EQ(items, QStringList({s("A.单号"), s("A.日期"), s("A.收款对象"), s("A.收款金额"), s("A.备注"),
                                  s("B.原单号"), s("B.本次冲款"), s("B.备注")}));
    EXPECT_EQ(fields->currentIndex(), -1);
    EXPECT_EQ(editor->findChild<QComboBox *>(s("cbxOperator"))->currentText(), s("等于"));

    chooseField(s("A.日期"));
    auto *date = editor->findChild<QDateEdit *>(s("dteValue"));
    EXPECT_EQ(valueEditor(), date);
    EXPECT_EQ(date->date(), QDate(2011, 6, 21));
    chooseField(s("A.收款金额"));
    EXPECT_EQ(valueEditor(), editor->findChild<QLineEdit *>(s("edtValue")));

    open(s("moxRemind"));
    chooseField(s("A.提醒时间"));
    auto *time = editor->findChild<QTimeEdit *>(s("tmeValue"));
    EXPECT_EQ(valueEditor(), time);
    EXPECT_EQ(time->time(), QTime(9, 5, 3));
    click("btnValue");
    EXPECT_EQ(memo()->toPlainText(), s("90503 "));
    chooseField(s("A.停用"));
    auto *yesNo = editor->findChild<QComboBox *>(s("cbxYesNo"));
    EXPECT_EQ(valueEditor(), yesNo);
    yesNo->setCurrentText(s("否"));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("90503 [A.停用] 等于 否"));
    EXPECT_EQ(TranSqlWhere(GetDataSource(s("moxRemind")), memo()->toPlainText()),
              s(" And (90503 A.IsDisabled  =  0)"));
}

TEST_F(SelfWhere, AddWritesEachValueTheWayItsFieldCompares)
{
    open(s("accGather"));
    chooseField(s("A.收款金额"));
    chooseOperator(s("大于等于"));
    typeValue(s(" 12.5 "));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("[A.收款金额] 大于等于 12.5"));
    // Never " > " followed by "=".
    EXPECT_EQ(TranSqlWhere(GetDataSource(s("accGather")), memo()->toPlainText()), s(" And (A.FeeMoney  >=  12.5)"));

    click("btnClear");
    typeValue(s("  "));
    chooseOperator(s("不等于"));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("[A.收款金额] 不等于 0"));

    click("btnClear");
    chooseField(s("A.备注"));
    chooseOperator(s("包含"));
    typeValue(s(" 加班 "));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("[A.备注] 包含 '%加班%'"));
    EXPECT_EQ(TranSqlWhere(GetDataSource(s("accGather")), memo()->toPlainText()),
              s(" And (A.Remark  Like  '%加班%')"));

    click("btnClear");
    chooseOperator(s("等于"));
    typeValue(s("O'Neil "));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("[A.备注] 等于 'O''Neil'"));
}

TEST_F(SelfWhere, ADatePickedComparesYearMonthDayIntegers)
{
    for (const char *row : {"(1, 'G1', '2011-05-31 10:00:00')", "(1, 'G2', '2011-06-02 08:00:00')"})
        DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo, BillDate) values") + s(row));
    open(s("accGather"));
    chooseField(s("A.日期"));
    chooseOperator(s("大于"));
    editor->findChild<QDateEdit *>(s("dteValue"))->setDate(QDate(2011, 6, 1));
    click("btnAdd");
    EXPECT_EQ(memo()->toPlainText(), s("[A.日期] 大于 20110601"));
    TZDataSource &source = GetDataSource(s("accGather"));
    const QString tail = TranSqlWhere(source, memo()->toPlainText());
    EXPECT_EQ(tail, s(" And (Year(A.BillDate) * 10000 + Month(A.BillDate) * 100 + Day(A.BillDate)  >  20110601)"));
    EXPECT_TRUE(DBConn().DBSelectValue(source.GetDataSetSQL(0, false) + tail).contains(s("G2")));
    EXPECT_EQ(DBConn().GetRecordCount(source.GetDataSetSQL(0, false) + tail), 1);
    // "包含" looks in the date as it is shown.
    chooseOperator(s("不包含"));
    click("btnValue");
    EXPECT_TRUE(memo()->toPlainText().endsWith(s("'%2011-06-01%' "))) << memo()->toPlainText().toStdString();
}

TEST_F(SelfWhere, InsertButtonsWriteAtTheCaretWithOneBlank)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    open(s("accGather"));
    for (const char *button : {"btnAnd", "btnOr", "btnPlus", "btnMinus", "btnTimes", "btnDivide", "btnLeft",
                               "btnRight", "btnToday", "btnNow", "btnWeek1", "btnWeek7", "btnWeekToday", "btnYear",
                               "btnSecond"})
        click(button);
    EXPECT_EQ(memo()->toPlainText(),
              s("并且 或者 加 减 乘 除 ( ) 当前日期 当前时间 星期一 星期日 星期几(当前日期) 当前年 当前秒 "));

    click("btnClear");
    EXPECT_TRUE(memo()->toPlainText().isEmpty());
    chooseField(s("A.日期"));
    chooseOperator(s("小于"));
    click("btnField");
    click("btnOperator");
    click("btnValue");
    EXPECT_EQ(memo()->toPlainText(), s("[A.日期] 小于 20110621 "));
    // Inserted where the caret stands; the caret then goes to the end.
    QTextCursor cursor = memo()->textCursor();
    cursor.setPosition(0);
    memo()->setTextCursor(cursor);
    click("btnLeft");
    EXPECT_EQ(memo()->toPlainText(), s("( [A.日期] 小于 20110621 "));
    EXPECT_EQ(memo()->textCursor().position(), memo()->toPlainText().size());
    click("btnYearOf");
    click("btnWeekOf");
    EXPECT_TRUE(memo()->toPlainText().endsWith(s("年([A.日期]) 星期几([A.日期]) ")));
}

TEST_F(SelfWhere, RefusalsOfAddAndOfTheFunctions)
{
    open(s("moxRemind"));
    click("btnAdd");
    EXPECT_EQ(lastBox(), s("[查询字段]不能为空！"));
    click("btnField");
    EXPECT_EQ(lastBox(), s("[查询字段]不能为空！"));
    click("btnYearOf");
    EXPECT_EQ(lastBox(), s("请先选择一个日期的查询字段"));
    click("btnHourOf");
    EXPECT_EQ(lastBox(), s("请先选择一个时间的查询字段"));

    chooseField(s("A.提醒主题"));
    editor->findChild<QComboBox *>(s("cbxOperator"))->setCurrentIndex(-1);
    click("btnAdd");
    EXPECT_EQ(lastBox(), s("[操作符]不能为空！"));
    click("btnMonthOf");
    EXPECT_EQ(lastBox(), s("您选择的不是日期字段，请重新选择！"));
    click("btnSecondOf");
    EXPECT_EQ(lastBox(), s("您选择的不是时间字段，请重新选择！"));
    chooseField(s("A.截止日期"));
    click("btnMinuteOf");
    EXPECT_EQ(lastBox(), s("您选择的不是时间字段，请重新选择！"));
    EXPECT_TRUE(memo()->toPlainText().isEmpty());

    // The right field type: the function goes in, and the condition runs.
    chooseField(s("A.提醒时间"));
    click("btnHourOf");
    EXPECT_EQ(memo()->toPlainText(), s("时间拆分(时,[A.提醒时间]) "));
    click("btnTimes");
    chooseField(s("A.截止日期"));
    click("btnDayOf");
    memo()->moveCursor(QTextCursor::End);
    memo()->insertPlainText(s("大于 3"));
    click("btnCheck");
    EXPECT_EQ(lastBox(), s("语法正确"));
    EXPECT_TRUE(boxTexts.isEmpty()) << boxTexts.join(s(" | ")).toStdString();
}

TEST_F(SelfWhere, SyntaxCheckAndOkRefuseAConditionThatDoesNotRun)
{
    open(s("accGather"));
    memo()->setPlainText(s("[A.收款金额] 大于 1 并且 [B.本次冲款] 小于 2"));
    click("btnCheck");
    EXPECT_EQ(lastBox(), s("语法正确"));

    memo()->setPlainText(s("[A.收款金额] 大于 并且"));
    click("btnCheck");
    const QString failure = lastBox();
    EXPECT_TRUE(failure.startsWith(s("语法检查失败：\n错误信息："))) << failure.toStdString();
    // The database's words only, not the statement.
    EXPECT_GT(failure.size(), s("语法检查失败：\n错误信息：").size());
    EXPECT_FALSE(failure.contains(s("执行语法"))) << failure.toStdString();

    click("btnOK");
    EXPECT_EQ(lastBox(), failure);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_NE(editor->result(), QDialog::Accepted);

    memo()->setPlainText(s("[A.收款金额] 大于 1"));
    click("btnOK");
    EXPECT_TRUE(boxTexts.isEmpty());
    EXPECT_EQ(editor->result(), QDialog::Accepted);
}

TEST_F(SelfWhere, TheStoredConditionComesBackAndNamesTheDetail)
{
    QString sqlWhere;
    bool useDetail = false;
    onDialog = [](TfrmSelfWhere &shown) {
        EXPECT_TRUE(shown.Text().isEmpty());
        shown.SetText(s("[B.本次冲款] 大于 5"));
        QTest::mouseClick(shown.findChild<QPushButton *>(s("btnOK")), Qt::LeftButton);
    };
    ASSERT_TRUE(GetSelfWhere(nullptr, s("TfrmListFormPub"), s("accGather"), sqlWhere, useDetail));
    EXPECT_TRUE(useDetail);
    EXPECT_EQ(sqlWhere, s(" And (B.Offset  >  5)"));
    EXPECT_EQ(GetLongParamValue(s("TfrmListFormPub-accGather")), s("[B.本次冲款] 大于 5"));
    // The tail runs on the master statement with the detail joined.
    TZDataSource &source = GetDataSource(s("accGather"));
    EXPECT_EQ(DBConn().GetRecordCount(source.GetDataSetSQL(0, TZSqlSwitches{.joinDetail = true}) + sqlWhere), 0);

    // Next time the stored text is in the editor; cancelling changes nothing.
    QString shownText;
    onDialog = [&shownText](TfrmSelfWhere &shown) {
        shownText = shown.Text();
        shown.SetText(s("[A.单号] 等于 'X'"));
        QTest::mouseClick(shown.findChild<QPushButton *>(s("btnCancel")), Qt::LeftButton);
    };
    EXPECT_FALSE(GetSelfWhere(nullptr, s("TfrmListFormPub"), s("accGather"), sqlWhere, useDetail));
    EXPECT_EQ(shownText, s("[B.本次冲款] 大于 5"));
    EXPECT_EQ(GetLongParamValue(s("TfrmListFormPub-accGather")), s("[B.本次冲款] 大于 5"));

    // Master fields only: no detail; another window class keeps its own text.
    onDialog = [](TfrmSelfWhere &shown) {
        shown.SetText(s("[A.单号] 等于 'X'"));
        QTest::mouseClick(shown.findChild<QPushButton *>(s("btnOK")), Qt::LeftButton);
    };
    ASSERT_TRUE(GetSelfWhere(nullptr, s("TfrmOther"), s("accGather"), sqlWhere, useDetail));
    EXPECT_FALSE(useDetail);
    EXPECT_EQ(sqlWhere, s(" And (A.BillNo  =  'X')"));
    EXPECT_EQ(GetLongParamValue(s("TfrmListFormPub-accGather")), s("[B.本次冲款] 大于 5"));
    EXPECT_TRUE(boxTexts.isEmpty()) << boxTexts.join(s(" | ")).toStdString();
}

TEST_F(SelfWhere, WhereTextEditsTheGivenText)
{
    onDialog = [](TfrmSelfWhere &shown) {
        EXPECT_EQ(shown.Text(), s("[A.姓名] 等于 '张三'"));
        shown.SetText(shown.Text() + s(" 或者 [A.姓名] 等于 '李四'"));
        QTest::mouseClick(shown.findChild<QPushButton *>(s("btnOK")), Qt::LeftButton);
    };
    QString text = s("[A.姓名] 等于 '张三'");
    ASSERT_TRUE(GetWhereText(nullptr, s("moxAddressBook"), text));
    EXPECT_EQ(text, s("[A.姓名] 等于 '张三' 或者 [A.姓名] 等于 '李四'"));
    // Nothing is stored for an edited text.
    EXPECT_TRUE(GetLongParamValue(s("TfrmListFormPub-moxAddressBook")).isEmpty());
}

TEST_F(SelfWhere, Screenshot)
{
    open(s("accGather"));
    chooseField(s("A.日期"));
    memo()->setPlainText(s("[A.日期] 大于 20110601 并且 [B.本次冲款] 大于 5"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    ZSaveScreenshot(*editor, s("SelfWhere"));
    // Every button shows its whole caption.
    for (const QPushButton *button : editor->findChildren<QPushButton *>()) {
        EXPECT_GE(button->width(), button->sizeHint().width() - 8) << button->text().toStdString();
    }
}

} // namespace
