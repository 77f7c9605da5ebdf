#include "ZProcess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

int WaitExeFinish(const QString &commandLine, bool hide)
{
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        return -1;
    const QString program = args.takeFirst();
    return WaitExeFinish(program, args, hide);
}

int WaitExeFinish(const QString &program, const QStringList &args, bool hide)
{
    Q_UNUSED(hide) // programs started here are console programs without windows
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    // Nothing answers a program that asks for input (a packer asking for a
    // password): it reads the end of its input instead of waiting forever.
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForStarted(-1))
        return -1;
    const bool onGuiThread =
        QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
    if (onGuiThread) {
        while (!process.waitForFinished(100))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        process.waitForFinished(-1);
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}
