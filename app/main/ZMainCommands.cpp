#include "ZMainCommands.h"

const QList<TMainCommand> &ZMainCommands()
{
    static const QList<TMainCommand> commands = {
        // Page 0: the schedule.
        {0, u"写字板", mcWindow, "TfrmHandPaper", false, u"板"},
        {0, u"写日记", mcList, "moxDiary", false, u"记"},
        {0, u"目标管理", mcList, "moxTarget", false, u"标"},
        {0, u"备忘录", mcList, "moxRemind", false, u"忘"},
        {0, u"行事历", mcWindow, "TfrmMoxCalcendar", false, u"历"},
        {0, u"行程安排", mcList, "moxTask", false, u"程"},
        {0, u"意见反馈", mcWindow, "TfrmUserFeedBackMOX", true, u"馈"},
        {0, u"记事本", mcList, "moxNotepad", false, u"本"},
        // Page 1: contacts.
        {1, u"人脉库", mcList, "moxAddressBook", false, u"人"},
        {1, u"拜访记录", mcList, "moxVisit", false, u"访"},
        {1, u"人脉类别", mcList, "moxHumanType", false, u"类"},
        {1, u"名片库", mcWindow, "TfrmNameCards", false, u"片"},
        // Page 2: accounts.
        {2, u"收入账务", mcList, "moxIncome", false, u"收"},
        {2, u"收入类型", mcList, "moxIncomeType", false, u"入"},
        {2, u"支出类型", mcList, "moxFeeType", false, u"出"},
        {2, u"支出账务", mcList, "moxFee", false, u"支"},
        {2, u"现金银行账户", mcList, "moxAccount", false, u"账"},
        {2, u"支出统计表", mcProgID, "RptFeeTotal", false, u"统"},
        {2, u"转账记录", mcList, "moxAccountTran", false, u"转"},
        {2, u"收入统计表", mcProgID, "RptIncomeTotal", false, u"计"},
        // Page 3: knowledge.
        {3, u"文档类别", mcList, "devKnowType", false, u"档"},
        {3, u"知识库", mcList, "devKnowledge", false, u"知"},
        // Page 4: the system.
        {4, u"我的资料", mcWindow, "TfrmMyInfo", false, u"我"},
        {4, u"自定义资料", mcList, "moxSelfDef", false, u"自"},
        {4, u"设置登陆密码", mcPassword, "", false, u"密"},
        {4, u"密码箱", mcList, "moxPasswordBox", false, u"箱"},
        {4, u"系统设定", mcWindow, "TfrmSystemSet", true, u"设"},
        {4, u"进入官网", mcWebSite, "", false, u"网"},
        {4, u"交流中心", mcForum, "", false, u"坛"},
        // Page 5: the accounts in short.
        {5, u"收入账务", mcList, "moxIncome", false, u"收"},
        {5, u"支出账务", mcList, "moxFee", false, u"支"},
        {5, u"转账记录", mcList, "moxAccountTran", false, u"转"},
        {5, u"现金银行账户", mcList, "moxAccount", false, u"账"},
        {5, u"收入统计表", mcProgID, "RptIncomeTotal", false, u"计"},
        {5, u"支出统计表", mcProgID, "RptFeeTotal", false, u"统"},
        {5, u"备忘录", mcList, "moxRemind", false, u"忘"},
        {5, u"写日记", mcList, "moxDiary", false, u"记"},
        // Page 6: business.
        {6, u"营业收入单", mcList, "accIncome", false, u"收"},
        {6, u"营业支付单", mcList, "accFee", false, u"付"},
        {6, u"收入统计表", mcList, "RptAccIncomeTotal", false, u"计"},
        {6, u"支付统计表", mcList, "RptAccFeeTotal", false, u"统"},
        {6, u"库存查询", mcList, "RptAccStock", false, u"库"},
        {6, u"应收冲款单", mcList, "accGather", false, u"应"},
        {6, u"应付冲款单", mcList, "accPay", false, u"冲"},
        {6, u"月营业统计表", mcList, "RptAccDaily", false, u"月"},
    };
    return commands;
}

const QList<const char16_t *> &ZMainPageCaptions()
{
    static const QList<const char16_t *> captions = {u"行程管理", u"人脉经营", u"个人账务", u"知识积累",
                                                     u"系统设置", u"常用账务", u"营业账务"};
    return captions;
}
