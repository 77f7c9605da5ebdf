// Background music of the main window: the "背景音乐" check box, the music
// file and the "换" button. The settings PlayMusic and MusicFileName are
// machine values (registry.ini).
#include "TfrmMOXMain.h"

#include "common/ZFiles.h"
#include "controls/ZFileDialogs.h"
#include "media/TZPlayMusicCtrl.h"
#include "settings/ZRegistry.h"

#include <QCheckBox>
#include <QFileInfo>

namespace {

bool musicOn()
{
    return ReadRegKey(QStringLiteral("PlayMusic")) == QLatin1String("1");
}

} // namespace

QString TfrmMOXMain::MusicFile()
{
    const QString chosen = ReadRegKey(QStringLiteral("MusicFileName")).trimmed();
    return chosen.isEmpty() ? GetCurrPath() + QStringLiteral("Sounds/mzdhl.mp3") : chosen;
}

void TfrmMOXMain::PlayBackgroundMusic()
{
    chkMusic->setToolTip(QString());
    if (!musicOn()) {
        // Paused, so that the music goes on where it stopped when it is
        // switched on again.
        ZMusicPlayer().Pause();
        return;
    }
    const QString file = MusicFile();
    if (!QFileInfo(file).isFile()) {
        chkMusic->setToolTip(QStringLiteral("找不到文件：") + file);
        return;
    }
    // The same file again continues where it stopped.
    ZMusicPlayer().PlayLoop(file);
}

void TfrmMOXMain::musicClicked()
{
    WriteRegKey(QStringLiteral("PlayMusic"), chkMusic->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    PlayBackgroundMusic();
}

void TfrmMOXMain::ChangeMusic()
{
    QString file = MusicFile();
    if (!zOpenDialog(QStringLiteral("MP3(*.mp3)|*.mp3|MID(*.mid)|*.mid|WAV(*.wav)|*.wav"), file, this))
        return;
    WriteRegKey(QStringLiteral("MusicFileName"), file);
    if (musicOn())
        PlayBackgroundMusic();
}
