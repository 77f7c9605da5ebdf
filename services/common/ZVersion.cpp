#include "ZVersion.h"

#include "common/ZTrim.h"
#include "common/ZVersionMarker.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

const QString kNoVersion = QStringLiteral("0.0.0.0");

// The version after a marker: four numbers with dots, ended by a NUL;
// empty when the bytes are something else.
QString versionAt(QByteArrayView bytes)
{
    constexpr qsizetype kLongest = 64;
    const qsizetype end = bytes.first(std::min(bytes.size(), kLongest)).indexOf('\0');
    if (end <= 0)
        return {};
    const QByteArrayView text = bytes.first(end);
    int dots = 0;
    bool digitBefore = false;
    for (const char c : text) {
        if (c == '.') {
            if (!digitBefore)
                return {};
            ++dots;
            digitBefore = false;
        } else if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else {
            return {};
        }
    }
    if (dots != 3 || !digitBefore)
        return {};
    return QString::fromLatin1(text);
}

bool isRunningProgram(const QFileInfo &file)
{
    if (!QCoreApplication::instance())
        return false;
    const QFileInfo self(QCoreApplication::applicationFilePath());
    return file.canonicalFilePath() == self.canonicalFilePath();
}

} // namespace

QString GetAppVersionID()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ZKVA_VERSION_MAJOR)
        .arg(ZKVA_VERSION_MINOR)
        .arg(ZKVA_VERSION_RELEASE)
        .arg(ZKVA_VERSION_BUILD);
}

QString GetAppVersion()
{
    return QStringLiteral("版本：") + GetAppVersionID();
}

int CompareVersion(const QString &a, const QString &b)
{
    const QString ta = ZTrim(a);
    const QString tb = ZTrim(b);
    if (ta.isEmpty() && tb.isEmpty())
        return 0;
    if (tb.isEmpty())
        return 1;
    if (ta.isEmpty())
        return -1;
    const QStringList pa = ta.split(QLatin1Char('.'));
    const QStringList pb = tb.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < pa.size(); ++i) {
        if (i >= pb.size())
            return 1;
        const int va = ZTrim(pa.at(i)).toInt();
        const int vb = ZTrim(pb.at(i)).toInt();
        if (va != vb)
            return va > vb ? 1 : -1;
    }
    return 0;
}

QString GetVersion(const QString &file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return kNoVersion;
    if (isRunningProgram(info))
        return GetAppVersionID();
    QFile stream(file);
    if (!stream.open(QIODevice::ReadOnly) || stream.size() == 0)
        return kNoVersion;
    // Mapped rather than read: a program file can be large, and only the
    // pages the search passes are touched.
    const uchar *mapped = stream.map(0, stream.size());
    if (!mapped)
        return kNoVersion;
    const QByteArrayView bytes(reinterpret_cast<const char *>(mapped), stream.size());
    const QByteArrayView prefix(kZkvaFileVersionMarker, kZkvaFileVersionPrefixLength);
    QString version;
    for (qsizetype at = bytes.indexOf(prefix); at >= 0 && version.isEmpty(); at = bytes.indexOf(prefix, at + 1))
        version = versionAt(bytes.sliced(at + prefix.size()));
    stream.unmap(const_cast<uchar *>(mapped));
    return version.isEmpty() ? kNoVersion : version;
}
