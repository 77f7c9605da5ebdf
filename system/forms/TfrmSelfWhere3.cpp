#include "TfrmSelfWhere3.h"

TfrmSelfWhere3::TfrmSelfWhere3(QWidget *parent) : TfrmSelfWhere2(parent) {}
