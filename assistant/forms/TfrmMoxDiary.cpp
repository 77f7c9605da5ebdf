#include "TfrmMoxDiary.h"

TfrmMoxDiary::TfrmMoxDiary(QWidget *parent) : TfrmMasterDataAuto(parent) {}
