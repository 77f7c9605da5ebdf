#include "TfrmLoading.h"
#include "common/ZAppTitle.h"

#include "launcher/ZLauncher.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TfrmLoading::TfrmLoading(QString mainClass, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainClass(std::move(mainClass))
{
    setWindowTitle(ZApplicationTitle());
    setObjectName(QStringLiteral("frmLoading"));
    setStyleSheet(QStringLiteral("#frmLoading { background: #2d6cb5; } QLabel { color: white; }"));
    auto *title = new QLabel(ZApplicationTitle(), this);
    title->setStyleSheet(QStringLiteral("font-size: 26px;"));
    auto *starting = new QLabel(QStringLiteral("启动中......"), this);
    starting->setObjectName(QStringLiteral("lblStarting"));
    auto *welcome = new QLabel(QStringLiteral("欢迎使用") + ZApplicationTitle(), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addStretch();
    layout->addWidget(starting, 0, Qt::AlignCenter);
    layout->addWidget(welcome, 0, Qt::AlignCenter);
    setFixedSize(360, 180);
    setAttribute(Qt::WA_DeleteOnClose);

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TfrmLoading::tick);
    m_timer->start();
}

void TfrmLoading::tick()
{
    if (IsExistFormClass(m_mainClass)) {
        m_timer->stop();
        close();
        return;
    }
    update();
}
