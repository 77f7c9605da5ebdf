#pragma once

#include "metadata/TOrvDataSet.h"

/// A dataset of a report window: "ReportData" (result set 0, carrying the
/// report's module) or "ParamData" (the system parameters), the names the
/// printable report knows them by.
class TRptDataSet final : public TOrvDataSet
{
public:
    explicit TRptDataSet(const QString &name) { Name = name; }
};
