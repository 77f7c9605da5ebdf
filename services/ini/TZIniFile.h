#pragma once

#include "ini/TZCustomIniFile.h"

/// An INI file on disk. Every read sees the file as it is now and every write
/// is saved at once (atomically: a crash leaves the old or the new file, never
/// half of one). All TZIniFile objects of the process share one parsed copy
/// per file, re-read only when the file changed on disk, and are safe to use
/// from several threads. A relative file name is taken below the program
/// folder. A write that cannot be saved raises an EZError.
class TZIniFile final : public TZCustomIniFile
{
public:
    explicit TZIniFile(const QString &fileName);

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const override;
    void WriteString(const QString &section, const QString &key, const QString &value) override;
    QStringList ReadSections() const override;
    QStringList ReadSection(const QString &section) const override;
    QList<QPair<QString, QString>> ReadSectionValues(const QString &section) const override;
    bool SectionExists(const QString &section) const override;
    bool ValueExists(const QString &section, const QString &key) const override;
    void EraseSection(const QString &section) override;
    void DeleteKey(const QString &section, const QString &key) override;

    /// Writes several keys of one section with a single save of the file.
    void WriteValues(const QString &section, const QList<QPair<QString, QString>> &values);
};
