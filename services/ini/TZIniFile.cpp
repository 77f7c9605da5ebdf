#include "TZIniFile.h"

#include "common/ZFiles.h"
#include "ini/TZIniData.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

// One parsed copy per file for the whole process, with the stamp of the file
// it was read from; a changed stamp means the file changed on disk.
struct CachedFile
{
    bool loaded = false;
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;
    TZIniData data;
};

QMutex g_cacheMutex;
QHash<QString, CachedFile> &cache()
{
    static QHash<QString, CachedFile> files;
    return files;
}

// Runs `f` on the current content of the file under the process-wide lock.
template<typename F>
auto withFile(const QString &path, F f)
{
    QMutexLocker lock(&g_cacheMutex);
    CachedFile &c = cache()[path];
    const QFileInfo info(path);
    const bool exists = info.exists();
    const QDateTime modified = exists ? info.lastModified() : QDateTime();
    const qint64 size = exists ? info.size() : -1;
    if (!c.loaded || c.exists != exists || c.modified != modified || c.size != size) {
        QByteArray bytes;
        if (exists) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                bytes = file.readAll();
        }
        c.data.parse(bytes);
        c.loaded = true;
        c.exists = exists;
        c.modified = modified;
        c.size = size;
    }
    return f(c);
}

void save(const QString &path, CachedFile &c)
{
    try {
        ZSaveFileAtomically(path, c.data.toUtf8());
    } catch (...) {
        c.loaded = false; // the copy in memory holds a change the file does not
        throw;
    }
    const QFileInfo info(path);
    c.exists = true;
    c.modified = info.lastModified();
    c.size = info.size();
}

} // namespace

TZIniFile::TZIniFile(const QString &fileName) : TZCustomIniFile(ZNormalizePath(fileName)) {}

QString TZIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return withFile(FileName(), [&](CachedFile &c) { return c.data.readString(section, key, defaultValue); });
}

void TZIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    withFile(FileName(), [&](CachedFile &c) {
        if (c.data.valueExists(section, key) && c.data.readString(section, key, QString()) == value)
            return; // nothing changes: spare the disk
        c.data.writeString(section, key, value);
        save(FileName(), c);
    });
}

QStringList TZIniFile::ReadSections() const
{
    return withFile(FileName(), [](CachedFile &c) { return c.data.sections(); });
}

QStringList TZIniFile::ReadSection(const QString &section) const
{
    return withFile(FileName(), [&](CachedFile &c) { return c.data.sectionKeys(section); });
}

QList<QPair<QString, QString>> TZIniFile::ReadSectionValues(const QString &section) const
{
    return withFile(FileName(), [&](CachedFile &c) { return c.data.sectionValues(section); });
}

bool TZIniFile::SectionExists(const QString &section) const
{
    return withFile(FileName(), [&](CachedFile &c) { return c.data.sectionExists(section); });
}

bool TZIniFile::ValueExists(const QString &section, const QString &key) const
{
    return withFile(FileName(), [&](CachedFile &c) { return c.data.valueExists(section, key); });
}

void TZIniFile::EraseSection(const QString &section)
{
    withFile(FileName(), [&](CachedFile &c) {
        if (!c.data.sectionExists(section))
            return;
        c.data.eraseSection(section);
        save(FileName(), c);
    });
}

void TZIniFile::DeleteKey(const QString &section, const QString &key)
{
    withFile(FileName(), [&](CachedFile &c) {
        if (!c.data.valueExists(section, key))
            return;
        c.data.deleteKey(section, key);
        save(FileName(), c);
    });
}

void TZIniFile::WriteValues(const QString &section, const QList<QPair<QString, QString>> &values)
{
    withFile(FileName(), [&](CachedFile &c) {
        for (const auto &[key, value] : values)
            c.data.writeString(section, key, value);
        save(FileName(), c);
    });
}
