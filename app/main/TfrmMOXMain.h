#pragma once

#include <QMainWindow>

class QListWidget;
class QListWidgetItem;
class QSystemTrayIcon;

/// The main window for now: the caption with the open data file, the tray
/// icon, and every command of the program as a list from which its module or
/// window opens through the launcher. Notices (message 1925) open the notice
/// window.
class TfrmMOXMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMOXMain(QWidget *parent = nullptr);
    ~TfrmMOXMain() override;

    /// Runs the command of a list row.
    void RunCommand(int row);

protected:
    bool event(QEvent *event) override;

private:
    QListWidget *m_commands;
    QSystemTrayIcon *m_tray = nullptr;
};
