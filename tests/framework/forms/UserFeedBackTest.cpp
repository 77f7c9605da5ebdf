// The feedback windows: fields from the parameters, the refusal of empty
// content, the body lines and the thanks (the mail sent through a real SMTP
// server on loopback), and the modal opening through the launcher centred on
// the opener.
#include "TMailTest.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZVersion.h"
#include "forms/TfrmUserFeedBack.h"
#include "forms/TfrmUserFeedBackMOX.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "net/TSendEmailThread.h"
#include "net/ZMachineInfo.h"
#include "settings/ZSession.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class UserFeedBack : public TMailTest
{
protected:
    void SetUp() override
    {
        TMailTest::SetUp();
        SetZBoxAnswerer([this](QDialog &box) {
            boxes << box.findChild<QLabel *>(s("lblText"))->text();
            box.findChild<QPushButton *>(s("btnOK"))->click();
        });
        supportSettings(server->Port());
    }
    void TearDown() override
    {
        if (window)
            window->close();
        waitForJobs();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetZBoxAnswerer(nullptr);
        TMailTest::TearDown();
    }

    template<typename T>
    T *open()
    {
        auto *form = new T;
        window = form;
        form->show();
        return form;
    }

    /// The lines of the mail body, without their line breaks.
    static QStringList bodyLines(const QJsonObject &mail)
    {
        return mail[s("body")].toString().split(s("\r\n"));
    }

    /// Centred on the opener up to the rounding of odd sizes.
    static bool nearlyCentred(const QWidget &window, const QWidget &opener)
    {
        return (window.frameGeometry().center() - opener.frameGeometry().center()).manhattanLength() <= 4;
    }

    QStringList boxes;
    QPointer<QWidget> window;
};

} // namespace

TEST_F(UserFeedBack, FieldsComeFromTheParametersAndEmptyContentIsRefused)
{
    setParam(s("MyName"), s("张三"));
    setParam(s("CellPhone"), s("13800138000"));
    setParam(s("QQ"), s("12345678"));
    setParam(s("EMail"), s("zhangsan@example.com"));
    TfrmUserFeedBackMOX *form = open<TfrmUserFeedBackMOX>();
    EXPECT_EQ(form->windowTitle(), s("提建议、反馈问题"));
    EXPECT_EQ(form->Field(s("MyName"))->text(), s("张三"));
    EXPECT_EQ(form->Field(s("CellPhone"))->text(), s("13800138000"));
    EXPECT_EQ(form->Field(s("QQ"))->text(), s("12345678"));
    EXPECT_EQ(form->Field(s("EMail"))->text(), s("zhangsan@example.com"));
    QStringList types;
    for (int i = 0; i < form->TypeBox()->count(); ++i)
        types << form->TypeBox()->itemText(i);
    EXPECT_EQ(types, QStringList({s("新需求"), s("软件问题"), s("改善建议"), s("代理申请"), s("其它")}));
    ZSaveScreenshot(*form, s("user_feedback"));

    QTest::keyClicks(form->ContentEdit(), s("   "));
    QTest::mouseClick(form->SendButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices.notices, QStringList{s("反馈内容不能为空！|255")});
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(ZRunningMailJobs(), 0);
    EXPECT_TRUE(form->ContentEdit()->hasFocus());
}

TEST_F(UserFeedBack, SendsTheBodyLinesAndThanksByTheOwnersName)
{
    const TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 15, 30)));
    setParam(s("MyName"), s("张三"));
    TfrmUserFeedBackMOX *form = open<TfrmUserFeedBackMOX>();
    form->Field(s("MyName"))->setText(s("李四")); // the field signs the body; the parameter the thanks
    QTest::keyClicks(form->Field(s("CellPhone")), s("010-12345678"));
    QTest::keyClicks(form->Field(s("QQ")), s("87654321"));
    QTest::keyClicks(form->Field(s("EMail")), s("lisi@example.com"));
    form->TypeBox()->setCurrentIndex(2);
    form->ContentEdit()->setPlainText(s("希望增加农历生日提醒。\n谢谢！"));
    QTest::mouseClick(form->SendButton(), Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{s("尊贵的张三，感谢您反馈的信息，我们会尽快答复！")});

    const QList<QJsonObject> mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][s("subject")].toString(), s("客户意见反馈-张三"));
    EXPECT_EQ(bodyLines(mails[0]), QStringList({s("【姓名】李四"),
                                                s("【反馈时间】2026-12-07 09:15:30"),
                                                s("【执行文件】") + QCoreApplication::applicationFilePath(),
                                                s("【软件版本】") + GetAppVersionID(),
                                                s("【联系电话】010-12345678"),
                                                s("【QQ/MSN】87654321"),
                                                s("【EMail】lisi@example.com"),
                                                s("【客户电脑名称】") + QSysInfo::machineHostName(),
                                                s("【客户电脑MAC】") + ZMacAddress(),
                                                s("【反馈类型】改善建议"),
                                                s("【反馈内容】希望增加农历生日提醒。"),
                                                s("谢谢！"),
                                                QString()}));
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(UserFeedBack, CompanyWindowSignsWithTheCompany)
{
    const TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 15, 30)));
    setParam(s("CorpFullName"), s("某某贸易有限公司"));
    setParam(s("CorpContactMan"), s("王五"));
    setParam(s("CorpTelphone"), s("021-88889999"));
    setParam(s("CorpFax"), s("021-88880000"));
    setParam(s("CorpAddresss"), s("上海市浦东新区某路1号"));
    setParam(s("MyName"), s("张三"));
    TfrmUserFeedBack *form = open<TfrmUserFeedBack>();
    EXPECT_EQ(form->Field(s("CorpContactMan"))->text(), s("王五"));
    ZSaveScreenshot(*form, s("user_feedback_company"));
    form->TypeBox()->setCurrentIndex(1);
    form->ContentEdit()->setPlainText(s("打印预览空白。"));
    QTest::mouseClick(form->SendButton(), Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{s("尊贵的某某贸易有限公司，感谢您反馈信息给我们！")});

    const QList<QJsonObject> mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    const QStringList lines = bodyLines(mails[0]);
    ASSERT_EQ(lines.size(), 13);
    QStringList headings;
    for (const QString &line : lines.mid(0, 12))
        headings << line.left(line.indexOf(s("】")) + 1);
    EXPECT_EQ(headings, QStringList({s("【客户名称】"), s("【反馈时间】"), s("【执行文件】"), s("【软件版本】"),
                                     s("【联系人】"), s("【联系电话】"), s("【传真】"), s("【地址】"),
                                     s("【客户电脑名称】"), s("【客户电脑MAC】"), s("【反馈类型】"), s("【反馈内容】")}));
    EXPECT_EQ(lines[0], s("【客户名称】某某贸易有限公司"));
    EXPECT_EQ(lines[4], s("【联系人】王五"));
    EXPECT_EQ(lines[5], s("【联系电话】021-88889999"));
    EXPECT_EQ(lines[6], s("【传真】021-88880000"));
    EXPECT_EQ(lines[7], s("【地址】上海市浦东新区某路1号"));
    EXPECT_EQ(lines[10], s("【反馈类型】软件问题"));
    EXPECT_EQ(lines[11], s("【反馈内容】打印预览空白。"));
}

TEST_F(UserFeedBack, OpensModallyThroughTheLauncherCentredOnItsOpener)
{
    ZRegisterClass(s("TfrmUserFeedBackMOX"), [] { return new TfrmUserFeedBackMOX; });
    TfrmZForm opener;
    opener.setGeometry(60, 80, 640, 480);
    opener.show();
    opener.activateWindow();
    QTRY_VERIFY(opener.isActiveWindow());

    // Inspected from inside the modal loop; the window is closed whatever
    // the inspection finds, so the loop always ends.
    bool inspected = false;
    QPoint centre;
    Qt::WindowModality modality = Qt::NonModal;
    int busyDuringModal = -1;
    QTimer::singleShot(0, [&] {
        const QPointer<QWidget> form = GetIsExistForm(s("TfrmUserFeedBackMOX"));
        if (!form)
            return;
        modality = form->windowModality();
        busyDuringModal = FCursorBusyCount;
        // Centred once it has its size: a queued step after showing.
        const QDeadlineTimer deadline(10000);
        while (form && !nearlyCentred(*form, opener) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!form)
            return;
        centre = form->frameGeometry().center();
        ZSaveScreenshot(*form, s("user_feedback_modal"));
        inspected = true;
        form->close();
    });
    QTimer::singleShot(30000, [] {
        if (QWidget *form = GetIsExistForm(s("TfrmUserFeedBackMOX")))
            form->close();
    });
    WakeUpForm(s("TfrmUserFeedBackMOX"), wtShowModal, QString(), QString());
    EXPECT_TRUE(inspected);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(busyDuringModal, 0); // no hourglass while the user writes
    EXPECT_LE((centre - opener.frameGeometry().center()).manhattanLength(), 4)
        << centre.x() << "," << centre.y() << " vs " << opener.frameGeometry().center().x() << ","
        << opener.frameGeometry().center().y();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(GetIsExistForm(s("TfrmUserFeedBackMOX")));
    ZUnRegisterClass(s("TfrmUserFeedBackMOX"));
}
