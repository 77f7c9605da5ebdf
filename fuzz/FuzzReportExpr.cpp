// Feeds arbitrary text to the report text compiler and evaluates it against
// a small scope: it must never fail, only print error texts.

#include "print/TZReportText.h"

#include <cstdint>

namespace {

class TScope final : public TZReportScope
{
public:
    bool FieldValue(const QString &dataSet, const QString &field, TZReportValue &value) const override
    {
        if (dataSet != QLatin1String("ReportData") || field.isEmpty() || field.at(0) == QLatin1Char('X'))
            return false;
        value.isNumber = field.size() % 2 == 0;
        value.number = field.size() * 1.5;
        value.money = field.size() % 3 == 0;
        value.text = field;
        return true;
    }
    bool SumValue(const QString &dataSet, const QString &field, TZReportValue &value) const override
    {
        return FieldValue(dataSet, field, value);
    }
    int Page() const override { return 3; }
    int TotalPages() const override { return 9; }
    QDate Date() const override { return QDate(2024, 2, 29); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString source = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const TZReportText text(source);
    (void)text.Evaluate(TScope());
    (void)text.Errors();
    (void)text.FieldNames();
    return 0;
}
