#pragma once

#include <QPair>
#include <QString>
#include <QStringList>

/// The interface shared by the file-backed and the in-memory INI classes.
/// Sections and keys are matched ignoring case; the first match wins.
class TZCustomIniFile
{
public:
    explicit TZCustomIniFile(QString fileName);
    virtual ~TZCustomIniFile();
    TZCustomIniFile(const TZCustomIniFile &) = delete;
    TZCustomIniFile &operator=(const TZCustomIniFile &) = delete;

    const QString &FileName() const { return m_fileName; }

    virtual QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const = 0;
    virtual void WriteString(const QString &section, const QString &key, const QString &value) = 0;
    virtual QStringList ReadSections() const = 0;
    virtual QStringList ReadSection(const QString &section) const = 0;
    virtual QList<QPair<QString, QString>> ReadSectionValues(const QString &section) const = 0;
    virtual bool SectionExists(const QString &section) const = 0;
    virtual bool ValueExists(const QString &section, const QString &key) const = 0;
    virtual void EraseSection(const QString &section) = 0;
    virtual void DeleteKey(const QString &section, const QString &key) = 0;

    /// The value as an integer (decimal, or hexadecimal after "0x"); the
    /// default when missing or not a number.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    void WriteInteger(const QString &section, const QString &key, int value);

    /// An integer value other than 0 is true; the default when missing or not
    /// a number.
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
    void WriteBool(const QString &section, const QString &key, bool value);

private:
    QString m_fileName;
};
