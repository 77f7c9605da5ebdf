#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

/// The program's sound player: short one-shot sounds (a reminder's chime)
/// and one looping background music.
///
/// Sounds play through Qt Multimedia: ".wav" one-shots through QSoundEffect,
/// everything else through QMediaPlayer with the platform's decoders (mp3
/// always on Debian's GStreamer plug-ins, ".mid" where a MIDI decoder is
/// installed). Sound is a courtesy, never a failure: a missing file, a file
/// the platform cannot decode or a machine without an audio device plays
/// nothing and reports nothing, and no call ever blocks or throws.
class TZPlayMusicCtrl final : public QObject
{
    Q_OBJECT

public:
    explicit TZPlayMusicCtrl(QObject *parent = nullptr);
    ~TZPlayMusicCtrl() override;

    /// Plays a file once. The previous one-shot is released first, so a new
    /// chime cuts the old one short. The one-shot belongs to `owner` (this
    /// player when null) and goes with it.
    void PlayOneTime(QObject *owner, const QString &fileName);

    /// Background music: plays the file over and over. The file already
    /// playing or paused continues where it stopped; another file starts
    /// from its beginning.
    void PlayLoop(const QString &fileName);
    /// Pauses the background music, keeping its position.
    void Pause();
    /// Stops the background music and the one-shot; the music starts from
    /// its beginning next time.
    void Stop();

    /// The background music's file (empty when none was given or it was
    /// missing) and whether it is meant to be playing now.
    const QString &LoopFileName() const { return m_loopFile; }
    bool LoopPlaying() const { return m_loopPlaying; }

    /// True when the machine has an audio output to play on.
    static bool HasAudioOutput();

private:
    void releaseOneShot();

    QPointer<QObject> m_oneShot;
    QMediaPlayer *m_loop = nullptr;
    QAudioOutput *m_loopOutput = nullptr;
    QString m_loopFile;
    bool m_loopPlaying = false;
};

/// The process-wide player, made on first use and freed with the
/// application.
TZPlayMusicCtrl &ZMusicPlayer();
