// The quick-search chooser: moving fields, the refusal of a field chosen
// twice, and the choice kept in log/Search.log.
#include "ListDialogTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZFiles.h"
#include "forms/TfrmSelfWhere3.h"
#include "ini/TZIniFile.h"
#include "list/TfrmSelfWhere2.h"

#include <QFile>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

class SelfWhere2 : public TListDialogTest<TfrmSelfWhere2>
{
protected:
    static void click(QWidget &window, const char *button)
    {
        QTest::mouseClick(window.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }

    static void select(QWidget &window, const char *list, const QStringList &captions)
    {
        auto *widget = window.findChild<QListWidget *>(QLatin1String(list));
        widget->clearSelection();
        for (int i = 0; i < widget->count(); ++i)
            widget->item(i)->setSelected(captions.contains(widget->item(i)->text()));
    }

    static QStringList captions(QWidget &window, const char *list)
    {
        auto *widget = window.findChild<QListWidget *>(QLatin1String(list));
        QStringList texts;
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
};

TEST_F(SelfWhere2, FieldsMoveBetweenTheListsAndAreChosenOnce)
{
    TfrmSelfWhere3 chooser; // the published chooser behaves as its base
    chooser.Load(s("moxAddressBook"));
    chooser.show();
    EXPECT_EQ(captions(chooser, "lstFields"),
              QStringList({s("编号"), s("姓名"), s("性别"), s("类别"), s("生日"), s("农历生日"), s("手机"),
                           s("电话"), s("单位"), s("职务"), s("地址"), s("QQ"), s("电子邮件"), s("备注")}));
    EXPECT_TRUE(chooser.ChosenFields().isEmpty());

    select(chooser, "lstFields", {s("姓名"), s("手机")});
    click(chooser, "btnChoose");
    EXPECT_EQ(chooser.ChosenFields(), QStringList({s("PersonName"), s("Cellphone")}));
    EXPECT_EQ(captions(chooser, "lstChosen"), QStringList({s("姓名"), s("手机")}));

    select(chooser, "lstFields", {s("手机")});
    click(chooser, "btnChoose");
    EXPECT_EQ(boxTexts, QStringList({s("字段 [手机] 已被选择过")}));
    EXPECT_EQ(chooser.ChosenFields().size(), 2);

    click(chooser, "btnChooseAll");
    EXPECT_EQ(chooser.ChosenFields().size(), 14);
    EXPECT_EQ(chooser.ChosenFields().mid(0, 3), QStringList({s("PersonName"), s("Cellphone"), s("PersonID")}));
    EXPECT_EQ(boxTexts.size(), 1);

    select(chooser, "lstChosen", {s("姓名"), s("编号"), s("备注")});
    click(chooser, "btnRemove");
    EXPECT_EQ(chooser.ChosenFields().size(), 11);
    EXPECT_FALSE(chooser.ChosenFields().contains(s("PersonName")));
    click(chooser, "btnRemoveAll");
    EXPECT_TRUE(chooser.ChosenFields().isEmpty());

    select(chooser, "lstFields", {s("姓名"), s("手机"), s("电子邮件")});
    click(chooser, "btnChoose");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    ZSaveScreenshot(chooser, s("SelfWhere2"));
}

TEST_F(SelfWhere2, TheChoiceIsWrittenToSearchLogAndReadBack)
{
    onDialog = [this](TfrmSelfWhere2 &shown) {
        select(shown, "lstFields", {s("电话"), s("姓名")});
        click(shown, "btnChoose");
        click(shown, "btnOK");
    };
    QStringList fields;
    ASSERT_TRUE(GetSearchFields(nullptr, s("moxAddressBook"), fields));
    EXPECT_EQ(fields, QStringList({s("PersonName"), s("Telephone")}));
    const TZIniFile log(GetLogPath() + s("Search.log"));
    EXPECT_EQ(log.ReadString(s("Search"), s("moxAddressBook"), QString()), s("PersonName,Telephone"));

    // Next time the stored fields are chosen; a field the module no longer
    // offers is dropped; cancelling keeps the stored choice.
    TZIniFile(GetLogPath() + s("Search.log"))
        .WriteString(s("Search"), s("moxAddressBook"), s("PersonName,Gone,telephone"));
    QStringList shown;
    onDialog = [&shown](TfrmSelfWhere2 &chooser) {
        shown = chooser.ChosenFields();
        click(chooser, "btnRemoveAll");
        click(chooser, "btnCancel");
    };
    fields.clear();
    EXPECT_FALSE(GetSearchFields(nullptr, s("moxAddressBook"), fields));
    EXPECT_EQ(shown, QStringList({s("PersonName"), s("Telephone")}));
    EXPECT_TRUE(fields.isEmpty());
    EXPECT_EQ(TfrmSelfWhere2::StoredFields(s("moxAddressBook")), QStringList({s("PersonName"), s("Gone"), s("telephone")}));
    EXPECT_TRUE(boxTexts.isEmpty());
}

} // namespace
