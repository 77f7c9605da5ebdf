#include "TfrmRemindSet.h"

#include "TfrmSelectDS.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "common/ZWindowHandles.h"
#include "list/TfrmSelfWhere.h"
#include "metadata/TOrvDataSet.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

constexpr int kButtonWidth = 76;
constexpr int kGap = 4;

} // namespace

TfrmRemindSet::TfrmRemindSet(QWidget *parent)
    : TfrmMasterDataAuto(parent),
      m_select(new QPushButton(QStringLiteral("选择单据"), this)),
      m_condition(new QPushButton(QStringLiteral("条件设定"), this))
{
    m_select->setObjectName(QStringLiteral("btnSelectDS"));
    m_condition->setObjectName(QStringLiteral("btnSetWhere"));
    m_select->setEnabled(false);
    m_condition->setEnabled(false);
    connect(m_select, &QPushButton::clicked, this, [this] { ZGuard([this] { SelectDataSource(); }); });
    connect(m_condition, &QPushButton::clicked, this, [this] { ZGuard([this] { SetCondition(); }); });
}

void TfrmRemindSet::AfterFormInit()
{
    TfrmMasterDataAuto::AfterFormInit();
    placeBeside("DBProgID", m_select);
    placeBeside("DBRemindWhere", m_condition);
}

void TfrmRemindSet::placeBeside(const char *editorName, QPushButton *button)
{
    // The generated editor gives up the room at its right end to the button,
    // so the window keeps its generated size.
    QWidget *editor = findChild<QWidget *>(QLatin1String(editorName));
    if (!editor)
        return;
    QRect room = editor->geometry();
    editor->setGeometry(room.adjusted(0, 0, -(kButtonWidth + kGap), 0));
    button->setParent(editor->parentWidget());
    button->setGeometry(room.right() - kButtonWidth + 1, room.top(), kButtonWidth,
                        std::max(room.height() > 40 ? 26 : room.height(), 24));
    button->show();
}

void TfrmRemindSet::SetFrmState(int state)
{
    TfrmMasterDataAuto::SetFrmState(state);
    m_select->setEnabled(Editing());
    m_condition->setEnabled(Editing());
}

void TfrmRemindSet::writeField(const QString &name, const QString &value)
{
    TOrvDataSet &master = MasterData();
    TZDataField *field = master.FindField(name);
    if (!field || (master.State() == dsBrowse && master.IsEmpty()))
        return;
    if (master.State() == dsBrowse)
        master.Edit();
    field->SetAsString(value);
}

void TfrmRemindSet::SelectDataSource()
{
    if (!Editing())
        return;
    auto *chooser = new TfrmSelectDS;
    TZMessageEvent opener(ZWM_PARENTHANDLE, QString(), QString(), ZWindowHandle(this));
    QCoreApplication::sendEvent(chooser, &opener);
    if (const TZDataField *field = MasterData().FindField(QStringLiteral("ProgID")))
        chooser->SetSelectedProgID(ZTrim(field->AsString()));
    chooser->setWindowModality(Qt::ApplicationModal);
    chooser->show();
    const QPointer<TfrmSelectDS> alive(chooser);
    while (alive && alive->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TfrmRemindSet::SetCondition()
{
    if (!Editing())
        return;
    const TZDataField *module = MasterData().FindField(QStringLiteral("ProgID"));
    const QString progID = module ? ZTrim(module->AsString()) : QString();
    if (progID.isEmpty())
        throw EZError(QStringLiteral("请先选择单据"));
    const TZDataField *where = MasterData().FindField(QStringLiteral("RemindWhere"));
    QString text = where ? where->AsString() : QString();
    if (GetWhereText(this, progID, text))
        writeField(QStringLiteral("RemindWhere"), text);
}

void TfrmRemindSet::FormReturnValue(const QString &name, const QString &value)
{
    if (name == QLatin1String("SelectDS")) {
        if (Editing() && !ZTrim(value).isEmpty())
            writeField(QStringLiteral("ProgID"), ZTrim(value));
        return;
    }
    TfrmMasterDataAuto::FormReturnValue(name, value);
}
