#include "TfrmRptAccDailyGrid.h"

#include "controls/TZDBGrid.h"
#include "data/TZClientDataSet.h"

void TfrmRptAccDailyGrid::FormReturnValue(const QString &name, const QString &value)
{
    TfrmRptGridView::FormReturnValue(name, value);
    if (Grid() && Grid()->DataSet() && Grid()->DataSet()->FindField(QStringLiteral("CurrMoney")))
        Grid()->SetColumnFooterSum(QStringLiteral("CurrMoney"), false);
}
