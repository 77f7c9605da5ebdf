#include "TZIniData.h"

#include "common/ZTrim.h"

#include <QStringDecoder>

namespace {

QString oneLine(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat;
}

QString foldCase(const QString &s)
{
    return s.toCaseFolded();
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString decodeBytes(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    // The decoder drops one leading byte-order mark itself.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder gb("GB18030");
    if (!gb.isValid())
        return text;
    return gb.decode(view);
}

} // namespace

void TZIniData::parse(const QByteArray &bytes)
{
    parseText(decodeBytes(bytes));
}

void TZIniData::parseText(const QString &text)
{
    m_sections.clear();
    Section preamble;
    preamble.isPreamble = true;
    m_sections.append(preamble);

    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        const QStringView line = QStringView(text).mid(pos, end - pos);
        if (end < size && text.at(end) == QLatin1Char('\r') && end + 1 < size && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        pos = end + 1;

        const QString trimmed = ZTrim(line).toString();
        if (trimmed.startsWith(QLatin1Char('['))) {
            qsizetype close =
                trimmed.endsWith(QLatin1Char(']')) ? trimmed.size() - 1 : trimmed.indexOf(QLatin1Char(']'));
            if (close > 0) {
                Section section;
                section.name = ZTrim(trimmed.mid(1, close - 1));
                m_sections.append(section);
                continue;
            }
        }
        Line entry;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
        if (!comment && eq > 0 && !ZTrim(trimmed.left(eq)).isEmpty()) {
            entry.key = ZTrim(trimmed.left(eq));
            entry.value = ZTrim(trimmed.mid(eq + 1));
        } else {
            entry.raw = line.toString();
        }
        m_sections.last().lines.append(entry);
    }
    rebuildIndex();
}

QByteArray TZIniData::toUtf8() const
{
    const QString text = toText();
    // A text that itself begins with U+FEFF gets a byte-order mark in front,
    // or reading would take its first character for one and drop it.
    if (text.startsWith(QChar(0xFEFF)))
        return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    return text.toUtf8();
}

QString TZIniData::toText() const
{
    QString out;
    for (const Section &section : m_sections) {
        if (!section.isPreamble)
            out += QLatin1Char('[') + section.name + QLatin1String("]\n");
        for (const Line &line : section.lines) {
            if (line.key.isEmpty())
                out += line.raw;
            else
                out += line.key + QLatin1Char('=') + line.value;
            out += QLatin1Char('\n');
        }
    }
    return out;
}

void TZIniData::clear()
{
    m_sections.clear();
    m_index.clear();
    m_exact.clear();
}

void TZIniData::rebuildIndex()
{
    // Walk backwards so that the first section of a name wins.
    m_index.clear();
    m_exact.clear();
    for (int i = int(m_sections.size()) - 1; i >= 0; --i) {
        const Section &s = m_sections.at(i);
        if (!s.isPreamble)
            m_index.insert(foldCase(s.name), i);
    }
    // Every spelling in the text leads to the first section of its name, so
    // look-ups spelled as in the file need no case folding.
    for (const Section &s : std::as_const(m_sections)) {
        if (!s.isPreamble)
            m_exact.insert(s.name, m_index.value(foldCase(s.name)));
    }
}

int TZIniData::findSection(const QString &section) const
{
    const QStringView name = ZTrim(QStringView(section));
    const auto exact = m_exact.constFind(name.size() == section.size() ? section : name.toString());
    if (exact != m_exact.constEnd())
        return exact.value();
    return m_index.value(foldCase(name.toString()), -1);
}

qsizetype TZIniData::findKey(const Section &s, const QString &key)
{
    const QStringView wanted = ZTrim(QStringView(key));
    for (qsizetype i = 0; i < s.lines.size(); ++i) {
        const Line &line = s.lines.at(i);
        if (!line.key.isEmpty() && sameName(line.key, wanted))
            return i;
    }
    return -1;
}

bool TZIniData::sectionExists(const QString &section) const
{
    return findSection(section) >= 0;
}

bool TZIniData::valueExists(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    return s >= 0 && findKey(m_sections.at(s), key) >= 0;
}

QString TZIniData::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int s = findSection(section);
    if (s < 0)
        return defaultValue;
    const qsizetype k = findKey(m_sections.at(s), key);
    return k < 0 ? defaultValue : m_sections.at(s).lines.at(k).value;
}

void TZIniData::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = ZTrim(oneLine(section));
    Line entry;
    entry.key = ZTrim(oneLine(key));
    entry.value = ZTrim(oneLine(value));
    if (entry.key.isEmpty())
        return;
    if (m_sections.isEmpty()) {
        Section preamble;
        preamble.isPreamble = true;
        m_sections.append(preamble);
    }
    int s = findSection(sectionName);
    if (s < 0) {
        Section created;
        created.name = sectionName;
        m_sections.append(created);
        s = int(m_sections.size()) - 1;
        m_index.insert(foldCase(sectionName), s);
        m_exact.insert(sectionName, s);
    }
    Section &target = m_sections[s];
    const qsizetype k = findKey(target, entry.key);
    if (k >= 0) {
        target.lines[k].value = entry.value;
        return;
    }
    // New keys go after the last entry, before trailing blank or comment lines.
    qsizetype insertAt = target.lines.size();
    while (insertAt > 0 && target.lines.at(insertAt - 1).key.isEmpty() && ZIsBlank(target.lines.at(insertAt - 1).raw))
        --insertAt;
    target.lines.insert(insertAt, entry);
}

QStringList TZIniData::sections() const
{
    QStringList names;
    for (int i = 0; i < m_sections.size(); ++i) {
        const Section &s = m_sections.at(i);
        if (!s.isPreamble && m_index.value(foldCase(s.name), -1) == i)
            names << s.name;
    }
    return names;
}

QStringList TZIniData::sectionKeys(const QString &section) const
{
    QStringList keys;
    const int s = findSection(section);
    if (s < 0)
        return keys;
    for (const Line &line : m_sections.at(s).lines) {
        if (!line.key.isEmpty())
            keys << line.key;
    }
    return keys;
}

QList<QPair<QString, QString>> TZIniData::sectionValues(const QString &section) const
{
    QList<QPair<QString, QString>> values;
    const int s = findSection(section);
    if (s < 0)
        return values;
    for (const Line &line : m_sections.at(s).lines) {
        if (!line.key.isEmpty())
            values.append({line.key, line.value});
    }
    return values;
}

void TZIniData::eraseSection(const QString &section)
{
    const QString wanted = ZTrim(section);
    bool erased = false;
    for (qsizetype i = m_sections.size() - 1; i >= 0; --i) {
        if (!m_sections.at(i).isPreamble && sameName(m_sections.at(i).name, wanted)) {
            m_sections.removeAt(i);
            erased = true;
        }
    }
    if (erased)
        rebuildIndex();
}

void TZIniData::deleteKey(const QString &section, const QString &key)
{
    const int s = findSection(section);
    if (s < 0)
        return;
    const qsizetype k = findKey(m_sections.at(s), key);
    if (k >= 0)
        m_sections[s].lines.removeAt(k);
}
