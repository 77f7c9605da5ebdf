#include "TfrmPasswordBox.h"

#include "common/ZGuard.h"
#include "controls/TZFieldLink.h"
#include "forms/ZMessageBox.h"
#include "layout/ZFormKeepers.h"
#include "metadata/TOrvDataSet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kButtonWidth = 76;
constexpr int kGap = 4;

} // namespace

TfrmPasswordBox::TfrmPasswordBox(QWidget *parent)
    : TfrmMasterDataAuto(parent), m_showPassword(new QPushButton(QStringLiteral("显示密码"), this))
{
    m_showPassword->setObjectName(QStringLiteral("btnShowPassword"));
    m_showPassword->setEnabled(false);
    connect(m_showPassword, &QPushButton::clicked, this, [this] { ZGuard([this] { ShowPassword(); }); });
}

void TfrmPasswordBox::AfterFormInit()
{
    TfrmMasterDataAuto::AfterFormInit();
    // The password is no column of the module's lists (the definition keeps
    // it hidden), so the generated window has no editor for it: it gets a
    // row of its own below the user name, masked, with the button beside it.
    QWidget *above = findChild<QWidget *>(QStringLiteral("DBUserName"));
    QWidget *aboveLabel = findChild<QWidget *>(QStringLiteral("lblUserName"));
    QWidget *previous = findChild<QWidget *>(QStringLiteral("DBWebSite"));
    if (!above || !aboveLabel)
        return;
    QWidget *page = above->parentWidget();
    const int pitch = previous ? above->y() - previous->y() : above->height() + 6;
    // Everything below the user name's row moves down by one row.
    const QRect labelRoom = aboveLabel->geometry().translated(0, pitch);
    const QRect room = above->geometry().translated(0, pitch);
    const int rowBottom = std::max(above->geometry().bottom(), aboveLabel->geometry().bottom());
    for (QWidget *child : page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->y() > rowBottom && child != ToolBar())
            child->move(child->x(), child->y() + pitch);
    }
    auto *label = new QLabel(QStringLiteral("密码"), page);
    label->setObjectName(QStringLiteral("lblPassword"));
    label->setGeometry(labelRoom);
    label->setAlignment(qobject_cast<QLabel *>(aboveLabel) ? qobject_cast<QLabel *>(aboveLabel)->alignment()
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    auto *editor = new QLineEdit(page);
    editor->setObjectName(QStringLiteral("DBPassword"));
    editor->setEchoMode(QLineEdit::Password);
    editor->setGeometry(room.adjusted(0, 0, -(kButtonWidth + kGap), 0));
    new TZFieldLink(editor, MasterData(), QStringLiteral("Password"));
    m_showPassword->setParent(page);
    m_showPassword->setGeometry(room.right() - kButtonWidth + 1, room.top(), kButtonWidth, room.height());
    label->show();
    editor->show();
    m_showPassword->show();
    ReSetFormMinSize(minimumHeight() + pitch, minimumWidth());
    resize(minimumWidth(), minimumHeight());
    if (TZSizeKeeper *keeper = SizeKeeper())
        keeper->Save();
}

void TfrmPasswordBox::SetFrmState(int state)
{
    TfrmMasterDataAuto::SetFrmState(state);
    m_showPassword->setEnabled(state != fsNoRecord);
}

void TfrmPasswordBox::ShowPassword()
{
    if (FrmState() == fsNoRecord)
        return;
    if (const TZDataField *password = MasterData().FindField(QStringLiteral("Password")))
        ZShowMessage(password->AsString());
}
