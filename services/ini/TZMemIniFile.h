#pragma once

#include "ini/TZCustomIniFile.h"
#include "ini/TZIniData.h"

/// An INI file read whole into memory: reads and writes work on the copy in
/// memory, and UpdateFile saves it. Used for definition files, which are read
/// many times and written rarely. Not shared between threads.
class TZMemIniFile final : public TZCustomIniFile
{
public:
    /// Reads the file when it exists (a relative name is taken below the
    /// program folder); an empty name gives an empty file in memory.
    explicit TZMemIniFile(const QString &fileName = QString());

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const override;
    void WriteString(const QString &section, const QString &key, const QString &value) override;
    QStringList ReadSections() const override;
    QStringList ReadSection(const QString &section) const override;
    QList<QPair<QString, QString>> ReadSectionValues(const QString &section) const override;
    bool SectionExists(const QString &section) const override;
    bool ValueExists(const QString &section, const QString &key) const override;
    void EraseSection(const QString &section) override;
    void DeleteKey(const QString &section, const QString &key) override;

    /// The whole content as text, and its replacement by a text.
    QString GetText() const;
    void SetText(const QString &text);

    /// Drops every section.
    void Clear();

    /// Saves the content to the file (atomically); raises an EZError when it
    /// cannot be written.
    void UpdateFile() const;

    /// True once a write changed the content since loading or saving.
    bool Modified() const { return m_modified; }

private:
    TZIniData m_data;
    mutable bool m_modified = false;
};
