#pragma once

// Report data and PDF text for the report engine's tests.

#include "TestText.h"
#include "data/TZClientDataSet.h"
#include "print/ZReportPrint.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>

#include <memory>

/// "ReportData" of sales rows (Name, Category, Qty, Amount) and "ParamData"
/// with the company's name.
struct TReportFixture
{
    TZClientDataSet rows;
    TZClientDataSet params;

    TReportFixture()
    {
        rows.CreateDataSet({{s("Name"), ftZString, 50, {}, {}},
                            {s("Category"), ftZString, 20, {}, {}},
                            {s("Qty"), ftZInteger, 0, {}, {}},
                            {s("Amount"), ftZCurrency, 0, {}, {}}});
        params.CreateDataSet({{s("Company"), ftZString, 50, {}, {}}});
        params.Append();
        params.FieldByName(s("Company")).SetValue(s("星光贸易公司"));
        params.Post();
    }

    void add(const QString &name, const QString &category, int qty, const QString &amount)
    {
        rows.Append();
        rows.FieldByName(s("Name")).SetValue(name);
        rows.FieldByName(s("Category")).SetValue(category);
        rows.FieldByName(s("Qty")).SetValue(qty);
        rows.FieldByName(s("Amount")).SetValue(amount);
        rows.Post();
    }

    TZReportData data() { return {{s("ReportData"), &rows}, {s("ParamData"), &params}}; }

    static QList<TZReportColumn> columns()
    {
        return {{s("Name"), s("名称"), 120, false},
                {s("Category"), s("类别"), 80, false},
                {s("Qty"), s("数量"), 60, true},
                {s("Amount"), s("金额"), 100, true}};
    }
};

/// The text of a PDF file as pdftotext reads it, pages separated by "\f".
/// The PDF writer names a glyph that Noto CJK shares between a radical and
/// an ideograph (角, 页, 户) by the radical's code; such radicals are turned
/// back into the ideograph of the same glyph, so texts compare as written.
inline QString ZPdfText(const QString &pdfFile)
{
    QProcess process;
    process.start(s("pdftotext"), {s("-layout"), pdfFile, s("-")});
    process.waitForFinished(60000);
    QString text = QString::fromUtf8(process.readAllStandardOutput());

    static const QHash<QChar, QChar> radicals = [] {
        QHash<QChar, QChar> map;
        QFont font(s("Noto Sans CJK SC"));
        const QRawFont raw = QRawFont::fromFont(font);
        QHash<quint32, QChar> ideographOfGlyph;
        QString ideographs;
        for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
            ideographs += QChar(c);
        const QList<quint32> glyphs = raw.glyphIndexesForString(ideographs);
        for (int i = glyphs.size() - 1; i >= 0; --i)
            ideographOfGlyph.insert(glyphs.at(i), ideographs.at(i));
        QString supplement;
        for (char16_t c = 0x2E80; c <= 0x2FDF; ++c)
            supplement += QChar(c);
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(supplement);
        for (int i = 0; i < radicalGlyphs.size(); ++i) {
            if (radicalGlyphs.at(i) != 0 && ideographOfGlyph.contains(radicalGlyphs.at(i)))
                map.insert(supplement.at(i), ideographOfGlyph.value(radicalGlyphs.at(i)));
        }
        return map;
    }();
    for (QChar &c : text) {
        if (radicals.contains(c))
            c = radicals.value(c);
    }
    return text;
}

/// The text without blanks, so that column spacing does not matter.
inline QString ZWithoutBlanks(QString text)
{
    text.remove(QRegularExpression(s("[ \\t]")));
    return text;
}
