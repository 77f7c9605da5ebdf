#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class TZClientDataSet;

/// The XML forms of several datasets joined by "[KRV_XML_KRV]" (closed
/// datasets are left out).
QString Datasets2XMLs(const QList<TZClientDataSet *> &dataSets);

/// The datasets of such a text (at most 10), read in memory; the separator is
/// matched ignoring case and empty pieces are skipped.
std::vector<std::unique_ptr<TZClientDataSet>> XMLs2Datasets(const QString &text);

/// The text form of datasets: lines separated by "[##]", the first with the
/// field names, each further one a row's values, items separated by "[#]";
/// several datasets joined by "[###]".
class TDatasetToText
{
public:
    static QString TranToText(TZClientDataSet &dataSet);
    static QString TranToText(const QList<TZClientDataSet *> &dataSets);
};

/// Reads the text form into datasets: each row is appended, the fields named
/// in the header take their texts; a row that sets no field is dropped.
class TTextToDataset
{
public:
    static void TranToDataset(const QString &text, TZClientDataSet &dataSet);
    static void TranToDataset(const QString &text, const QList<TZClientDataSet *> &dataSets);
};
