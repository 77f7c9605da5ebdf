// The report window's fixed-layout reports: the layout of the chosen name,
// the print preview and the layout designer.
#include "TfrmRptBase.h"

#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "controls/ZGridSums.h"
#include "data/TZDataField.h"
#include "metadata/TZField.h"
#include "print/ZReportPrint.h"
#include "report/TRptDataSet.h"

#include <QDir>
#include <QFile>

namespace {

/// Amounts and quantities are summed; integers of a report are months and
/// codes.
bool numeric(const TZField *definition, TRptDataSet &data, int column)
{
    if (definition)
        return definition->FieldType == ftZCurrency || definition->FieldType == ftZFloat;
    return ZIsSummableColumn(data, column);
}

} // namespace

QString TfrmRptBase::LayoutFile() const
{
    return GetCurrPath() + QStringLiteral("Report/Rpt_%1_%2.zrl").arg(m_progID, ZTrim(LayoutName()));
}

TZReportLayout TfrmRptBase::FixedLayout()
{
    if (QFile::exists(LayoutFile())) {
        TZReportLayout layout;
        layout.LoadFromFile(LayoutFile());
        return layout;
    }
    QList<TZReportColumn> columns;
    TRptDataSet &data = ReportData();
    for (int i = 0; data.Active() && i < data.FieldCount(); ++i) {
        const TZDataField &field = data.Fields(i);
        const TZField *definition = FieldDefinition(field.FieldName());
        if (definition && !definition->GetZFieldVisible())
            continue;
        TZReportColumn column;
        column.fieldName = field.FieldName();
        column.caption = definition && !ZIsBlank(definition->DisplayName) ? definition->DisplayName
                         : !definition && !field.DisplayLabel.isEmpty()   ? field.DisplayLabel
                                                                          : field.FieldName();
        column.numeric = numeric(definition, data, i);
        column.width = column.numeric ? 90 : 110;
        columns << column;
    }
    return TZReportLayout::DefaultLayout(windowTitle(), columns);
}

void TfrmRptBase::DoFixRun()
{
    DoPreparyDatas();
    ZPreviewReport(this, FixedLayout(),
                   {{QStringLiteral("ReportData"), &ReportData()}, {QStringLiteral("ParamData"), &ParamData()}});
}

void TfrmRptBase::DoDesign()
{
    DoPreparyDatas();
    QDir().mkpath(GetCurrPath() + QStringLiteral("Report"));
    ZDesignReport(this, LayoutFile(), FixedLayout(),
                  {{QStringLiteral("ReportData"), &ReportData()}, {QStringLiteral("ParamData"), &ParamData()}});
}
