#include "TfrmMasterDataBase.h"

TfrmMasterDataBase::TfrmMasterDataBase(QWidget *parent) : TfrmMasterDataAuto(parent) {}
