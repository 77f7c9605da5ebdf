#include "TfrmMOXMain.h"
#include "common/ZAppTitle.h"

#include "common/ZFiles.h"
#include "common/ZMainWindow.h"
#include "common/ZVersion.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "common/ZGuard.h"
#include "launcher/ZLauncher.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace {

enum TCommandKind { ckList, ckProgID, ckWindow };

struct TCommand
{
    const char16_t *page;
    const char16_t *caption;
    TCommandKind kind;
    const char *target;
};

// The commands of the main window, page by page.
const TCommand kCommands[] = {
    {u"行程管理", u"写字板", ckWindow, "TfrmHandPaper"},
    {u"行程管理", u"写日记", ckList, "moxDiary"},
    {u"行程管理", u"目标管理", ckList, "moxTarget"},
    {u"行程管理", u"备忘录", ckList, "moxRemind"},
    {u"行程管理", u"行事历", ckWindow, "TfrmMoxCalcendar"},
    {u"行程管理", u"行程安排", ckList, "moxTask"},
    {u"行程管理", u"意见反馈", ckWindow, "TfrmUserFeedBackMOX"},
    {u"行程管理", u"记事本", ckList, "moxNotepad"},
    {u"人脉经营", u"人脉库", ckList, "moxAddressBook"},
    {u"人脉经营", u"拜访记录", ckList, "moxVisit"},
    {u"人脉经营", u"人脉类别", ckList, "moxHumanType"},
    {u"人脉经营", u"名片库", ckWindow, "TfrmNameCards"},
    {u"个人账务", u"收入账务", ckList, "moxIncome"},
    {u"个人账务", u"收入类型", ckList, "moxIncomeType"},
    {u"个人账务", u"支出类型", ckList, "moxFeeType"},
    {u"个人账务", u"支出账务", ckList, "moxFee"},
    {u"个人账务", u"现金银行账户", ckList, "moxAccount"},
    {u"个人账务", u"支出统计表", ckProgID, "RptFeeTotal"},
    {u"个人账务", u"转账记录", ckList, "moxAccountTran"},
    {u"个人账务", u"收入统计表", ckProgID, "RptIncomeTotal"},
    {u"知识积累", u"文档类别", ckList, "devKnowType"},
    {u"知识积累", u"知识库", ckList, "devKnowledge"},
    {u"系统设置", u"我的资料", ckWindow, "TfrmMyInfo"},
    {u"系统设置", u"自定义资料", ckList, "moxSelfDef"},
    {u"系统设置", u"密码箱", ckList, "moxPasswordBox"},
    {u"系统设置", u"系统设定", ckWindow, "TfrmSystemSet"},
    {u"营业账务", u"营业收入单", ckList, "accIncome"},
    {u"营业账务", u"营业支付单", ckList, "accFee"},
    {u"营业账务", u"收入统计表", ckList, "RptAccIncomeTotal"},
    {u"营业账务", u"支付统计表", ckList, "RptAccFeeTotal"},
    {u"营业账务", u"库存查询", ckList, "RptAccStock"},
    {u"营业账务", u"应收冲款单", ckList, "accGather"},
    {u"营业账务", u"应付冲款单", ckList, "accPay"},
    {u"营业账务", u"月营业统计表", ckList, "RptAccDaily"},
};

} // namespace

TfrmMOXMain::TfrmMOXMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(ZApplicationTitle() + QStringLiteral("(第%1帐套)").arg(DBConn().DataFileNo));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *greeting = new QLabel(GetParamValue(QStringLiteral("MyName")) + QStringLiteral(",欢迎您！"), central);
    greeting->setObjectName(QStringLiteral("lblGreeting"));
    layout->addWidget(greeting);
    m_commands = new QListWidget(central);
    m_commands->setObjectName(QStringLiteral("lstCommands"));
    for (const TCommand &command : kCommands)
        m_commands->addItem(QString::fromUtf16(command.page) + QStringLiteral(" · ")
                            + QString::fromUtf16(command.caption));
    layout->addWidget(m_commands, 1);
    layout->addWidget(new QLabel(GetAppVersion(), central));
    setCentralWidget(central);
    resize(420, 560);
    connect(m_commands, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { RunCommand(m_commands->row(item)); });

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(style()->standardIcon(QStyle::SP_ComputerIcon), this);
        m_tray->setToolTip(windowTitle());
        m_tray->show();
    }
    SetZMainWindow(this);
}

TfrmMOXMain::~TfrmMOXMain()
{
    SetZMainWindow(nullptr);
}

void TfrmMOXMain::RunCommand(int row)
{
    if (row < 0 || row >= int(std::size(kCommands)))
        return;
    const TCommand &command = kCommands[row];
    const QString target = QLatin1String(command.target);
    ZGuard([&] {
        switch (command.kind) {
        case ckList:
            WakeUpListFormByProg(target);
            break;
        case ckProgID:
            WakeUpFormByProgID(target, QString());
            break;
        case ckWindow:
            WakeUpForm(target, wtShow, QString(), QString());
            break;
        }
    });
}

bool TfrmMOXMain::event(QEvent *event)
{
    if (auto *message = dynamic_cast<TZMessageEvent *>(event); message && message->message() == ZWM_ADDMSG) {
        const QString text = message->text1();
        const QString colour = QString::number(message->param1());
        ZGuard([&] {
            if (isHidden())
                show();
            WakeUpForm(QStringLiteral("TfrmUserMsg"), wtShow, text, colour);
        });
        return true;
    }
    return QMainWindow::event(event);
}
