#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

/// The content of an INI text with the classic semantics: sections and keys
/// are matched ignoring case, the first match wins, the order of the text is
/// kept, and values are plain UTF-8 without escaping. Keys and values are
/// trimmed of blanks when read. Comment lines (";" or "#") and lines without
/// "=" are kept as they are and otherwise ignored.
///
/// A value has no line breaks: a value, key or section name written with one
/// has it replaced by a blank, so the file stays well-formed.
class TZIniData
{
public:
    /// Replaces the content with the parsed text. Bytes that are not UTF-8
    /// are read as GB18030, the encoding of older Chinese files.
    void parse(const QByteArray &bytes);
    void parseText(const QString &text);

    /// The content as UTF-8 text with "\n" line ends.
    QByteArray toUtf8() const;
    QString toText() const;

    void clear();

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;

    /// The value, or `defaultValue` when the section or the key is missing.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;

    /// Sets the first matching key of the first matching section; appends the
    /// key, or the section and the key, when missing.
    void writeString(const QString &section, const QString &key, const QString &value);

    /// Section names in text order, each name once (as first written).
    QStringList sections() const;

    /// Keys of the first matching section in text order.
    QStringList sectionKeys(const QString &section) const;

    /// Key and value pairs of the first matching section in text order.
    QList<QPair<QString, QString>> sectionValues(const QString &section) const;

    /// Removes every section of that name.
    void eraseSection(const QString &section);

    /// Removes the first matching key of the first matching section.
    void deleteKey(const QString &section, const QString &key);

private:
    struct Line
    {
        QString key;   // empty for a line that is no entry
        QString value; // the trimmed value of an entry
        QString raw;   // the original text of a line that is no entry
    };
    struct Section
    {
        QString name; // empty for the lines before the first section
        bool isPreamble = false;
        QList<Line> lines;
    };

    int findSection(const QString &section) const;
    static qsizetype findKey(const Section &s, const QString &key);
    void rebuildIndex();

    QList<Section> m_sections;
    QHash<QString, int> m_index; // case-folded name → first section of that name
    QHash<QString, int> m_exact; // name as written → the same first section (no folding needed)
};
