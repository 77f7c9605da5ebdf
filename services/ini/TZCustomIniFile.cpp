#include "TZCustomIniFile.h"

#include "common/ZTrim.h"

TZCustomIniFile::TZCustomIniFile(QString fileName) : m_fileName(std::move(fileName)) {}

TZCustomIniFile::~TZCustomIniFile() = default;

int TZCustomIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = ZTrim(ReadString(section, key, QString()));
    bool ok = false;
    const int value =
        text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok);
    return ok ? value : defaultValue;
}

void TZCustomIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool TZCustomIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TZCustomIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
