#include "ZMonthOfDate.h"

#include "common/ZDates.h"
#include "data/TZDataField.h"
#include "metadata/TOrvDataSet.h"
#include "record/ZRowWalk.h"

void ZSetMonthOfDate(TOrvDataSet &record, const QString &dateField, const QString &monthField)
{
    TZDataField *date = record.FindField(dateField);
    TZDataField *month = record.FindField(monthField);
    if (!date || !month)
        return;
    ZSetChanged(record, *month, date->IsNull() ? 0 : DateToIntDate(date->AsDateTime().date()) / 100);
}
