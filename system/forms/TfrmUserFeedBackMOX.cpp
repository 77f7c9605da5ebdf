#include "TfrmUserFeedBackMOX.h"

#include "data/TParamInfo.h"
#include "net/ZMachineInfo.h"

TfrmUserFeedBackMOX::TfrmUserFeedBackMOX(QWidget *parent)
    : TfrmUserFeedBackBase({{QStringLiteral("MyName"), QStringLiteral("姓名")},
                            {QStringLiteral("CellPhone"), QStringLiteral("电话/手机")},
                            {QStringLiteral("QQ"), QStringLiteral("QQ/MSN")},
                            {QStringLiteral("EMail"), QStringLiteral("电子邮件")}},
                           parent)
{
}

QList<QPair<QString, QString>> TfrmUserFeedBackMOX::BodyLines() const
{
    return {{QStringLiteral("姓名"), FieldText(QStringLiteral("MyName"))},
            {QStringLiteral("反馈时间"), FeedbackTime()},
            {QStringLiteral("执行文件"), ProgramFile()},
            {QStringLiteral("软件版本"), ProgramVersion()},
            {QStringLiteral("联系电话"), FieldText(QStringLiteral("CellPhone"))},
            {QStringLiteral("QQ/MSN"), FieldText(QStringLiteral("QQ"))},
            {QStringLiteral("EMail"), FieldText(QStringLiteral("EMail"))},
            {QStringLiteral("客户电脑名称"), ZComputerName()},
            {QStringLiteral("客户电脑MAC"), ZMacAddress()},
            {QStringLiteral("反馈类型"), FeedbackType()},
            {QStringLiteral("反馈内容"), Content()}};
}

QString TfrmUserFeedBackMOX::ThanksText() const
{
    return QStringLiteral("尊贵的%1，感谢您反馈的信息，我们会尽快答复！").arg(GetParamValue(QStringLiteral("MyName")));
}
