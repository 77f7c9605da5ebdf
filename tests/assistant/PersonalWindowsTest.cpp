// The personal record windows: each opens for its module through the
// launcher under the class its definition names, the knowledge base presets
// the author, the password box shows the password on request, and "我的资料"
// opens by its class alone.
#include "ContactsTestSupport.h"
#include "ZScreenshot.h"

#include "data/TParamInfo.h"
#include "forms/TfrmAddressBook.h"
#include "forms/TfrmMoxDiary.h"
#include "forms/TfrmMyInfo.h"
#include "forms/TfrmNameCards.h"
#include "forms/TfrmPasswordBox.h"
#include "forms/TfrmdevKnowledge.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

/// The package's registrations, for the length of a test.
struct TContactsClasses
{
    TContactsClasses()
    {
        add<TfrmAddressBook>();
        add<TfrmNameCards>();
        add<TfrmPasswordBox>();
        add<TfrmdevKnowledge>();
        add<TfrmMyInfo>();
        add<TfrmMoxDiary>();
    }
    ~TContactsClasses()
    {
        for (const QString &name : names)
            ZUnRegisterClass(name);
    }
    template<typename T>
    void add()
    {
        names << QString::fromLatin1(T::staticMetaObject.className());
        ZRegisterClass(names.last(), [] { return new T; });
    }
    QStringList names;
};

} // namespace

using PersonalWindows = TContactsTest;

TEST_F(PersonalWindows, EachModuleOpensInTheWindowItsDefinitionNames)
{
    TContactsClasses classes;
    const std::pair<const char *, const char *> modules[] = {
        {"moxAddressBook", "TfrmAddressBook"}, {"moxDiary", "TfrmMoxDiary"},       {"moxPasswordBox", "TfrmPasswordBox"},
        {"devKnowledge", "TfrmdevKnowledge"},  {"moxMyInfo", "TfrmMyInfo"},
    };
    for (const auto &[progID, className] : modules) {
        SCOPED_TRACE(progID);
        QPointer<QWidget> window = WakeUpBillFormByProg(QLatin1String(progID), QString(), s("F3"));
        ASSERT_TRUE(window) << qPrintable(boxTexts.join(s(" | ")));
        EXPECT_STREQ(window->metaObject()->className(), className);
        auto *record = qobject_cast<TfrmMasterData *>(window.data());
        ASSERT_TRUE(record);
        EXPECT_EQ(record->GetProgID(), QLatin1String(progID));
        // A record is added and saved in it.
        ASSERT_TRUE(record->RunAction(1));
        TOrvDataSet &master = record->MasterData();
        for (const char *name : {"PersonName", "Title", "MyName"}) {
            if (TZDataField *field = master.FindField(QLatin1String(name)))
                field->SetAsString(s("条目"));
        }
        EXPECT_EQ(refusal([&] { record->RunAction(5); }), QString());
        window->close();
    }
    // The name cards open by their class, as the main window's command does.
    QPointer<QWidget> cards = WakeUpForm(s("TfrmNameCards"), wtShow, QString(), QString());
    ASSERT_TRUE(cards);
    EXPECT_TRUE(qobject_cast<TfrmNameCards *>(cards.data()));
    cards->close();
}

TEST_F(PersonalWindows, MyInfoOpensByItsClassAloneOnTheStoredRecord)
{
    TContactsClasses classes;
    DBConn().DBExcuteSql(s("insert into moxMyInfo(InfoID, MyName, Cellphone) values('1', '我自己', '13800000000')"));
    QPointer<QWidget> opened = WakeUpForm(s("TfrmMyInfo"), wtShow, QString(), QString());
    ASSERT_TRUE(opened) << qPrintable(boxTexts.join(s(" | ")));
    auto *window = qobject_cast<TfrmMyInfo *>(opened.data());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->GetProgID(), s("moxMyInfo"));
    EXPECT_EQ(window->windowTitle(), s("我的资料"));
    EXPECT_EQ(window->CurrKeyValue(), s("1"));
    EXPECT_EQ(window->FrmState(), fsBrowse);
    // Opening it again brings the same window back.
    EXPECT_EQ(WakeUpForm(s("TfrmMyInfo"), wtShow, QString(), QString()), opened.data());
    EXPECT_EQ(window->GetProgID(), s("moxMyInfo"));
    window->close();
}

TEST_F(PersonalWindows, KnowledgeEntriesAreWrittenByTheUser)
{
    SaveParamValue(s("MyName"), s("李明"));
    GetParamInfo().UpdateParamInfo();
    auto window = openRecordWindow<TfrmdevKnowledge>(s("devKnowledge"));
    ASSERT_TRUE(window->RunAction(1));
    EXPECT_EQ(window->MasterData().FieldByName(s("Creater")).AsString(), s("李明"));
    window->MasterData().FieldByName(s("Title")).SetAsString(s("备份的做法"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(value(s("select Creater from devKnowledge")), s("李明"));
}

TEST_F(PersonalWindows, PasswordIsShownOnRequestOnlyWithARecord)
{
    auto window = openRecordWindow<TfrmPasswordBox>(s("moxPasswordBox"));
    QPushButton *show = window->ShowPasswordButton();
    EXPECT_EQ(show->text(), s("显示密码"));
    EXPECT_EQ(window->FrmState(), fsNoRecord);
    EXPECT_FALSE(show->isEnabled());

    ASSERT_TRUE(window->RunAction(1));
    EXPECT_TRUE(show->isEnabled());
    window->MasterData().FieldByName(s("Title")).SetAsString(s("邮箱"));
    window->MasterData().FieldByName(s("Password")).SetAsString(s("old-1"));
    ASSERT_TRUE(window->RunAction(5));
    auto *editor = window->findChild<QLineEdit *>(s("DBPassword"));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->echoMode(), QLineEdit::Password);
    EXPECT_EQ(editor->text(), s("old-1"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ZSaveScreenshot(*window, s("contacts_password_box"));
    // A password typed into the masked editor is saved.
    press(*window, "actEdit");
    typeInto(editor, s("Ab 12'3"));
    press(*window, "actSave");
    ASSERT_EQ(window->FrmState(), fsBrowse) << qPrintable(boxTexts.join(s(" | ")));

    answers << s("btnOK");
    QTest::mouseClick(show, Qt::LeftButton);
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_TRUE(boxTexts.front().contains(s("Ab 12'3"))) << qPrintable(boxTexts.front());
    EXPECT_EQ(value(s("select Password from moxPasswordBox")), s("Ab 12'3"));

    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(window->FrmState(), fsNoRecord);
    EXPECT_FALSE(show->isEnabled());
}
