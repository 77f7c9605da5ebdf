#include "ZProcessLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TZProcessLock::TZProcessLock(QString path) : m_path(std::move(path)) {}

TZProcessLock::~TZProcessLock()
{
    Unlock();
}

TZProcessLock::Result TZProcessLock::TryLock()
{
    if (m_fd >= 0)
        return Acquired;
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return CannotWrite;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return HeldByOther;
        m_error = QString::fromLocal8Bit(std::strerror(error));
        return CannotWrite;
    }
    m_fd = fd;
    // The holder's number, for a person looking at the file.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), size_t(pid.size())) < 0) {
        // The lock is what counts; an unwritable note changes nothing.
    }
    return Acquired;
}

void TZProcessLock::Unlock()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}
