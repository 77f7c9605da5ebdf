#include "TfrmMyInfo.h"

#include "launcher/TFormParams.h"

TfrmMyInfo::TfrmMyInfo(QWidget *parent) : TfrmMasterDataAuto(parent) {}

void TfrmMyInfo::FormReturnValue(const QString &name, const QString &value)
{
    if (GetProgID().isEmpty() && name != kFormParamsName) {
        TFormParams params;
        params.Action = QStringLiteral("F3");
        params.ProgID = QStringLiteral("moxMyInfo");
        params.WakeUpByProgID = true;
        TfrmMasterDataAuto::FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        return;
    }
    TfrmMasterDataAuto::FormReturnValue(name, value);
}
