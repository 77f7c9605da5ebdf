// Opening modules through the launcher: window classes found in a package
// loaded on demand, windows reused by class or by module, the parameters
// handed over, and the refusals.
#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "data/TParamInfo.h"
#include "data/ZFreeAllSource.h"
#include "forms/TfrmZForm.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/TFormParams.h"
#include "launcher/ZFormList.h"
#include "launcher/ZLauncher.h"
#include "settings/ZSession.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const char *const kModule = R"([<DSDataSource>]
DisplayName=%1
MasterKey=NoteID
Powers=执行,新增
ListFormClassName=%2
FormClassName=%3
[<DSDataset>Master]
DatasetIndex=0
[<DSTable>Master-moxNotepad]
TableName=moxNotepad
[<DSField>Master-moxNotepad-NoteID]
FieldName=NoteID
Visible=True
)";

class Launcher : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        for (const char *package : {"dpkTestForms.so", "dpkTestStored.so", "dpkTestNameless.so"})
            QFile::copy(s(ZKVA_TEST_PACKAGES) + QLatin1String(package), path(QLatin1String(package)));
        module(s("modA"), s("记事本甲"), QString(), QString());
        module(s("modB"), s("记事本乙"), QString(), s("TfrmTestEdit"));
        module(s("modC"), s("自有列表"), s("TfrmTestOwnList"), QString());
        SetZBoxAnswerer([this](QDialog &box) {
            shown << box.findChild<QLabel *>(s("lblText"))->text();
            box.findChild<QPushButton *>(s("btnOK"))->click();
        });
    }

    void TearDown() override
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetZBoxAnswerer(nullptr);
        TDataFileTest::TearDown();
    }

    void module(const QString &name, const QString &caption, const QString &listClass, const QString &editClass)
    {
        folder->writeFile(s("DBSource/") + name + s(".dbs"),
                          QString::fromUtf8(kModule).arg(caption, listClass, editClass).toUtf8());
    }

    static void loadPackage()
    {
        if (!FormClassCtrl().BplIsLoad(s("dpkTestForms.so")))
            FormClassCtrl().LoadBpl(s("dpkTestForms.so"));
    }

    static QString prop(QWidget *window, const char *name) { return window->property(name).toString(); }

    QStringList shown;
};

} // namespace

TEST_F(Launcher, AClassIsFoundThroughTheStoredMapAndItsPackageLoaded)
{
    module(s("modS"), s("存图"), s("TfrmTestStored"), QString());
    // No test loads this package itself: only the stored map names it.
    ASSERT_FALSE(TFormClassCtrl::IsRegistered(s("TfrmTestStored")));
    EXPECT_EQ(WakeUpForm(s("TfrmTestStored"), wtShow, QString(), QString()), nullptr);
    EXPECT_EQ(shown, QStringList({s("找不到TfrmTestStored窗体类所在的程序包，请先注册程序包！")}));
    FreeAllSource();
    SaveLongParamValue(s("FormClassInfo"), s("TfrmTestStored,dpkTestStored.so"));

    QWidget *list = WakeUpListFormByProg(s("modS"));
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(list->metaObject()->className(), "TfrmTestStored");
    EXPECT_TRUE(FormClassCtrl().BplIsLoad(s("dpkTestStored.so")));
    EXPECT_EQ(FormClassCtrl().GetBplByFrmClassName(s("tfrmteststored")), s("dpkTestStored.so"));
    EXPECT_EQ(FormClassCtrl().GetBplByFrmClassName(s("TfrmUpdateDB")), s("dpkSysAdmin.so"));
    EXPECT_TRUE(FormClassCtrl().GetFormClassInfo().contains(s("TfrmTestStored,dpkTestStored.so")));
}

// A file that is no library, and a library that is no package of the
// program, are refused with the loader's reason; neither counts as loaded.
TEST_F(Launcher, BrokenAndNamelessPackagesAreRefused)
{
    folder->writeFile(s("dpkTestBroken.so"), QByteArray("\x7f"
                                                        "ELF but not really a library"));
    for (const auto &[file, reason] : {std::pair{s("dpkTestBroken.so"), QString()},
                                       std::pair{s("dpkTestNameless.so"), s("它不是本程序的程序包。")}}) {
        try {
            FormClassCtrl().LoadBpl(file);
            ADD_FAILURE() << qPrintable(file) << " was loaded";
        } catch (const EZError &e) {
            const QStringList lines = e.message().split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), 2) << qPrintable(e.message());
            EXPECT_EQ(lines.at(0), s("无法载入") + path(file) + s("文件！"));
            EXPECT_FALSE(lines.at(1).isEmpty());
            if (!reason.isEmpty()) {
                EXPECT_EQ(lines.at(1), reason);
            }
        }
        EXPECT_FALSE(FormClassCtrl().BplIsLoad(file));
    }
    EXPECT_FALSE(TFormClassCtrl::IsRegistered(s("TfrmTestNameless")));
}

TEST_F(Launcher, WindowsAreReusedByModuleOrByClass)
{
    loadPackage();
    QWidget *a = WakeUpListFormByProg(s("modA"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(prop(a, "action"), s("WakeUp"));
    // The same list module again brings the same window back.
    EXPECT_EQ(WakeUpListFormByProg(s("modA")), a);
    EXPECT_EQ(a->property("received").toInt(), 2);
    // Another module on the generic class gets a window of its own.
    QWidget *b = WakeUpListFormByProg(s("modB"));
    EXPECT_NE(b, a);
    EXPECT_EQ(WakeUpListFormByProg(s("modA")), a);

    // A class of the module's own (not generic) is reused whatever the module.
    QWidget *own = WakeUpListFormByProg(s("modC"));
    EXPECT_EQ(WakeUpForm(s("tfrmtestownlist"), wtShow, s("x"), s("y")), own);

    // By module with a key: "F3" and the key; without: "WakeUp".
    EXPECT_EQ(WakeUpFormByProgID(s("modA"), s("17")), a);
    EXPECT_EQ(prop(a, "action"), s("F3"));
    EXPECT_EQ(prop(a, "keyValue"), s("17"));
    EXPECT_EQ(WakeUpFormByProgID(s("modA"), QString()), a);
    EXPECT_EQ(prop(a, "action"), s("WakeUp"));

    // The editing window of a module that names one.
    QWidget *edit = WakeUpBillFormByProg(s("modB"), s("N1"), s("Edit"));
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->metaObject()->className(), "TfrmTestEdit");
    EXPECT_EQ(prop(edit, "action"), s("Edit"));
    EXPECT_EQ(GetIsExistForm(s("TFRMTESTEDIT")), edit);
    QWidget *hidden = CreateNewBillForm(s("modB"), s("N2"));
    EXPECT_NE(hidden, edit);
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(prop(hidden, "action"), s("F3"));
    delete hidden;
}

TEST_F(Launcher, RefusalsLeaveNoWindow)
{
    loadPackage();
    UserInfo = TUserInfo{s("007"), s("007"), s("李四"), QString()};
    try {
        WakeUpListFormByProg(s("modA"));
        ADD_FAILURE() << "opened without permission";
    } catch (const EZError &error) {
        EXPECT_EQ(error.message(), s("没有记事本甲权限，无法开启"));
    }
    EXPECT_FALSE(IsExistFormClass(s("TfrmListFormPub")));
    UserInfo = TUserInfo{s("Admin"), s("Admin"), s("管理员"), QString()};

    EXPECT_THROW(CreateNewForm(s("TfrmNowhere")), EZError);

    // Parameter addresses are followed only while their record is alive.
    QString address;
    {
        TFormParams params;
        params.ProgID = s("modA");
        address = ZFormParamsAddress(params);
        ASSERT_NE(ZFormParamsAt(address), nullptr);
        EXPECT_EQ(ZFormParamsAt(address)->ProgID, s("modA"));
        const TFormParams copy = params;
        EXPECT_EQ(ZFormParamsAt(ZFormParamsAddress(copy))->ProgID, s("modA"));
    }
    EXPECT_EQ(ZFormParamsAt(address), nullptr);
    EXPECT_EQ(ZFormParamsAt(s("12345678")), nullptr);
    EXPECT_EQ(ZFormParamsAt(s("不是地址")), nullptr);
    QWidget *own = WakeUpListFormByProg(s("modC"));
    ASSERT_NE(own, nullptr);
    SendParamToForm(s("TfrmTestOwnList"), kFormParamsName, s("4096")); // refused, not followed
    EXPECT_EQ(own->property("received").toInt(), 1);
    EXPECT_THROW(FormClassCtrl().LoadBpl(s("dpkMissing.so")), EZError);
    EXPECT_TRUE(IsPublishBillForm(s("tfrmbillbaselnk")));
    EXPECT_TRUE(FormClassCtrl().GetFormClassInfo().contains(s("TfrmListFormPub,dpkTestForms.so")));
    EXPECT_FALSE(IsExistBillForm(s("modA"))); // no master data window is open

    SetMainFormClsName(s("TfrmMainMenu"));
    EXPECT_EQ(GetMainForm(), s("TfrmMainMenu"));
    EXPECT_TRUE(folder->readFile(s("formList.ini")).contains("[formList]\nMainForm=TfrmMainMenu"));
    EXPECT_FALSE(IsPublishBillForm(s("TfrmTestOwnList")));
}

namespace {

/// A main window that is no framework window, recording the framework
/// messages it receives.
class TPlainMainWindow : public QWidget
{
public:
    QStringList received;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::Type(ZWM_FORMRETURNVALUE)) {
            const auto *message = static_cast<TZMessageEvent *>(event);
            received << message->text1() + s("=") + message->text2();
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

// A module opened from a main window that is no framework window learns its
// opener and can answer it; a report module's list follows its own class,
// and without one the generic list.
TEST_F(Launcher, ModulesLearnTheirOpenerWhateverItsClass)
{
    loadPackage();
    TPlainMainWindow main;
    SetZMainWindow(&main);
    auto *list = qobject_cast<TfrmZForm *>(WakeUpListFormByProg(s("modA")));
    ASSERT_NE(list, nullptr);
    list->SendMsgToParentForm(s("Name"), s("Value"));
    EXPECT_EQ(main.received, QStringList({s("Name=Value")}));
    SetZMainWindow(nullptr);

    folder->writeFile(s("DBSource/modR.dbs"), QString::fromUtf8(kModule)
                                                  .arg(s("报表"), QString(), QString())
                                                  .replace(s("Powers="), s("FuncType=1\nPowers="))
                                                  .toUtf8());
    QWidget *reportList = WakeUpListFormByProg(s("modR"));
    ASSERT_NE(reportList, nullptr);
    EXPECT_STREQ(reportList->metaObject()->className(), "TfrmListFormPub");
    shown.clear();
    EXPECT_EQ(WakeUpFormByProgID(s("modR"), QString()), nullptr); // the report window's class
    EXPECT_EQ(shown, QStringList({s("找不到TfrmRptPubBase窗体类所在的程序包，请先注册程序包！")}));
}
