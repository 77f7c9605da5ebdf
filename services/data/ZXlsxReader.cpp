#include "ZXlsxReader.h"

#include "common/ZErrors.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <minizip/unzip.h>

#include <algorithm>
#include <cmath>

namespace {

// No part of a workbook this program reads comes near this; a larger one is
// damaged or a compression bomb.
constexpr qint64 kMaxPartSize = 256 * 1024 * 1024;
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// The zip is read from memory through minizip's file functions.
struct TMemoryZip
{
    const QByteArray *bytes = nullptr;
    qint64 position = 0;
};

voidpf ZCALLBACK memoryOpen(voidpf opaque, const void *, int)
{
    return opaque;
}

uLong ZCALLBACK memoryRead(voidpf, voidpf stream, void *buffer, uLong size)
{
    auto *zip = static_cast<TMemoryZip *>(stream);
    const qint64 count = std::clamp<qint64>(zip->bytes->size() - zip->position, 0, qint64(size));
    memcpy(buffer, zip->bytes->constData() + zip->position, size_t(count));
    zip->position += count;
    return uLong(count);
}

uLong ZCALLBACK memoryWrite(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK memoryTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<TMemoryZip *>(stream)->position);
}

long ZCALLBACK memorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *zip = static_cast<TMemoryZip *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = zip->position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = zip->bytes->size();
    if (offset > ZPOS64_T(zip->bytes->size()) || base + qint64(offset) > zip->bytes->size())
        return -1;
    zip->position = base + qint64(offset);
    return 0;
}

int ZCALLBACK memoryClose(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK memoryError(voidpf, voidpf)
{
    return 0;
}

/// The parts of one open workbook, read on demand.
///
/// The zip is read with minizip itself rather than a Qt wrapper of it: the
/// workbook writer's library uses the system minizip, and a wrapper that
/// exports its own copy of the same functions would take their calls in
/// the same process.
class TWorkbookParts
{
public:
    TWorkbookParts(const QByteArray &bytes, const QString &name)
        : m_name(name)
    {
        m_memory.bytes = &bytes;
        zlib_filefunc64_def functions{};
        functions.zopen64_file = memoryOpen;
        functions.zread_file = memoryRead;
        functions.zwrite_file = memoryWrite;
        functions.ztell64_file = memoryTell;
        functions.zseek64_file = memorySeek;
        functions.zclose_file = memoryClose;
        functions.zerror_file = memoryError;
        functions.opaque = &m_memory;
        m_zip = unzOpen2_64(&m_memory, &functions);
        if (!m_zip)
            fail(QStringLiteral("不是有效的Excel(xlsx)文件"));
    }
    ~TWorkbookParts() { unzClose(m_zip); }
    TWorkbookParts(const TWorkbookParts &) = delete;
    TWorkbookParts &operator=(const TWorkbookParts &) = delete;

    [[noreturn]] void fail(const QString &reason) const
    {
        const QString name = m_name.isEmpty() ? QString() : QDir::toNativeSeparators(m_name);
        throw EZError(QStringLiteral("无法读取Excel文件%1：%2").arg(name, reason));
    }

    bool has(const QString &part)
    {
        return !part.isEmpty() && unzLocateFile(m_zip, part.toUtf8().constData(), 2) == UNZ_OK;
    }

    /// The bytes of a part; empty when the workbook lacks it.
    QByteArray read(const QString &part)
    {
        if (!has(part))
            return {};
        if (unzOpenCurrentFile(m_zip) != UNZ_OK)
            fail(QStringLiteral("文件内容已损坏"));
        QByteArray content;
        char buffer[65536];
        for (;;) {
            const int got = unzReadCurrentFile(m_zip, buffer, sizeof buffer);
            if (got < 0) {
                unzCloseCurrentFile(m_zip);
                fail(QStringLiteral("文件内容已损坏"));
            }
            if (got == 0)
                break;
            if (content.size() + got > kMaxPartSize) {
                unzCloseCurrentFile(m_zip);
                fail(QStringLiteral("文件内容过大"));
            }
            content.append(buffer, got);
        }
        if (unzCloseCurrentFile(m_zip) != UNZ_OK) // a CRC that does not match
            fail(QStringLiteral("文件内容已损坏"));
        return content;
    }

private:
    TMemoryZip m_memory;
    unzFile m_zip = nullptr;
    QString m_name;
};

/// Decodes the _xHHHH_ escapes workbooks use for characters XML cannot hold.
QString unescapeText(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('_') && i + 6 < text.size() && text.at(i + 1) == QLatin1Char('x')
            && text.at(i + 6) == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                result += QChar(code);
                i += 6;
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

/// The text of the element the reader is on (<si> or <is>): its <t> texts,
/// leaving out phonetic runs.
QString readRichText(QXmlStreamReader &xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return unescapeText(text);
}

QString attribute(const QXmlStreamReader &xml, QStringView name)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute &attribute : attributes)
        if (attribute.name() == name)
            return attribute.value().toString();
    return {};
}

/// The relations of a part: id → (type, target part path).
QHash<QString, QPair<QString, QString>> readRelations(TWorkbookParts &parts, const QString &part)
{
    QHash<QString, QPair<QString, QString>> relations;
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : part.left(slash + 1);
    const QString relsPart = folder + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
    const QByteArray content = parts.read(relsPart);
    if (content.isEmpty())
        return relations;
    QXmlStreamReader xml(content);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"Relationship")
            continue;
        QString target = attribute(xml, u"Target");
        if (target.startsWith(QLatin1Char('/')))
            target = target.mid(1);
        else
            target = QDir::cleanPath(folder + target);
        relations.insert(attribute(xml, u"Id"), {attribute(xml, u"Type"), target});
    }
    if (xml.hasError())
        parts.fail(QStringLiteral("文件内容已损坏"));
    return relations;
}

QString relationOfType(const QHash<QString, QPair<QString, QString>> &relations, QStringView typeEnd)
{
    for (auto it = relations.cbegin(); it != relations.cend(); ++it)
        if (it.value().first.endsWith(typeEnd))
            return it.value().second;
    return {};
}

QString builtInFormat(int id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 12: return QStringLiteral("# ?/?");
    case 13: return QStringLiteral("# ?\?/?\?");
    case 14: return QStringLiteral("mm-dd-yy");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("h:mm");
    case 21: return QStringLiteral("h:mm:ss");
    case 22: return QStringLiteral("m/d/yy h:mm");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mmss.0");
    case 49: return QStringLiteral("@");
    default: return QStringLiteral("General");
    }
}

/// The number format of every cell style, by style index.
QStringList readStyleFormats(TWorkbookParts &parts, const QString &stylesPart)
{
    QHash<int, QString> custom;
    QStringList formats;
    const QByteArray content = parts.read(stylesPart);
    if (content.isEmpty())
        return formats;
    QXmlStreamReader xml(content);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt")
                custom.insert(attribute(xml, u"numFmtId").toInt(), attribute(xml, u"formatCode"));
            else if (xml.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && xml.name() == u"xf") {
                const int id = attribute(xml, u"numFmtId").toInt();
                formats << custom.value(id, builtInFormat(id));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    if (xml.hasError())
        parts.fail(QStringLiteral("样式内容已损坏"));
    return formats;
}

QStringList readSharedStrings(TWorkbookParts &parts, const QString &stringsPart)
{
    QStringList strings;
    const QByteArray content = parts.read(stringsPart);
    if (content.isEmpty())
        return strings;
    QXmlStreamReader xml(content);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings << readRichText(xml);
    }
    if (xml.hasError())
        parts.fail(QStringLiteral("共享字符串内容已损坏"));
    return strings;
}

/// A cell reference ("BC12") as a 0-based row and column; false when it is
/// not one or lies outside a worksheet.
bool parseReference(const QString &reference, int &row, int &column)
{
    qsizetype i = 0;
    qint64 c = 0;
    while (i < reference.size() && reference.at(i).isLetter() && reference.at(i).unicode() < 128) {
        c = c * 26 + (reference.at(i).toUpper().unicode() - 'A' + 1);
        if (c > kMaxColumns)
            return false;
        ++i;
    }
    bool ok = false;
    const qint64 r = reference.mid(i).toLongLong(&ok);
    if (c == 0 || !ok || r < 1 || r > kMaxRows)
        return false;
    row = int(r - 1);
    column = int(c - 1);
    return true;
}

QDateTime dateOfSerial(double serial, bool date1904)
{
    // Excel counts 1900 as a leap year: serials from 61 on are one day
    // ahead, which the epoch of 1899-12-30 absorbs.
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    double days = std::floor(serial);
    qint64 msecs = std::llround((serial - days) * 86400000.0);
    if (msecs >= 86400000) {
        days += 1;
        msecs -= 86400000;
    }
    if (!date1904 && serial < 61 && serial >= 1)
        days += 1;
    const QDate date = epoch.addDays(qint64(days));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

struct TSheetContext
{
    QStringList strings;
    QStringList styleFormats;
    bool date1904 = false;
};

TZXlsxCell readCell(QXmlStreamReader &xml, const TSheetContext &context, TWorkbookParts &parts)
{
    TZXlsxCell cell;
    const QString type = attribute(xml, u"t");
    const QString style = attribute(xml, u"s");
    bool styled = false;
    const int styleIndex = style.toInt(&styled);
    cell.numberFormat = styled && styleIndex >= 0 && styleIndex < context.styleFormats.size()
                            ? context.styleFormats.at(styleIndex)
                            : QStringLiteral("General");
    QString value;
    bool hasValue = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"v") {
                value = xml.readElementText(QXmlStreamReader::SkipChildElements);
                hasValue = true;
            } else if (xml.name() == u"is") {
                cell.kind = TZXlsxCell::ckText;
                cell.text = readRichText(xml);
            } else {
                xml.skipCurrentElement();
            }
        } else if (xml.isEndElement() && xml.name() == u"c") {
            break;
        }
    }
    if (type == u"inlineStr" || !hasValue)
        return cell;
    if (type == u"s") {
        bool ok = false;
        const int index = value.toInt(&ok);
        if (!ok || index < 0 || index >= context.strings.size())
            parts.fail(QStringLiteral("共享字符串的编号无效"));
        cell.kind = TZXlsxCell::ckText;
        cell.text = context.strings.at(index);
    } else if (type == u"str") {
        cell.kind = TZXlsxCell::ckText;
        cell.text = unescapeText(value);
    } else if (type == u"e") {
        cell.kind = TZXlsxCell::ckError;
        cell.text = value;
    } else {
        bool ok = false;
        cell.number = value.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(cell.number))
            parts.fail(QStringLiteral("单元格的数值无效：") + value.left(40));
        if (type == u"b") {
            cell.kind = TZXlsxCell::ckBoolean;
        } else if (ZIsXlsxDateFormat(cell.numberFormat) && cell.number >= 0 && cell.number < 2958466) {
            cell.kind = TZXlsxCell::ckDate;
            cell.dateTime = dateOfSerial(cell.number, context.date1904);
        } else {
            cell.kind = TZXlsxCell::ckNumber;
        }
    }
    return cell;
}

TZXlsxRows readSheet(TWorkbookParts &parts, const QString &sheetPart, const TSheetContext &context)
{
    TZXlsxRows rows;
    QXmlStreamReader xml(parts.read(sheetPart));
    int row = -1;
    int column = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const int number = attribute(xml, u"r").toInt(&ok);
            if (ok && (number < 1 || number > kMaxRows))
                parts.fail(QStringLiteral("行号超出范围"));
            row = ok ? number - 1 : row + 1;
            if (row >= kMaxRows)
                parts.fail(QStringLiteral("行号超出范围"));
            column = -1;
        } else if (xml.name() == u"c") {
            const QString reference = attribute(xml, u"r");
            int cellRow = std::max(row, 0);
            int cellColumn = column + 1;
            if (!reference.isEmpty() && !parseReference(reference, cellRow, cellColumn))
                parts.fail(QStringLiteral("单元格位置无效：") + reference.left(20));
            if (cellColumn >= kMaxColumns)
                parts.fail(QStringLiteral("列号超出范围"));
            row = cellRow;
            column = cellColumn;
            TZXlsxCell cell = readCell(xml, context, parts);
            if (cell.kind == TZXlsxCell::ckEmpty)
                continue;
            while (rows.size() <= row)
                rows.append(QList<TZXlsxCell>());
            QList<TZXlsxCell> &cells = rows[row];
            while (cells.size() <= column)
                cells.append(TZXlsxCell());
            cells[column] = std::move(cell);
        }
    }
    if (xml.hasError())
        parts.fail(QStringLiteral("工作表内容已损坏"));
    return rows;
}

TZXlsxRows readWorkbook(const QByteArray &bytes, const QString &name)
{
    TWorkbookParts parts(bytes, name);
    QString workbookPart = relationOfType(readRelations(parts, QString()), u"/officeDocument");
    if (workbookPart.isEmpty())
        workbookPart = QStringLiteral("xl/workbook.xml");
    if (!parts.has(workbookPart))
        parts.fail(QStringLiteral("不是有效的Excel(xlsx)文件"));

    // The first sheet the workbook lists, through its relation.
    TSheetContext context;
    QString firstSheetId;
    {
        QXmlStreamReader xml(parts.read(workbookPart));
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"workbookPr") {
                const QString date1904 = attribute(xml, u"date1904");
                context.date1904 = date1904 == u"1" || date1904.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
            } else if (xml.name() == u"sheet" && firstSheetId.isEmpty()) {
                firstSheetId = attribute(xml, u"id");
                if (firstSheetId.isEmpty())
                    firstSheetId = QStringLiteral("?");
            }
        }
        if (xml.hasError())
            parts.fail(QStringLiteral("工作簿内容已损坏"));
    }
    const auto relations = readRelations(parts, workbookPart);
    QString sheetPart = relations.value(firstSheetId).second;
    if (firstSheetId.isEmpty() || sheetPart.isEmpty() || !parts.has(sheetPart))
        parts.fail(QStringLiteral("文件中没有工作表"));

    const QString stringsPart = relationOfType(relations, u"/sharedStrings");
    if (!stringsPart.isEmpty())
        context.strings = readSharedStrings(parts, stringsPart);
    const QString stylesPart = relationOfType(relations, u"/styles");
    if (!stylesPart.isEmpty())
        context.styleFormats = readStyleFormats(parts, stylesPart);
    return readSheet(parts, sheetPart, context);
}

} // namespace

QString TZXlsxCell::toString() const
{
    switch (kind) {
    case ckText:
    case ckError:
        return text;
    case ckNumber:
        return QString::number(number, 'g', 15);
    case ckDate:
        return dateTime.time() == QTime(0, 0) ? dateTime.date().toString(QStringLiteral("yyyy-MM-dd"))
                                              : dateTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case ckBoolean:
        return number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case ckEmpty:
        break;
    }
    return {};
}

bool ZIsXlsxDateFormat(const QString &formatCode)
{
    if (formatCode.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return false;
    // Only the first section (positive numbers) decides; quoted texts,
    // escaped characters, fill and padding characters and bracketed colours
    // or conditions are not date parts, but elapsed times ([h]) are.
    for (qsizetype i = 0; i < formatCode.size(); ++i) {
        const QChar c = formatCode.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('"')) {
            i = formatCode.indexOf(QLatin1Char('"'), i + 1);
            if (i < 0)
                break;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = formatCode.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                break;
            const QString inside = formatCode.mid(i + 1, close - i - 1).toLower();
            if (!inside.isEmpty() && inside.count(inside.at(0)) == inside.size()
                && QStringLiteral("hms").contains(inside.at(0)))
                return true;
            i = close;
        } else if (QStringLiteral("dmyhsDMYHS").contains(c)) {
            return true;
        }
    }
    return false;
}

TZXlsxRows ZReadXlsxSheet(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EZError(QStringLiteral("无法读取Excel文件%1：文件不存在或不能打开").arg(QDir::toNativeSeparators(fileName)));
    return readWorkbook(file.readAll(), fileName);
}

TZXlsxRows ZReadXlsxSheetData(const QByteArray &content, const QString &name)
{
    return readWorkbook(content, name);
}

QList<QStringList> ZReadXlsxCells(const QString &fileName)
{
    QList<QStringList> result;
    const TZXlsxRows rows = ZReadXlsxSheet(fileName);
    for (const QList<TZXlsxCell> &cells : rows) {
        QStringList texts;
        for (const TZXlsxCell &cell : cells)
            texts << cell.toString();
        result << texts;
    }
    return result;
}
