// The system settings: what they show from the parameters, the registry and
// the session's start-up entry, and what "确定" writes.
#include "../framework/record/RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/TfrmSystemSet.h"
#include "settings/ZAutoStart.h"
#include "settings/ZRegistry.h"
#include "settings/ZSession.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

class SystemSet : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        m_config = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configDir.path()));
    }

    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", m_config);
        TRecordTest::TearDown();
    }

    QTemporaryDir m_configDir;
    QByteArray m_config;
};

} // namespace

TEST_F(SystemSet, ShowsTheDefaultsAndOpensOnTheMailPageWhenAsked)
{
    SaveParamValue(s("Email"), s("me@example.com"));
    GetParamInfo().UpdateParamInfo();
    TfrmSystemSet window;
    EXPECT_EQ(window.windowTitle(), s("系统设定"));
    EXPECT_EQ(window.edtSound->text(), path(s("Sounds/Msg2.MP3")));
    EXPECT_EQ(window.edtBornTime->time(), QTime(10, 0));
    EXPECT_FALSE(window.chkAutoRun->isChecked());
    EXPECT_EQ(window.edtMailPort->value(), 25);
    EXPECT_EQ(window.edtBornMail->text(), s("me@example.com"));
    EXPECT_TRUE(window.chkBornMail->isChecked());
    EXPECT_EQ(window.pgcSettings->currentIndex(), 0);
    window.FormReturnValue(s("1"), QString());
    EXPECT_EQ(window.pgcSettings->currentIndex(), 1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ZSaveScreenshot(window, s("system_settings_mail"));
}

TEST_F(SystemSet, SavingWritesEverythingAndReTimesOnlyBirthdayTomorrowRows)
{
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindTime) values(2, 'P1', '明天', "
                           "'1899-12-30 10:00:00')"));
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindTime) values(3, 'P1', '今天', "
                           "'1899-12-30 10:00:00')"));
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindTime) values(1, 'M1', '备忘', "
                           "'1899-12-30 10:00:00')"));
    TfrmSystemSet window;
    window.edtBornTime->setTime(QTime(7, 45, 30));
    window.chkAutoRun->setChecked(true);
    window.edtMailHost->setText(s("smtp.example.com"));
    window.edtMailPort->setValue(465);
    window.edtMailUser->setText(s("me@example.com"));
    window.edtMailPassword->setText(s("p a\"ss"));
    window.edtMailFrom->setText(s("张三"));
    window.chkBornMail->setChecked(false);
    window.edtBornMail->setText(s("friends@example.com"));
    window.SaveSettings();

    EXPECT_EQ(DBConn().DBSelectValue(s("select group_concat(Flag || ':' || strftime('%H:%M:%S', RemindTime), ' ') "
                                       "from (select * from moxRemind order by Flag)")),
              QStringList{s("1:10:00:00 2:07:45:00 3:10:00:00")});
    EXPECT_EQ(GetParamValue(s("BornDateRemindTime")), s("074500"));
    EXPECT_EQ(GetParamValue(s("MailHost")), s("smtp.example.com"));
    EXPECT_EQ(GetParamValue(s("MailPort")), s("465"));
    EXPECT_EQ(GetParamValue(s("MailPassword")), s("p a\"ss"));
    EXPECT_EQ(GetParamValue(s("MailFromName")), s("张三"));
    EXPECT_EQ(GetParamValue(s("BornDateEmailRemind")), s("0"));
    EXPECT_EQ(GetParamValue(s("BornDateRemindEmail")), s("friends@example.com"));
    // The session's start-up entry starts this program, and goes again.
    ASSERT_TRUE(ZIsAutoStart());
    EXPECT_EQ(ZAutoStartFile(), m_configDir.path() + s("/autostart/") + GetSysCode() + s(".desktop"));
    QFile entry(ZAutoStartFile());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(QFile::encodeName(QCoreApplication::applicationFilePath())));
    entry.close();
    TfrmSystemSet again;
    EXPECT_TRUE(again.chkAutoRun->isChecked());
    EXPECT_FALSE(again.chkBornMail->isChecked());
    again.chkAutoRun->setChecked(false);
    again.SaveSettings();
    EXPECT_FALSE(ZIsAutoStart());
}

TEST_F(SystemSet, AChosenSoundIsKeptAtOnce)
{
    TfrmSystemSet window;
    SetZFileDialogAnswerer([&](bool, const QString &filter, const QString &) {
        EXPECT_EQ(filter, s("MP3(*.mp3)|*.mp3|MID(*.mid)|*.mid|WAV(*.wav)|*.wav"));
        return path(s("Sounds/铃声.wav"));
    });
    window.ChooseSound();
    SetZFileDialogAnswerer(nullptr);
    EXPECT_EQ(ReadRegKey(s("RemindSound")), path(s("Sounds/铃声.wav")));
    EXPECT_EQ(window.edtSound->text(), path(s("Sounds/铃声.wav")));
    TfrmSystemSet again;
    EXPECT_EQ(again.edtSound->text(), path(s("Sounds/铃声.wav")));
}
