// The layout file (".zrl"): XML, one element per band and object.
//
//   <ZKVAReport version="1">
//     <Page paper="A4" orientation="Portrait" marginLeft="10" … />
//     <Band kind="Data" height="7" group="">
//       <Text x="0" y="0" width="40" height="7" font="Noto Sans CJK SC" size="10" bold="false"
//             align="Left" valign="Center" frame="LTRB" wrap="false">[ReportData.Name]</Text>
//       <Line x="0" y="6" width="190" height="0"/>
//     </Band>
//   </ZKVAReport>
//
// Reading is strict: anything unknown, a number that is no number or out of
// its range names the file and the line and leaves the layout untouched.

#include "TZReportLayout.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString RootName = QStringLiteral("ZKVAReport");
constexpr int FileVersion = 1;
constexpr int MaxBands = 200;
constexpr int MaxObjects = 2000;

const QList<QPageSize::PageSizeId> &papers()
{
    static const QList<QPageSize::PageSizeId> list = {QPageSize::A4, QPageSize::A3,     QPageSize::A5,
                                                       QPageSize::B5, QPageSize::Letter, QPageSize::Legal};
    return list;
}

QString number(double value)
{
    // The shortest text that reads back as the same number.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString horizontalName(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("Center");
    if (a & Qt::AlignRight)
        return QStringLiteral("Right");
    return QStringLiteral("Left");
}

QString verticalName(Qt::Alignment a)
{
    if (a & Qt::AlignTop)
        return QStringLiteral("Top");
    if (a & Qt::AlignBottom)
        return QStringLiteral("Bottom");
    return QStringLiteral("Center");
}

QString frameText(int frame)
{
    QString text;
    if (frame & flLeft)
        text += QLatin1Char('L');
    if (frame & flTop)
        text += QLatin1Char('T');
    if (frame & flRight)
        text += QLatin1Char('R');
    if (frame & flBottom)
        text += QLatin1Char('B');
    return text;
}

void writeRect(QXmlStreamWriter &xml, const QRectF &r)
{
    xml.writeAttribute(QStringLiteral("x"), number(r.x()));
    xml.writeAttribute(QStringLiteral("y"), number(r.y()));
    xml.writeAttribute(QStringLiteral("width"), number(r.width()));
    xml.writeAttribute(QStringLiteral("height"), number(r.height()));
}

/// Reads one layout file; every failure is a plain reason, the caller adds
/// the file's name.
class TLayoutReader
{
public:
    explicit TLayoutReader(const QByteArray &bytes) : m_xml(bytes) {}

    TZReportLayout read()
    {
        TZReportLayout layout;
        if (!m_xml.readNextStartElement())
            fail(m_xml.hasError() ? badXml() : QStringLiteral("不是报表格式文件"));
        if (m_xml.name() != RootName)
            fail(QStringLiteral("不是报表格式文件"));
        const int version = integer(QStringLiteral("version"), 1, 1000);
        if (version > FileVersion)
            fail(QStringLiteral("格式版本%1不受支持").arg(version));
        bool pageSeen = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("Page") && !pageSeen) {
                readPage(layout.page);
                pageSeen = true;
            } else if (m_xml.name() == QLatin1String("Band")) {
                if (layout.bands.size() >= MaxBands)
                    fail(at(QStringLiteral("区域超过%1个").arg(MaxBands)));
                layout.bands << readBand();
            } else {
                unknownElement();
            }
        }
        if (m_xml.hasError())
            fail(badXml());
        // Nothing may follow the root element.
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement())
                fail(at(QStringLiteral("根元素之后还有内容")));
        }
        if (m_xml.hasError() && m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
            fail(badXml());
        return layout;
    }

private:
    [[noreturn]] void fail(const QString &reason) { throw EZError(reason); }

    QString at(const QString &text) const { return QStringLiteral("第%1行：%2").arg(m_xml.lineNumber()).arg(text); }

    QString badXml() const { return QStringLiteral("文件内容有误（第%1行）").arg(m_xml.lineNumber()); }

    [[noreturn]] void unknownElement()
    {
        if (m_xml.hasError())
            fail(badXml());
        fail(at(QStringLiteral("未知的元素“%1”").arg(m_xml.name().toString())));
    }

    QString text(const QString &name, const QString &fallback = QString()) const
    {
        const auto attributes = m_xml.attributes();
        return attributes.hasAttribute(name) ? attributes.value(name).toString() : fallback;
    }

    double real(const QString &name, double fallback, double low, double high)
    {
        const QString value = text(name);
        if (value.isNull())
            return fallback;
        bool ok = false;
        const double result = value.trimmed().toDouble(&ok);
        if (!ok)
            fail(at(QStringLiteral("“%1”的值“%2”不是有效的数值").arg(name, value)));
        if (!(result >= low && result <= high))
            fail(at(QStringLiteral("“%1”的值%2超出范围（%3至%4）").arg(name, value, number(low), number(high))));
        return result;
    }

    int integer(const QString &name, int low, int high)
    {
        const double value = real(name, low, low, high);
        if (value != double(int(value)))
            fail(at(QStringLiteral("“%1”的值“%2”不是整数").arg(name, text(name))));
        return int(value);
    }

    bool flag(const QString &name)
    {
        const QString value = text(name, QStringLiteral("false")).trimmed().toLower();
        if (value == QLatin1String("true") || value == QLatin1String("1"))
            return true;
        if (value == QLatin1String("false") || value == QLatin1String("0"))
            return false;
        fail(at(QStringLiteral("“%1”的值“%2”应为true或false").arg(name, text(name))));
    }

    template <typename T> T choice(const QString &name, const QList<QPair<QString, T>> &choices, T fallback)
    {
        const QString value = text(name);
        if (value.isNull())
            return fallback;
        for (const auto &[key, result] : choices) {
            if (value.compare(key, Qt::CaseInsensitive) == 0)
                return result;
        }
        fail(at(QStringLiteral("“%1”的值“%2”无效").arg(name, value)));
    }

    void readPage(TZReportPage &page)
    {
        QList<QPair<QString, QPageSize::PageSizeId>> paperChoices;
        for (QPageSize::PageSizeId id : papers())
            paperChoices.append({QPageSize::key(id), id});
        page.paper = choice(QStringLiteral("paper"), paperChoices, QPageSize::A4);
        page.orientation = choice<QPageLayout::Orientation>(
            QStringLiteral("orientation"),
            {{QStringLiteral("Portrait"), QPageLayout::Portrait}, {QStringLiteral("Landscape"), QPageLayout::Landscape}},
            QPageLayout::Portrait);
        page.marginLeft = real(QStringLiteral("marginLeft"), 10, 0, 100);
        page.marginTop = real(QStringLiteral("marginTop"), 10, 0, 100);
        page.marginRight = real(QStringLiteral("marginRight"), 10, 0, 100);
        page.marginBottom = real(QStringLiteral("marginBottom"), 10, 0, 100);
        const QSizeF paper = page.PaperSizeMm();
        if (page.marginLeft + page.marginRight >= paper.width() || page.marginTop + page.marginBottom >= paper.height())
            fail(at(QStringLiteral("页边距大于纸张")));
        m_xml.skipCurrentElement();
    }

    TZReportBand readBand()
    {
        TZReportBand band;
        QList<QPair<QString, TZBandKind>> kinds;
        for (int k = bkTitle; k <= bkPageFooter; ++k)
            kinds.append({ZBandKindName(TZBandKind(k)), TZBandKind(k)});
        if (text(QStringLiteral("kind")).isNull())
            fail(at(QStringLiteral("区域缺少类型")));
        band.kind = choice(QStringLiteral("kind"), kinds, bkData);
        band.height = real(QStringLiteral("height"), 8, 0, 1000);
        band.groupExpression = text(QStringLiteral("group"));
        while (m_xml.readNextStartElement()) {
            if (band.objects.size() >= MaxObjects)
                fail(at(QStringLiteral("一个区域的对象超过%1个").arg(MaxObjects)));
            if (m_xml.name() == QLatin1String("Text"))
                band.objects << readObject(TZReportObject::okText);
            else if (m_xml.name() == QLatin1String("Line"))
                band.objects << readObject(TZReportObject::okLine);
            else
                unknownElement();
        }
        if (m_xml.hasError())
            fail(badXml());
        return band;
    }

    TZReportObject readObject(TZReportObject::Kind kind)
    {
        TZReportObject object;
        object.kind = kind;
        const double x = real(QStringLiteral("x"), 0, -1000, 2000);
        const double y = real(QStringLiteral("y"), 0, -1000, 2000);
        const double w = real(QStringLiteral("width"), 0, 0, 2000);
        const double h = real(QStringLiteral("height"), 0, 0, 2000);
        object.rect = QRectF(x, y, w, h);
        if (kind == TZReportObject::okText) {
            object.fontFamily = text(QStringLiteral("font"), object.fontFamily);
            object.fontSize = real(QStringLiteral("size"), 10, 1, 200);
            object.bold = flag(QStringLiteral("bold"));
            object.wordWrap = flag(QStringLiteral("wrap"));
            const Qt::Alignment horizontal = choice<Qt::Alignment>(QStringLiteral("align"),
                                                          {{QStringLiteral("Left"), Qt::AlignLeft},
                                                           {QStringLiteral("Center"), Qt::AlignHCenter},
                                                           {QStringLiteral("Right"), Qt::AlignRight}},
                                                          Qt::AlignLeft);
            const Qt::Alignment vertical = choice<Qt::Alignment>(QStringLiteral("valign"),
                                                          {{QStringLiteral("Top"), Qt::AlignTop},
                                                           {QStringLiteral("Center"), Qt::AlignVCenter},
                                                           {QStringLiteral("Bottom"), Qt::AlignBottom}},
                                                          Qt::AlignVCenter);
            object.alignment = horizontal | vertical;
            const QString frame = text(QStringLiteral("frame"));
            object.frame = 0;
            for (QChar c : frame) {
                const int bit = QStringLiteral("LTRB").indexOf(c.toUpper());
                if (bit < 0)
                    fail(at(QStringLiteral("边框“%1”无效，应由L、T、R、B组成").arg(frame)));
                object.frame |= 1 << bit;
            }
            object.text = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (m_xml.hasError())
                fail(badXml());
        } else {
            m_xml.skipCurrentElement();
        }
        return object;
    }

    QXmlStreamReader m_xml;
};

} // namespace

QByteArray TZReportLayout::ToXml() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(RootName);
    xml.writeAttribute(QStringLiteral("version"), QString::number(FileVersion));
    xml.writeStartElement(QStringLiteral("Page"));
    xml.writeAttribute(QStringLiteral("paper"), QPageSize::key(page.paper));
    xml.writeAttribute(QStringLiteral("orientation"), page.orientation == QPageLayout::Landscape
                                                          ? QStringLiteral("Landscape")
                                                          : QStringLiteral("Portrait"));
    xml.writeAttribute(QStringLiteral("marginLeft"), number(page.marginLeft));
    xml.writeAttribute(QStringLiteral("marginTop"), number(page.marginTop));
    xml.writeAttribute(QStringLiteral("marginRight"), number(page.marginRight));
    xml.writeAttribute(QStringLiteral("marginBottom"), number(page.marginBottom));
    xml.writeEndElement();
    for (const TZReportBand &band : bands) {
        xml.writeStartElement(QStringLiteral("Band"));
        xml.writeAttribute(QStringLiteral("kind"), ZBandKindName(band.kind));
        xml.writeAttribute(QStringLiteral("height"), number(band.height));
        if (!band.groupExpression.isEmpty())
            xml.writeAttribute(QStringLiteral("group"), band.groupExpression);
        for (const TZReportObject &object : band.objects) {
            if (object.kind == TZReportObject::okLine) {
                xml.writeEmptyElement(QStringLiteral("Line"));
                writeRect(xml, object.rect);
                continue;
            }
            xml.writeStartElement(QStringLiteral("Text"));
            writeRect(xml, object.rect);
            xml.writeAttribute(QStringLiteral("font"), object.fontFamily);
            xml.writeAttribute(QStringLiteral("size"), number(object.fontSize));
            xml.writeAttribute(QStringLiteral("bold"), boolText(object.bold));
            xml.writeAttribute(QStringLiteral("align"), horizontalName(object.alignment));
            xml.writeAttribute(QStringLiteral("valign"), verticalName(object.alignment));
            xml.writeAttribute(QStringLiteral("frame"), frameText(object.frame));
            xml.writeAttribute(QStringLiteral("wrap"), boolText(object.wordWrap));
            xml.writeCharacters(object.text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

TZReportLayout TZReportLayout::FromXml(const QByteArray &xml, const QString &source)
{
    try {
        return TLayoutReader(xml).read();
    } catch (const EZError &error) {
        throw EZError(QStringLiteral("报表格式文件“%1”无法读取：%2").arg(source, error.message()));
    }
}

void TZReportLayout::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile())
        throw EZError(QStringLiteral("报表格式文件“%1”无法读取：文件不存在").arg(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw EZError(QStringLiteral("报表格式文件“%1”无法读取：无法打开文件").arg(fileName));
    *this = FromXml(file.readAll(), fileName);
}

void TZReportLayout::SaveToFile(const QString &fileName) const
{
    ZSaveFileAtomically(fileName, ToXml());
}
