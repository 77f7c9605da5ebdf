#include "TZDBImage.h"

#include "controls/ZFileDialogs.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TZDBImage::TZDBImage(QWidget *parent)
    : QWidget(parent), m_view(new QLabel(this)), m_load(new QPushButton(QStringLiteral("载入图片…"), this)),
      m_clear(new QPushButton(QStringLiteral("清除"), this))
{
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setFrameShape(QFrame::StyledPanel);
    m_view->setMinimumSize(1, 1);
    m_view->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_load);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    connect(m_load, &QPushButton::clicked, this, [this] { LoadFromFile(); });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        if (m_readOnly || m_bytes.isEmpty())
            return;
        SetPicture({});
        emit PictureChanged();
    });
}

void TZDBImage::SetPicture(const QByteArray &bytes)
{
    m_bytes = bytes;
    showPicture();
}

void TZDBImage::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_load->setEnabled(!readOnly);
    m_clear->setEnabled(!readOnly);
}

bool TZDBImage::LoadFromFile()
{
    if (m_readOnly)
        return false;
    QString fileName;
    if (!zOpenDialog(QStringLiteral("图片文件(*.png;*.jpg;*.jpeg;*.bmp;*.gif)|*.png;*.jpg;*.jpeg;*.bmp;*.gif|所有类型(*.*)|*.*"),
                     fileName))
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SetPicture(file.readAll());
    emit PictureChanged();
    return true;
}

void TZDBImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showPicture();
}

void TZDBImage::showPicture()
{
    QPixmap picture;
    if (m_bytes.isEmpty() || !picture.loadFromData(m_bytes)) {
        m_view->clear();
        return;
    }
    m_view->setPixmap(picture.scaled(m_view->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
