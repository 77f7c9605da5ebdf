#include "TfrmListFormPub.h"

TfrmListFormPub::TfrmListFormPub(QWidget *parent) : TfrmListFormBase(parent)
{
    setObjectName(QStringLiteral("frmListFormPub"));
}
