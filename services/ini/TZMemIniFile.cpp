#include "TZMemIniFile.h"

#include "common/ZFiles.h"

#include <QFile>

TZMemIniFile::TZMemIniFile(const QString &fileName)
    : TZCustomIniFile(fileName.isEmpty() ? QString() : ZNormalizePath(fileName))
{
    if (FileName().isEmpty())
        return;
    QFile file(FileName());
    if (file.open(QIODevice::ReadOnly))
        m_data.parse(file.readAll());
}

QString TZMemIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_data.readString(section, key, defaultValue);
}

void TZMemIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    m_data.writeString(section, key, value);
    m_modified = true;
}

QStringList TZMemIniFile::ReadSections() const
{
    return m_data.sections();
}

QStringList TZMemIniFile::ReadSection(const QString &section) const
{
    return m_data.sectionKeys(section);
}

QList<QPair<QString, QString>> TZMemIniFile::ReadSectionValues(const QString &section) const
{
    return m_data.sectionValues(section);
}

bool TZMemIniFile::SectionExists(const QString &section) const
{
    return m_data.sectionExists(section);
}

bool TZMemIniFile::ValueExists(const QString &section, const QString &key) const
{
    return m_data.valueExists(section, key);
}

void TZMemIniFile::EraseSection(const QString &section)
{
    m_data.eraseSection(section);
    m_modified = true;
}

void TZMemIniFile::DeleteKey(const QString &section, const QString &key)
{
    m_data.deleteKey(section, key);
    m_modified = true;
}

QString TZMemIniFile::GetText() const
{
    return m_data.toText();
}

void TZMemIniFile::SetText(const QString &text)
{
    m_data.parseText(text);
    m_modified = true;
}

void TZMemIniFile::Clear()
{
    m_data.clear();
    m_modified = true;
}

void TZMemIniFile::UpdateFile() const
{
    ZSaveFileAtomically(FileName(), m_data.toUtf8());
    m_modified = false;
}
