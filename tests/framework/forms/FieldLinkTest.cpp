// Editors bound to dataset fields: every kind of editor shows, gives back and
// locks its value the same way; a link follows the dataset and writes what
// is entered through the field, and a refused entry keeps the focus.
#include "TestText.h"

#include "controls/ZEditorAdapter.h"
#include "data/TZClientDataSet.h"
#include "controls/TZFieldLink.h"
#include "forms/ZMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(EditorAdapter, EveryKindShowsGivesBackAndLocksItsValue)
{
    QWidget window;
    auto *line = new QLineEdit(&window);
    auto *memo = new QPlainTextEdit(&window);
    auto *spin = new QSpinBox(&window);
    auto *date = new QDateEdit(&window);
    auto *list = new QListWidget(&window);
    list->addItems({s("甲"), s("乙")});
    auto *check = new QCheckBox(&window);
    auto *combo = new QComboBox(&window);
    combo->addItems({s("红"), s("绿")});
    auto *group = new QGroupBox(&window);
    auto *radios = new QVBoxLayout(group);
    radios->addWidget(new QRadioButton(s("一"), group));
    radios->addWidget(new QRadioButton(s("二"), group));

    const QList<QPair<QWidget *, QVariant>> values = {
        {line, s("张三")}, {memo, s("第一行\n第二行")},
        {spin, 42},        {date, QDate(2011, 2, 28)},
        {list, 1},         {check, true},
        {combo, s("绿")},  {group, 1},
    };
    for (const auto &[editor, value] : values) {
        EXPECT_TRUE(ZEditorAdapter::IsEditor(editor)) << editor->metaObject()->className();
        ZEditorAdapter::SetValue(editor, value);
        EXPECT_EQ(ZEditorAdapter::Value(editor), value) << editor->metaObject()->className();
        ZEditorAdapter::SetReadOnly(editor, true);
        EXPECT_TRUE(ZEditorAdapter::IsReadOnly(editor)) << editor->metaObject()->className();
        ZEditorAdapter::SetReadOnly(editor, false);
        EXPECT_FALSE(ZEditorAdapter::IsReadOnly(editor)) << editor->metaObject()->className();
    }
    EXPECT_FALSE(ZEditorAdapter::IsEditor(spin->findChild<QLineEdit *>()));
    EXPECT_TRUE(ZEditorAdapter::IsMemo(memo));
    ZEditorAdapter::SetRequired(line, true);
    EXPECT_TRUE(ZEditorAdapter::IsRequired(line));
    EXPECT_NE(line->palette().color(QPalette::Base), memo->palette().color(QPalette::Base));
    ZEditorAdapter::SetRequired(line, false);
    EXPECT_FALSE(ZEditorAdapter::IsRequired(line));
}

namespace {

class FieldLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.CreateDataSet({{s("Name"), ftZString, 20, QString(), QString()},
                            {s("Born"), ftZDate, 0, QString(), QString()},
                            {s("Age"), ftZInteger, 0, QString(), QString()}});
        for (const auto &[name, born] :
             {std::pair{s("甲"), QDate(1990, 1, 2)}, std::pair{s("乙"), QDate(1985, 6, 7)}}) {
            data.Append();
            data.FieldByName(s("Name")).SetValue(name);
            data.FieldByName(s("Born")).SetValue(born.startOfDay());
            data.FieldByName(s("Age")).SetValue(30);
            data.Post();
        }
        data.First();
        SetZBoxAnswerer([this](QDialog &box) {
            if (auto *text = box.findChild<QLabel *>(s("lblText")))
                shown << text->text();
            box.findChild<QPushButton *>(s("btnOK"))->click();
        });
    }
    void TearDown() override { SetZBoxAnswerer(nullptr); }

    TZClientDataSet data;
    QStringList shown;
};

} // namespace

TEST_F(FieldLink, EditorsFollowTheDatasetAndWriteThroughTheField)
{
    QWidget window;
    auto *name = new QLineEdit(&window);
    auto *age = new QSpinBox(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(name);
    window.layout()->addWidget(age);
    TZFieldLink nameLink(name, data, s("Name"));
    TZFieldLink ageLink(age, data, s("Age"));
    EXPECT_EQ(name->text(), s("甲"));
    EXPECT_EQ(age->value(), 30);

    data.Next();
    EXPECT_EQ(name->text(), s("乙"));
    name->setText(s("丙"));
    emit name->editingFinished();
    EXPECT_EQ(data.State(), dsEdit);
    EXPECT_EQ(data.FieldByName(s("Name")).AsString(), s("丙"));
    age->setValue(31);
    emit age->editingFinished();
    data.Post();
    data.First();
    EXPECT_EQ(name->text(), s("甲"));
    data.Last();
    EXPECT_EQ(name->text(), s("丙"));
    EXPECT_EQ(age->value(), 31);
    EXPECT_TRUE(shown.isEmpty());
}

// A date that does not exist is refused with a message; the typed text stays,
// the stored date does not change and the editor gets the focus back.
TEST_F(FieldLink, AnImpossibleDateIsRefusedAndKeepsTheFocus)
{
    QWidget window;
    auto *born = new QLineEdit(&window);
    auto *other = new QLineEdit(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(born);
    window.layout()->addWidget(other);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TZFieldLink link(born, data, s("Born"));
    EXPECT_EQ(born->text(), s("1990-01-02"));

    born->setFocus();
    born->setText(s("2011-02-30"));
    other->setFocus(); // leaving the editor finishes the entry
    EXPECT_TRUE(QTest::qWaitFor([&] { return born->hasFocus(); }, 2000));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.at(0).contains(s("2011-02-30"))) << qPrintable(shown.at(0));
    EXPECT_EQ(born->text(), s("2011-02-30"));
    EXPECT_EQ(data.FieldByName(s("Born")).AsDateTime().date(), QDate(1990, 1, 2));
}

// Passing through editors without typing changes nothing (a null shown as 0
// is no entry); a new row shows its defaults; an editor outliving its
// dataset lets go of it.
TEST_F(FieldLink, OnlyTheUsersEntriesAreWrittenAndTheDatasetMayGoFirst)
{
    QWidget window;
    auto *age = new QSpinBox(&window);
    auto *name = new QLineEdit(&window);
    data.Last();
    data.Edit();
    data.FieldByName(s("Age")).SetValue(QVariant());
    data.Post();
    TZFieldLink ageLink(age, data, s("Age"));
    TZFieldLink nameLink(name, data, s("Name"));
    emit age->editingFinished();
    emit name->editingFinished();
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_TRUE(data.FieldByName(s("Age")).IsNull());

    data.OnNewRecord = [](TZClientDataSet &d) { d.FieldByName(s("Name")).SetValue(s("新人")); };
    data.Append();
    EXPECT_EQ(name->text(), s("新人"));
    emit name->editingFinished();
    EXPECT_EQ(data.FieldByName(s("Name")).AsString(), s("新人"));
    data.Cancel();

    auto *gone = new TZClientDataSet;
    gone->CreateDataSet({{s("Name"), ftZString, 20, QString(), QString()}});
    auto *late = new QLineEdit(&window);
    new TZFieldLink(late, *gone, s("Name"));
    delete gone;
    late->setText(s("x"));
    emit late->editingFinished(); // nothing to write to, nothing breaks
    EXPECT_TRUE(shown.isEmpty());
}
