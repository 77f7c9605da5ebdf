#include "ZDataSetXml.h"

#include "common/Currency.h"
#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"
#include "data/ZDbValues.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

bool xmlSafe(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\t' || c == u'\n')
            continue;
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text.at(i + 1).unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

void writeValue(QXmlStreamWriter &w, const char *element, const QVariant &v, TZFieldType kind)
{
    w.writeStartElement(QLatin1String(element));
    if (v.isNull() || !v.isValid()) {
        w.writeAttribute(QStringLiteral("n"), QStringLiteral("1"));
        w.writeEndElement();
        return;
    }
    QString text;
    bool base64 = false;
    switch (kind) {
    case ftZString:
    case ftZMemo:
        text = v.toString();
        if (!xmlSafe(text)) {
            text = QString::fromLatin1(text.toUtf8().toBase64());
            base64 = true;
        }
        break;
    case ftZInteger:
    case ftZSmallint:
        text = QString::number(v.toLongLong());
        break;
    case ftZBoolean:
        text = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case ftZFloat:
        text = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        break;
    case ftZCurrency:
        text = QString::number(ZValueOfKind(v, ftZCurrency).value<Currency>().raw());
        break;
    case ftZDate:
    case ftZTime: {
        const QDateTime m = v.toDateTime();
        text = ZDateTimeToDbText(m);
        if (m.time().msec() == 0)
            text += QStringLiteral(".000");
        break;
    }
    case ftZBlob:
        text = QString::fromLatin1(v.toByteArray().toBase64());
        base64 = true;
        break;
    }
    if (base64)
        w.writeAttribute(QStringLiteral("b"), QStringLiteral("1"));
    w.writeCharacters(text);
    w.writeEndElement();
}

QVariant readValue(QXmlStreamReader &r, TZFieldType kind)
{
    const bool isNull = r.attributes().value(QLatin1String("n")) == QLatin1String("1");
    const bool base64 = r.attributes().value(QLatin1String("b")) == QLatin1String("1");
    const QString text = r.readElementText();
    if (r.hasError())
        return {};
    if (isNull)
        return {};
    const auto fail = [&] { r.raiseError(QStringLiteral("值 %1 不是有效的数据").arg(text.left(40))); };
    bool ok = true;
    switch (kind) {
    case ftZString:
    case ftZMemo:
        if (base64) {
            const auto decoded =
                QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) {
                fail();
                return {};
            }
            return QString::fromUtf8(*decoded);
        }
        return text;
    case ftZInteger:
    case ftZSmallint: {
        const qlonglong v = text.toLongLong(&ok);
        if (!ok)
            break;
        if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return int(v);
        return v;
    }
    case ftZBoolean:
        if (text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("0"))
            return false;
        ok = false;
        break;
    case ftZFloat: {
        const double d = text.toDouble(&ok);
        if (ok)
            return d;
        break;
    }
    case ftZCurrency: {
        const qlonglong raw = text.toLongLong(&ok);
        if (ok)
            return QVariant::fromValue(Currency::fromRaw(raw));
        break;
    }
    case ftZDate:
    case ftZTime: {
        const QDateTime m = ZDbTextToDateTime(text);
        if (m.isValid())
            return m;
        ok = false;
        break;
    }
    case ftZBlob: {
        const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded)
            return *decoded;
        ok = false;
        break;
    }
    }
    fail();
    return {};
}

const char *statusName(const TZRowData &row, bool deleted)
{
    if (deleted)
        return "d";
    switch (row.status) {
    case TZRowData::Inserted:
        return "i";
    case TZRowData::Modified:
        return "m";
    default:
        return "u";
    }
}

} // namespace

QString RecordsetToXMLString(TZClientDataSet &dataSet)
{
    dataSet.CheckBrowseMode();
    dataSet.FetchAll();
    QString xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("ZDataSet"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    const auto store = dataSet.store();
    if (!store) {
        w.writeEndElement();
        w.writeEndDocument();
        return xml;
    }
    w.writeAttribute(QStringLiteral("table"), store->baseTable);
    w.writeStartElement(QStringLiteral("Fields"));
    for (const TZColumnInfo &c : store->columns) {
        w.writeStartElement(QStringLiteral("F"));
        w.writeAttribute(QStringLiteral("name"), c.name);
        w.writeAttribute(QStringLiteral("type"), ZFieldTypeName(c.type));
        w.writeAttribute(QStringLiteral("size"), QString::number(c.size));
        if (!c.baseColumn.isEmpty()) {
            w.writeAttribute(QStringLiteral("table"), c.baseTable);
            w.writeAttribute(QStringLiteral("column"), c.baseColumn);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("Rows"));
    const auto writeRow = [&](const TZRowData &row, bool deleted) {
        w.writeStartElement(QStringLiteral("R"));
        w.writeAttribute(QStringLiteral("s"), QLatin1String(statusName(row, deleted)));
        for (int c = 0; c < store->columns.size(); ++c)
            writeValue(w, "V", row.values().value(c), store->columns.at(c).type);
        if (row.status == TZRowData::Modified) {
            for (int c = 0; c < store->columns.size(); ++c)
                writeValue(w, "O", row.original.value(c), store->columns.at(c).type);
        }
        w.writeEndElement();
    };
    for (const TZRowPtr &row : store->rows)
        writeRow(*row, false);
    for (const TZRowPtr &row : store->deleted)
        writeRow(*row, true);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

void RecordsetFromXMLString(TZClientDataSet &dataSet, const QString &xml)
{
    QXmlStreamReader r(xml);
    QList<TZColumnInfo> columns;
    std::vector<TZRowPtr> rows;
    std::vector<TZRowPtr> deleted;
    QString baseTable;
    bool sawRoot = false;
    bool sawFields = false;

    while (r.readNextStartElement()) {
        if (r.name() != QLatin1String("ZDataSet")) {
            r.raiseError(QStringLiteral("不是数据集"));
            break;
        }
        sawRoot = true;
        baseTable = r.attributes().value(QLatin1String("table")).toString();
        while (r.readNextStartElement()) {
            if (r.name() == QLatin1String("Fields")) {
                sawFields = true;
                while (r.readNextStartElement()) {
                    if (r.name() != QLatin1String("F")) {
                        r.raiseError(QStringLiteral("未知的元素"));
                        break;
                    }
                    const auto a = r.attributes();
                    TZColumnInfo c;
                    c.name = a.value(QLatin1String("name")).toString();
                    const QString type = a.value(QLatin1String("type")).toString();
                    if (c.name.isEmpty() || !IsZFieldTypeName(type)) {
                        r.raiseError(QStringLiteral("字段定义不完整"));
                        break;
                    }
                    c.type = StrToZFieldType(type);
                    c.size = a.value(QLatin1String("size")).toInt();
                    c.baseTable = a.value(QLatin1String("table")).toString();
                    c.baseColumn = a.value(QLatin1String("column")).toString();
                    columns << c;
                    r.skipCurrentElement();
                }
            } else if (r.name() == QLatin1String("Rows")) {
                if (!sawFields) {
                    r.raiseError(QStringLiteral("行在字段之前"));
                    break;
                }
                while (r.readNextStartElement()) {
                    if (r.name() != QLatin1String("R")) {
                        r.raiseError(QStringLiteral("未知的元素"));
                        break;
                    }
                    const QString status = r.attributes().value(QLatin1String("s")).toString();
                    auto row = std::make_shared<TZRowData>();
                    QVector<QVariant> values;
                    QVector<QVariant> original;
                    while (r.readNextStartElement()) {
                        const bool isOld = r.name() == QLatin1String("O");
                        if (!isOld && r.name() != QLatin1String("V")) {
                            r.raiseError(QStringLiteral("未知的元素"));
                            break;
                        }
                        QVector<QVariant> &target = isOld ? original : values;
                        if (target.size() >= columns.size()) {
                            r.raiseError(QStringLiteral("值的个数与字段不符"));
                            break;
                        }
                        target << readValue(r, columns.at(target.size()).type);
                    }
                    if (r.hasError())
                        break;
                    if (values.size() != columns.size()) {
                        r.raiseError(QStringLiteral("值的个数与字段不符"));
                        break;
                    }
                    row->values() = values;
                    if (status == QLatin1String("i")) {
                        row->status = TZRowData::Inserted;
                    } else if (status == QLatin1String("m") || (status == QLatin1String("d") && !original.isEmpty())) {
                        if (original.size() != columns.size()) {
                            r.raiseError(QStringLiteral("原值的个数与字段不符"));
                            break;
                        }
                        row->original = original;
                        row->status = TZRowData::Modified;
                    } else if (status != QLatin1String("u") && status != QLatin1String("d")) {
                        r.raiseError(QStringLiteral("未知的行状态 %1").arg(status));
                        break;
                    }
                    (status == QLatin1String("d") ? deleted : rows).push_back(row);
                }
            } else {
                r.skipCurrentElement();
            }
            if (r.hasError())
                break;
        }
        break;
    }
    if (!r.hasError() && (!sawRoot || !sawFields))
        r.raiseError(QStringLiteral("缺少数据集或字段定义"));
    if (r.hasError())
        throw EZError(QStringLiteral("数据集XML格式错误：") + r.errorString());

    dataSet.LoadRows(columns, std::move(rows), std::move(deleted), baseTable);
}
