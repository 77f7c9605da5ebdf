// The sound player plays what it can and stays quiet about the rest: these
// tests run on machines without sound, so they check that every call returns
// at once and leaves the player in the state it reports, whatever the device.

#include "TTempProgramFolder.h"
#include "media/TZPlayMusicCtrl.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

/// A tenth of a second of a quiet tone as a 16-bit mono WAV file.
QByteArray shortWave()
{
    const int rate = 8000;
    const int count = rate / 10;
    QByteArray samples;
    QDataStream out(&samples, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < count; ++i)
        out << qint16((i % 20) < 10 ? 2000 : -2000);

    QByteArray file;
    QDataStream head(&file, QIODevice::WriteOnly);
    head.setByteOrder(QDataStream::LittleEndian);
    head.writeRawData("RIFF", 4);
    head << quint32(36 + samples.size());
    head.writeRawData("WAVEfmt ", 8);
    head << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
         << quint16(16);
    head.writeRawData("data", 4);
    head << quint32(samples.size());
    return file + samples;
}

QString shippedSound(const char *name)
{
    return QStringLiteral(ZKVA_PROGRAM_DIR "/Sounds/") + QLatin1String(name);
}

void letEventsRun()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST(MusicPlayer, ShipsBothSounds)
{
    for (const char *name : {"Msg2.MP3", "mzdhl.mp3"}) {
        QFile file(shippedSound(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray head = file.read(3);
        // An MP3 stream starts with an ID3 tag or a frame sync.
        EXPECT_TRUE(head == "ID3" || (uchar(head[0]) == 0xFF && (uchar(head[1]) & 0xE0) == 0xE0)) << name;
    }
}

TEST(MusicPlayer, OneShotsOfEveryKindReturnAtOnce)
{
    TTempProgramFolder folder;
    const QString wave = folder.writeFile(QStringLiteral("Sounds/beep.wav"), shortWave());
    TZPlayMusicCtrl player;
    QObject owner;

    player.PlayOneTime(&owner, folder.path() + QStringLiteral("Sounds/missing.mp3"));
    player.PlayOneTime(&owner, QString());
    player.PlayOneTime(&owner, wave);
    player.PlayOneTime(&owner, shippedSound("Msg2.MP3"));
    // Written with backslashes, as stored settings may hold it.
    player.PlayOneTime(nullptr, QString(shippedSound("Msg2.MP3")).replace(QLatin1Char('/'), QLatin1Char('\\')));
    letEventsRun();

    // An owner that goes takes its one-shot with it; the next call is safe.
    {
        QObject shortLived;
        player.PlayOneTime(&shortLived, shippedSound("Msg2.MP3"));
    }
    player.PlayOneTime(&owner, wave);
    player.Stop();
    letEventsRun();
    SUCCEED();
}

TEST(MusicPlayer, BackgroundMusicKeepsItsFileAcrossPauses)
{
    TZPlayMusicCtrl player;
    const QString music = shippedSound("mzdhl.mp3");

    player.PlayLoop(music);
    EXPECT_TRUE(player.LoopPlaying());
    EXPECT_TRUE(player.LoopFileName().endsWith(QStringLiteral("Sounds/mzdhl.mp3")));
    player.Pause();
    EXPECT_FALSE(player.LoopPlaying());
    player.PlayLoop(music);
    EXPECT_TRUE(player.LoopPlaying());
    letEventsRun();
    player.Stop();
    EXPECT_FALSE(player.LoopPlaying());
    EXPECT_TRUE(player.LoopFileName().endsWith(QStringLiteral("Sounds/mzdhl.mp3")));

    // A missing file ends the music instead of keeping the old one going.
    player.PlayLoop(music);
    player.PlayLoop(QStringLiteral("/nonexistent/music.mp3"));
    EXPECT_FALSE(player.LoopPlaying());
    EXPECT_TRUE(player.LoopFileName().isEmpty());
}

TEST(MusicPlayer, TheProcessWidePlayerIsOne)
{
    QPointer<TZPlayMusicCtrl> first = &ZMusicPlayer();
    EXPECT_EQ(first.data(), &ZMusicPlayer());
    EXPECT_EQ(first->parent(), QCoreApplication::instance());
}
