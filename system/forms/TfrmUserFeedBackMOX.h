#pragma once

#include "forms/TfrmUserFeedBackBase.h"

/// The feedback window of the personal edition ("提建议、反馈问题"): name,
/// phone, QQ/MSN and e-mail from the parameters MyName, CellPhone, QQ and
/// EMail.
class TfrmUserFeedBackMOX : public TfrmUserFeedBackBase
{
    Q_OBJECT

public:
    explicit TfrmUserFeedBackMOX(QWidget *parent = nullptr);

protected:
    QList<QPair<QString, QString>> BodyLines() const override;
    QString ThanksText() const override;
};
