#include "TfrmAccFee.h"

#include "metadata/TZDataSource.h"
#include "metadata/TZField.h"

#include <QLabel>

TfrmAccFee::TfrmAccFee(QWidget *parent) : TfrmAccIncome(parent) {}

void TfrmAccFee::AfterFormInit()
{
    TfrmAccIncome::AfterFormInit();
    setWindowTitle(QStringLiteral("支付单"));
    // The payment captions, whatever the module's definition calls the fields.
    const std::pair<const char *, const char16_t *> captions[] = {
        {"BillNo", u"支付单号"}, {"ObjectName", u"支付对象"}, {"ItemID", u"支付项目"}};
    for (const auto &[field, caption] : captions) {
        if (auto *label = findChild<QLabel *>(QStringLiteral("lbl") + QLatin1String(field)))
            label->setText(QString::fromUtf16(caption));
    }
}
