#include "TfrmUserFeedBack.h"

#include "data/TParamInfo.h"
#include "net/ZMachineInfo.h"

TfrmUserFeedBack::TfrmUserFeedBack(QWidget *parent)
    : TfrmUserFeedBackBase({{QStringLiteral("CorpFullName"), QStringLiteral("公司全称"), true},
                            {QStringLiteral("CorpContactMan"), QStringLiteral("联系人")},
                            {QStringLiteral("CorpTelphone"), QStringLiteral("联系电话")},
                            {QStringLiteral("CorpFax"), QStringLiteral("传真")},
                            {QStringLiteral("CorpAddresss"), QStringLiteral("地址"), true}},
                           parent)
{
}

QList<QPair<QString, QString>> TfrmUserFeedBack::BodyLines() const
{
    return {{QStringLiteral("客户名称"), FieldText(QStringLiteral("CorpFullName"))},
            {QStringLiteral("反馈时间"), FeedbackTime()},
            {QStringLiteral("执行文件"), ProgramFile()},
            {QStringLiteral("软件版本"), ProgramVersion()},
            {QStringLiteral("联系人"), FieldText(QStringLiteral("CorpContactMan"))},
            {QStringLiteral("联系电话"), FieldText(QStringLiteral("CorpTelphone"))},
            {QStringLiteral("传真"), FieldText(QStringLiteral("CorpFax"))},
            {QStringLiteral("地址"), FieldText(QStringLiteral("CorpAddresss"))},
            {QStringLiteral("客户电脑名称"), ZComputerName()},
            {QStringLiteral("客户电脑MAC"), ZMacAddress()},
            {QStringLiteral("反馈类型"), FeedbackType()},
            {QStringLiteral("反馈内容"), Content()}};
}

QString TfrmUserFeedBack::ThanksText() const
{
    return QStringLiteral("尊贵的%1，感谢您反馈信息给我们！").arg(GetParamValue(QStringLiteral("CorpFullName")));
}
