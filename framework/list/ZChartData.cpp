#include "ZChartData.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "data/TZClientDataSet.h"

#include <QHash>

namespace {

QString captionOf(const TZDataField &field)
{
    return field.DisplayLabel.trimmed().isEmpty() ? field.FieldName() : field.DisplayLabel;
}

} // namespace

TZChartKind ZChartKindOf(const QString &valueType)
{
    const QString type = valueType.trimmed().toLower();
    if (type.startsWith(QLatin1String("line")) || type.startsWith(QStringLiteral("折线")))
        return ckLine;
    if (type.startsWith(QLatin1String("pie")) || type.startsWith(QStringLiteral("饼")))
        return ckPie;
    return ckBar;
}

TZChartData ZChartDataOf(TZClientDataSet &data, const QString &itemField, const QString &valueFields)
{
    TZChartData chart;
    const TZDataField &item = data.FieldByName(itemField.trimmed());
    chart.itemCaption = captionOf(item);
    QList<int> valueColumns;
    const QStringList names = ZFieldNameList(valueFields);
    for (const QString &name : names) {
        const TZDataField &field = data.FieldByName(name);
        valueColumns << field.Index();
        chart.seriesNames << captionOf(field);
    }
    if (valueColumns.isEmpty())
        throw EZError(QStringLiteral("图表没有设置数值字段"));
    chart.values.resize(valueColumns.size());

    QHash<QString, int> categoryIndex;
    const int rows = int(data.visibleRows().size());
    for (int row = 0; row < rows; ++row) {
        QString category = data.displayText(row, item.Index());
        if (category.trimmed().isEmpty())
            category = QStringLiteral("(空白)");
        auto found = categoryIndex.constFind(category);
        int index = 0;
        if (found == categoryIndex.cend()) {
            index = int(chart.categories.size());
            categoryIndex.insert(category, index);
            chart.categories << category;
            for (QList<double> &series : chart.values)
                series << 0.0;
        } else {
            index = found.value();
        }
        const QVector<QVariant> &values = data.visibleRows().at(std::size_t(row))->values();
        for (int s = 0; s < valueColumns.size(); ++s)
            chart.values[s][index] += ZFloat(values.value(valueColumns.at(s)));
    }
    return chart;
}
