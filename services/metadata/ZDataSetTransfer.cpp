#include "ZDataSetTransfer.h"

#include "data/TZClientDataSet.h"
#include "data/ZDataSetXml.h"

namespace {

const QString kXmlSeparator = QStringLiteral("[KRV_XML_KRV]");

} // namespace

QString Datasets2XMLs(const QList<TZClientDataSet *> &dataSets)
{
    QStringList texts;
    for (TZClientDataSet *ds : dataSets) {
        if (ds && ds->Active())
            texts << RecordsetToXMLString(*ds);
    }
    return texts.join(kXmlSeparator);
}

std::vector<std::unique_ptr<TZClientDataSet>> XMLs2Datasets(const QString &text)
{
    std::vector<std::unique_ptr<TZClientDataSet>> dataSets;
    qsizetype from = 0;
    while (from <= text.size() && dataSets.size() < 10) {
        qsizetype at = text.indexOf(kXmlSeparator, from, Qt::CaseInsensitive);
        if (at < 0)
            at = text.size();
        const QString piece = text.mid(from, at - from);
        if (!piece.trimmed().isEmpty()) {
            auto ds = std::make_unique<TZClientDataSet>();
            RecordsetFromXMLString(*ds, piece);
            dataSets.push_back(std::move(ds));
        }
        from = at + kXmlSeparator.size();
    }
    return dataSets;
}

QString TDatasetToText::TranToText(TZClientDataSet &dataSet)
{
    QStringList lines{dataSet.FieldNames().join(QStringLiteral("[#]"))};
    TZClientDataSet walk;
    walk.CloneCursor(dataSet);
    for (walk.First(); !walk.Eof(); walk.Next()) {
        QStringList items;
        for (int i = 0; i < walk.FieldCount(); ++i)
            items << walk.Fields(i).AsString();
        lines << items.join(QStringLiteral("[#]"));
    }
    return lines.join(QStringLiteral("[##]"));
}

QString TDatasetToText::TranToText(const QList<TZClientDataSet *> &dataSets)
{
    QStringList texts;
    for (TZClientDataSet *ds : dataSets)
        texts << TranToText(*ds);
    return texts.join(QStringLiteral("[###]"));
}

void TTextToDataset::TranToDataset(const QString &text, TZClientDataSet &dataSet)
{
    const QStringList lines = text.split(QStringLiteral("[##]"));
    if (lines.isEmpty())
        return;
    const QStringList header = lines.first().split(QStringLiteral("[#]"));
    QList<TZDataField *> fields;
    for (const QString &name : header)
        fields << dataSet.FindField(name);
    dataSet.DisableControls();
    for (qsizetype l = 1; l < lines.size(); ++l) {
        const QStringList items = lines.at(l).split(QStringLiteral("[#]"));
        dataSet.Append();
        bool setAny = false;
        for (qsizetype i = 0; i < fields.size() && i < items.size(); ++i) {
            if (fields.at(i)) {
                fields.at(i)->SetValue(items.at(i));
                setAny = true;
            }
        }
        if (setAny)
            dataSet.Post();
        else
            dataSet.Cancel();
    }
    dataSet.EnableControls();
}

void TTextToDataset::TranToDataset(const QString &text, const QList<TZClientDataSet *> &dataSets)
{
    const QStringList pieces = text.split(QStringLiteral("[###]"));
    for (qsizetype i = 0; i < pieces.size() && i < dataSets.size(); ++i) {
        if (dataSets.at(i))
            TranToDataset(pieces.at(i), *dataSets.at(i));
    }
}
