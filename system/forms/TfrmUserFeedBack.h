#pragma once

#include "forms/TfrmUserFeedBackBase.h"

/// The feedback window of the company editions ("提建议、反馈问题"): company,
/// contact, phone, fax and address from the parameters CorpFullName,
/// CorpContactMan, CorpTelphone, CorpFax and CorpAddresss.
class TfrmUserFeedBack : public TfrmUserFeedBackBase
{
    Q_OBJECT

public:
    explicit TfrmUserFeedBack(QWidget *parent = nullptr);

protected:
    QList<QPair<QString, QString>> BodyLines() const override;
    QString ThanksText() const override;
};
