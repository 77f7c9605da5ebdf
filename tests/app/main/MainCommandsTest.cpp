// The main window's own commands: the login password, the web pages, the
// about box and the background music.
#include "MainWindowFixture.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "ZProductInfo.h"
#include "common/ZVersion.h"
#include "controls/ZFileDialogs.h"
#include "data/TParamInfo.h"
#include "forms/TfrmZForm.h"
#include "forms/ZMessageBox.h"
#include "list/TfrmListForm.h"
#include "main/TfrmMOXMain.h"
#include "main/ZMainCommands.h"
#include "media/TZPlayMusicCtrl.h"
#include "metadata/TZDataSource.h"
#include "record/TfrmMasterData.h"
#include "settings/ZRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

using MainCommands = MainWindowFixture;

namespace {

/// Takes the addresses the program hands to the browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QStringList urls;

public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};

} // namespace

TEST_F(MainCommands, SettingTheLoginPassword)
{
    SaveParamValue(s("LoginPassWord"), s("old"));
    GetParamInfo().UpdateParamInfo();
    TfrmMOXMain &main = showWindow();
    QToolButton *command = main.CommandButton(4, s("设置登陆密码"));
    ASSERT_NE(command, nullptr);

    // Two entries that differ only in case are accepted.
    inputs = QStringList{s("Secret"), s("sECRET")};
    shotName = s("main_window_password");
    command->click();
    EXPECT_EQ(texts, QStringList({s("设置登陆密码"), s("请在确认一次密码"), s("密码已设置成功!")}));
    EXPECT_EQ(captions.value(0), main.windowTitle());
    EXPECT_EQ(masked, QList<bool>({true, true}));
    EXPECT_EQ(GetParamValue(s("LoginPassWord")), s("Secret"));

    // Different entries are refused.
    texts.clear();
    inputs = QStringList{s("one"), s("two")};
    command->click();
    EXPECT_EQ(texts.value(2), s("两次密码不一致，密码未设置！"));
    EXPECT_EQ(GetParamValue(s("LoginPassWord")), s("Secret"));

    // Cancel on the second box ends it.
    texts.clear();
    inputs = QStringList{s("three")};
    answers = QStringList{s("btnOK"), s("btnCancel")};
    command->click();
    EXPECT_EQ(texts.size(), 2);
    EXPECT_EQ(GetParamValue(s("LoginPassWord")), s("Secret"));
}

TEST_F(MainCommands, APasswordTheDataFileDidNotHoldIsReadBackAtOnce)
{
    TfrmMOXMain &main = showWindow();
    inputs = QStringList{s("abc"), s("abc")};
    main.SetLoginPassword();
    EXPECT_EQ(GetParamValue(s("LoginPassWord")), s("abc"));
}

TEST_F(MainCommands, WebPagesOpenInTheBrowser)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(s("https"), &catcher, "open");
    TfrmMOXMain &main = showWindow();
    main.CommandButton(4, s("进入官网"))->click();
    main.CommandButton(4, s("交流中心"))->click();
    main.findChild<QAction *>(s("actWebSitde"))->trigger();
    QDesktopServices::unsetUrlHandler(s("https"));
    EXPECT_EQ(catcher.urls, QStringList({ZProductWebSiteUrl(), ZProductForumUrl(), ZProductWebSiteUrl()}));
}

TEST_F(MainCommands, TheAboutBox)
{
    TfrmMOXMain &main = showWindow();
    QString title;
    QString version;
    SetZBoxAnswerer([&](QDialog &box) {
        title = box.findChild<QLabel *>(s("lblTitle"))->text();
        version = box.findChild<QLabel *>(s("lblVersion"))->text();
        ZSaveScreenshot(box, s("main_window_about"));
        box.findChild<QPushButton *>(s("btnOK"))->click();
    });
    main.findChild<QAction *>(s("actAbout"))->trigger();
    EXPECT_EQ(title, ZProductTitle());
    EXPECT_EQ(version, GetAppVersion());
}

TEST_F(MainCommands, BackgroundMusicSettings)
{
    WriteRegKey(s("PlayMusic"), s("1"));
    TfrmMOXMain &main = showWindow();
    auto *music = main.findChild<QCheckBox *>(s("chkMusic"));
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->isChecked());
    EXPECT_EQ(TfrmMOXMain::MusicFile(), path(s("Sounds/mzdhl.mp3")));
    // The default file is not in this program folder.
    EXPECT_EQ(music->toolTip(), s("找不到文件：") + path(s("Sounds/mzdhl.mp3")));

    EXPECT_FALSE(ZMusicPlayer().LoopPlaying());
    music->click();
    EXPECT_EQ(ReadRegKey(s("PlayMusic")), s("0"));
    EXPECT_TRUE(music->toolTip().isEmpty());

    // "换" asks for a file with the music filter and keeps it.
    const QString chosen = folder->writeFile(s("Music/song.wav"), QByteArray("RIFF"));
    QString filter;
    SetZFileDialogAnswerer([&](bool save, const QString &asked, const QString &) {
        EXPECT_FALSE(save);
        filter = asked;
        return chosen;
    });
    main.findChild<QPushButton *>(s("btnChangeMusic"))->click();
    EXPECT_EQ(filter, s("MP3(*.mp3)|*.mp3|MID(*.mid)|*.mid|WAV(*.wav)|*.wav"));
    EXPECT_EQ(ReadRegKey(s("MusicFileName")), chosen);
    EXPECT_FALSE(ZMusicPlayer().LoopPlaying());
    music->click();
    EXPECT_EQ(ReadRegKey(s("PlayMusic")), s("1"));
    EXPECT_TRUE(music->toolTip().isEmpty());
    EXPECT_EQ(ZMusicPlayer().LoopFileName(), chosen);
    EXPECT_TRUE(ZMusicPlayer().LoopPlaying());
    // Switched off, it pauses; "换" while it is on plays the new file.
    music->click();
    EXPECT_FALSE(ZMusicPlayer().LoopPlaying());
    music->click();
    const QString other = folder->writeFile(s("Music/other.mp3"), QByteArray("ID3"));
    SetZFileDialogAnswerer([&](bool, const QString &, const QString &) { return other; });
    main.findChild<QPushButton *>(s("btnChangeMusic"))->click();
    EXPECT_EQ(ZMusicPlayer().LoopFileName(), other);
    ZMusicPlayer().Stop();
}

TEST_F(MainCommands, TheMusicPlaysFromTheStartWhenItIsOn)
{
    copyShipped(s("Sounds"));
    WriteRegKey(s("PlayMusic"), s("1"));
    TfrmMOXMain &main = showWindow();
    EXPECT_TRUE(main.findChild<QCheckBox *>(s("chkMusic"))->toolTip().isEmpty());
    EXPECT_EQ(ZMusicPlayer().LoopFileName(), path(s("Sounds/mzdhl.mp3")));
    EXPECT_TRUE(ZMusicPlayer().LoopPlaying());
    ZMusicPlayer().Stop();
}

#include "MainCommandsTest.moc"

// Every command of every page (the personal pages, the accounts and the
// business bills and reports) opens a working window: no box says a window
// is missing, and a module's list adds a record in the module's own window.
TEST_F(MainCommands, EveryCommandOpensAWorkingWindow)
{
    TfrmMOXMain &main = showWindow();
    // A modal window is looked at and closed from inside its loop.
    QStringList modalClasses;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *modal = qobject_cast<TfrmZForm *>(QApplication::activeModalWidget())) {
            modalClasses << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    closer.start();
    const auto openForms = [&main] {
        QList<TfrmZForm *> forms;
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (form != &main && !form->Closed() && form->isVisible())
                forms << form;
        }
        return forms;
    };
    for (const TMainCommand &command : ZMainCommands()) {
        if (command.kind == mcPassword || command.kind == mcWebSite || command.kind == mcForum)
            continue;
        const QString caption = QString::number(command.page) + QString::fromUtf16(command.caption);
        SCOPED_TRACE(caption.toStdString());
        texts.clear();
        modalClasses.clear();
        main.CommandButton(command.page, QString::fromUtf16(command.caption))->click();
        EXPECT_TRUE(texts.isEmpty()) << texts.join(s(" | ")).toStdString();
        QStringList opened = modalClasses;
        TfrmListForm *list = nullptr;
        for (TfrmZForm *form : openForms()) {
            opened << QString::fromLatin1(form->metaObject()->className());
            if (auto *l = qobject_cast<TfrmListForm *>(form))
                list = l;
        }
        EXPECT_FALSE(opened.isEmpty());
        if (command.kind == mcWindow) {
            EXPECT_TRUE(opened.contains(QString::fromLatin1(command.target)));
        }
        // A module that keeps records adds one in its own window.
        const QString recordClass = list ? list->DataSource().FormClassName.trimmed() : QString();
        if (list && !QString::fromLatin1(command.target).startsWith(s("Rpt"))) {
            list->AddNew();
            EXPECT_TRUE(texts.isEmpty()) << texts.join(s(" | ")).toStdString();
            QStringList classes;
            for (TfrmZForm *form : openForms())
                classes << QString::fromLatin1(form->metaObject()->className());
            EXPECT_TRUE(classes.contains(recordClass.isEmpty() ? s("TfrmMasterDataBase") : recordClass))
                << classes.join(s(", ")).toStdString();
            // The new record is given up ("您确定取消吗？" answered yes), so
            // that its window closes without asking.
            for (TfrmZForm *form : openForms()) {
                if (auto *record = qobject_cast<TfrmMasterData *>(form); record && record->Editing()) {
                    answers << s("btnYes");
                    EXPECT_TRUE(record->RunAction(6));
                }
            }
        }
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (form != &main && !form->Closed())
                form->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(openForms().isEmpty()) << "a window stayed open";
    }
    closer.stop();
}
