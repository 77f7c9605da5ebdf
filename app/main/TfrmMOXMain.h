#pragma once

#include "forms/TfrmZForm.h"

#include <QList>
#include <QSystemTrayIcon>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;
class TFtpDownLoad;
struct TMainCommand;

/// The main window of the program, alive from login to exit: the command
/// panel (pages of commands that open modules through the launcher, switched
/// by the page buttons of the left column), the clock and date panel, the
/// owner's greeting and the version, the pending-reminder indicator, the
/// tray icon and its menu, the system ("功能") and report ("查询") menus
/// built from the module definitions, the appearance menu and the background
/// music. It is the receiver of the messages to the main window (1925 a text
/// for the user, 1934 the tray icon, 1936 an immediate reminder poll, 1937).
///
/// Closing it by its frame hides the program to the tray; only Exit asks
/// whether to end the program. The reminder behaviour lives in
/// TfrmMOXMainRemind.cpp, the check for a new version in
/// TfrmMOXMainUpdate.cpp.
class TfrmMOXMain : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmMOXMain(QWidget *parent = nullptr);
    ~TfrmMOXMain() override;

    // The command panel.
    /// Shows page `page` (0–6) of the panel.
    void ShowPage(int page);
    int CurrentPage() const;
    /// The page button of a page, and the Exit button below them.
    QPushButton *PageButton(int page) const { return m_pageButtons.value(page); }
    QPushButton *ExitButton() const { return btnExit; }
    /// The button of a command on a page; null when the page has none.
    QToolButton *CommandButton(int page, const QString &caption) const;

    // Commands of the menus and the panel.
    void SetLoginPassword();
    void OpenWebSite();
    void OpenForum();
    void ShowAbout();
    void BackUpData();

    /// Shows the program (from the tray), or hides it to the tray.
    void ShowProgram();
    void HideToTray();

    /// Background music: plays or stops it as the setting PlayMusic says;
    /// the check box's hint names a missing file.
    void PlayBackgroundMusic();
    /// The music file: the setting MusicFileName, else Sounds/mzdhl.mp3.
    static QString MusicFile();
    /// The "换" button: chooses another music file.
    void ChangeMusic();

    // The reminder behaviour (TfrmMOXMainRemind.cpp).
    /// The poll of the reminders (every tick after the clock, and message 1936).
    void PollReminders();
    /// The blink timer's step.
    void BlinkRemind();
    /// The indicator clicked (and the tray's left button while reminders are pending).
    void ClickRemindIndicator();
    int PendingRemindCount() const;
    QMenu *PendingRemindMenu() const;

    // The check for a new version of the program (TfrmMOXMainUpdate.cpp).
    /// Asks the update server for its version file on a worker; an
    /// interactive check tells its progress and result, a silent one only
    /// asks when a newer version is offered. While a check runs, another
    /// request only makes it interactive.
    void CheckNewVersion(bool interactive);
    bool VersionCheckRunning() const { return m_versionCheckRunning; }
    /// Starts the updater AutoUpd of the program folder with the system
    /// code, first replacing it by the update folder's newer AutoUpd_.
    void RunAutoUpdate();

    QSystemTrayIcon *TrayIcon() const { return m_tray; }
    QMenu *TrayMenu() const { return pmTray; }
    QLabel *RemindIndicator() const { return lblRemind; }
    QTimer *RemindTimer() const { return tmrRemind; }
    QTimer *BlinkTimer() const { return tmrBlink; }
    bool ExitRequested() const { return m_exitRequested; }

    bool IsAutoSizeAndPos() override { return false; }
    bool AutoCreatGridCtrl() override { return false; }

signals:
    /// The window closed for good: the program ends.
    void ProgramEnds();
    /// A version check has ended and told what it had to tell.
    void VersionCheckFinished();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building (TfrmMOXMain.cpp, TfrmMOXMainPanel.cpp, TfrmMOXMainMenus.cpp).
    QWidget *createHeader();
    QWidget *createPanel();
    QWidget *createFooter();
    QWidget *createPage(int page);
    void createActions();
    void createMenus();
    void createTray();
    void buildModuleMenus();
    void buildSkinMenu();
    void loadPackages();
    /// The database update check and the silent check for a new version.
    void CheckDatabaseAndVersion();
    /// The end of a version check, on the user-interface thread.
    void versionCheckDone(bool success, int fileCount);
    /// Stops the version checks still running and frees them.
    void stopVersionChecks();

    // Running.
    void firstShow();
    void layoutPageButtons();
    void runCommand(const TMainCommand &command);
    void showClock();
    void showGreeting();
    void showUserMsg(const QString &text, int colour);
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void trayMessage(int mouseMessage);
    void chooseSkin(int index);
    void musicClicked();
    /// The closing rules: true when the window may close.
    bool FormCloseQuery();
    /// "备份后退出": the backup window, then true; false when there is none.
    bool backUpBeforeExit();
    bool otherWindowShowing() const;

    QMenuBar *m_menuBar = nullptr;
    QMenu *mnuSystem = nullptr;
    QMenu *mnuReport = nullptr;
    QMenu *mnuSkin = nullptr;
    QMenu *pmTray = nullptr;
    QMenu *mnuTraySystem = nullptr;
    QMenu *mnuTrayReport = nullptr;
    QMenu *pmRemind = nullptr;

    QAction *actOpenMainForm = nullptr;
    QAction *actMinMainForm = nullptr;
    QAction *actMinToTray = nullptr;
    QAction *actExit = nullptr;
    QAction *actAbout = nullptr;
    QAction *actAccessBackUp = nullptr;
    QAction *actCheckNew = nullptr;
    QAction *actWebSitde = nullptr;
    QAction *actRemindBox = nullptr;

    QStackedWidget *pgcMain = nullptr;
    QWidget *pnlPageButtons = nullptr;
    QList<QPushButton *> m_pageButtons;
    QPushButton *btnExit = nullptr;

    QLabel *lblTime = nullptr;
    QLabel *lblWeek = nullptr;
    QLabel *lblDate = nullptr;
    QLabel *lblGreeting = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblRemind = nullptr;
    QCheckBox *chkMusic = nullptr;
    QPushButton *btnChangeMusic = nullptr;

    QTimer *tmrRemind = nullptr;
    QTimer *tmrBlink = nullptr;
    QSystemTrayIcon *m_tray = nullptr;

    bool m_exitRequested = false;
    bool m_firstShow = true;
    bool m_versionChecksStopped = false;
    bool m_versionCheckRunning = false;
    bool m_interactiveCheck = false;
};
