#pragma once

#include <QWidget>

class QTimer;

/// The start-up window ("启动中......"): shown while the session opens and
/// again while the main window is made; it closes itself once a main window
/// of the class it waits for exists.
class TfrmLoading : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmLoading(QString mainClass = QStringLiteral("TfrmMOXMain"), QWidget *parent = nullptr);

private:
    void tick();

    QString m_mainClass;
    QTimer *m_timer;
};
