#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TZClientDataSet;

/// The kinds of chart the chart window draws.
enum TZChartKind { ckBar, ckLine, ckPie };

/// The kind a stored chart type names: "bar", "line", "pie" (any case) or
/// the Chinese "柱形", "折线", "饼图" (with or without "图"); anything else,
/// and an empty text, is a bar chart.
TZChartKind ZChartKindOf(const QString &valueType);

/// What a chart shows: one value per category and series.
struct TZChartData
{
    QString itemCaption;     ///< the caption of the category field
    QStringList categories;  ///< in the order they first come in the dataset
    QStringList seriesNames; ///< the captions of the value fields
    /// values[series][category]: the sum of that field over the category's rows.
    QList<QList<double>> values;
};

/// Sums the value fields (`valueFields`, several separated by "," or ";")
/// per category of `itemField` over the dataset's rows in their current
/// order and filter. Categories are the item field's display texts ("(空白)"
/// for a blank one); captions
/// are the fields' display labels (their names when blank); a null value
/// counts 0. Raises EZError for a field the dataset lacks.
TZChartData ZChartDataOf(TZClientDataSet &data, const QString &itemField, const QString &valueFields);
