#include "TZPlayMusicCtrl.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

namespace {

/// The file as a local URL, or an empty URL when there is no such file.
/// Paths may be written with "\" as well.
QUrl existingFile(const QString &fileName)
{
    QString path = fileName.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return QUrl();
    return QUrl::fromLocalFile(info.absoluteFilePath());
}

bool isWave(const QUrl &url)
{
    return url.path().endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive);
}

/// A one-shot media player with its output, freeing itself when the sound
/// has ended or could not be played.
QObject *makeMediaOneShot(QObject *owner, const QUrl &url)
{
    auto *player = new QMediaPlayer(owner);
    auto *output = new QAudioOutput(player);
    player->setAudioOutput(output);
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player, [player](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
            player->deleteLater();
    });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player, [player]() { player->deleteLater(); });
    player->setSource(url);
    player->play();
    return player;
}

/// A one-shot wave sound, freeing itself when it has ended or failed.
QObject *makeWaveOneShot(QObject *owner, const QUrl &url)
{
    auto *effect = new QSoundEffect(owner);
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect]() {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect]() {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready)
            effect->deleteLater();
    });
    effect->setSource(url);
    effect->setLoopCount(1);
    effect->play();
    return effect;
}

} // namespace

TZPlayMusicCtrl::TZPlayMusicCtrl(QObject *parent) : QObject(parent) {}

TZPlayMusicCtrl::~TZPlayMusicCtrl()
{
    releaseOneShot();
}

bool TZPlayMusicCtrl::HasAudioOutput()
{
    return QCoreApplication::instance() && !QMediaDevices::audioOutputs().isEmpty();
}

void TZPlayMusicCtrl::releaseOneShot()
{
    delete m_oneShot.data();
    m_oneShot.clear();
}

void TZPlayMusicCtrl::PlayOneTime(QObject *owner, const QString &fileName)
{
    releaseOneShot();
    const QUrl url = existingFile(fileName);
    if (url.isEmpty() || !HasAudioOutput())
        return;
    QObject *parent = owner ? owner : this;
    m_oneShot = isWave(url) ? makeWaveOneShot(parent, url) : makeMediaOneShot(parent, url);
}

void TZPlayMusicCtrl::PlayLoop(const QString &fileName)
{
    const QUrl url = existingFile(fileName);
    if (url.isEmpty()) {
        Stop();
        m_loopFile.clear();
        return;
    }
    const bool sameFile = url.toLocalFile() == m_loopFile;
    m_loopFile = url.toLocalFile();
    m_loopPlaying = true;
    if (!HasAudioOutput())
        return;
    if (!m_loop) {
        m_loop = new QMediaPlayer(this);
        m_loopOutput = new QAudioOutput(m_loop);
        m_loop->setAudioOutput(m_loopOutput);
        m_loop->setLoops(QMediaPlayer::Infinite);
    }
    if (!sameFile || m_loop->source() != url)
        m_loop->setSource(url);
    m_loop->play();
}

void TZPlayMusicCtrl::Pause()
{
    m_loopPlaying = false;
    if (m_loop)
        m_loop->pause();
}

void TZPlayMusicCtrl::Stop()
{
    m_loopPlaying = false;
    if (m_loop)
        m_loop->stop();
    releaseOneShot();
}

TZPlayMusicCtrl &ZMusicPlayer()
{
    // Parented to the application, so its players go before the multimedia
    // back end does; a program without an application gets one that lives
    // to the end and plays nothing.
    static QPointer<TZPlayMusicCtrl> player;
    if (!player)
        player = new TZPlayMusicCtrl(QCoreApplication::instance());
    return *player;
}
