#include "TfrmdevKnowledge.h"

#include "data/TParamInfo.h"
#include "metadata/TOrvDataSet.h"

TfrmdevKnowledge::TfrmdevKnowledge(QWidget *parent) : TfrmMasterDataAuto(parent) {}

void TfrmdevKnowledge::AfterAddNew()
{
    TfrmMasterDataAuto::AfterAddNew();
    if (TZDataField *creater = MasterData().FindField(QStringLiteral("Creater")))
        creater->SetAsString(GetParamValue(QStringLiteral("MyName")));
}
