#include "TfrmUserFeedBackBase.h"

#include "common/ZClock.h"
#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZVersion.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"
#include "net/ZSendEmail.h"
#include "settings/ZBusyCursor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent, Qt::Alignment vertical = Qt::AlignVCenter)
{
    auto *label = new QLabel(text + QStringLiteral("："), parent);
    label->setAlignment(Qt::AlignRight | vertical);
    return label;
}

} // namespace

TfrmUserFeedBackBase::TfrmUserFeedBackBase(const QList<TZFeedbackField> &fields, QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("提建议、反馈问题"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    int row = 0;
    int column = 0;
    for (const TZFeedbackField &field : fields) {
        auto *edit = new QLineEdit(GetParamValue(field.Param), this);
        edit->setObjectName(field.Param);
        m_fields << edit;
        if (field.Wide && column > 0) {
            ++row;
            column = 0;
        }
        grid->addWidget(caption(field.Caption, this), row, column);
        if (field.Wide) {
            grid->addWidget(edit, row++, 1, 1, 3);
            continue;
        }
        grid->addWidget(edit, row, column + 1);
        if (column == 0) {
            column = 2;
        } else {
            column = 0;
            ++row;
        }
    }
    if (column > 0)
        ++row;

    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("cbxType"));
    m_type->addItems({QStringLiteral("新需求"), QStringLiteral("软件问题"), QStringLiteral("改善建议"),
                      QStringLiteral("代理申请"), QStringLiteral("其它")});
    grid->addWidget(caption(QStringLiteral("反馈类型"), this), row, 0);
    grid->addWidget(m_type, row++, 1);

    m_content = new QPlainTextEdit(this);
    m_content->setObjectName(QStringLiteral("memContent"));
    m_content->setTabChangesFocus(true);
    grid->addWidget(caption(QStringLiteral("反馈内容"), this, Qt::AlignTop), row, 0);
    grid->addWidget(m_content, row, 1, 1, 3);
    grid->setRowStretch(row, 1);

    m_send = new QPushButton(QStringLiteral("发送反馈信息"), this);
    m_send->setObjectName(QStringLiteral("btnSend"));
    m_send->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton *button : {m_send, close})
        button->setMinimumWidth(button->sizeHint().width() + 24);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    resize(560, 400);
    // The contact fields are usually filled already; the content is what
    // the user came to write.
    m_content->setFocus();

    connect(m_send, &QPushButton::clicked, this, [this] { ZGuard([this] { SendFeedback(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QLineEdit *TfrmUserFeedBackBase::Field(const QString &param) const
{
    for (QLineEdit *edit : m_fields) {
        if (edit->objectName().compare(param, Qt::CaseInsensitive) == 0)
            return edit;
    }
    return nullptr;
}

QString TfrmUserFeedBackBase::FieldText(const QString &param) const
{
    const QLineEdit *edit = Field(param);
    return edit ? edit->text() : QString();
}

QString TfrmUserFeedBackBase::FeedbackTime()
{
    return ZNow().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString TfrmUserFeedBackBase::ProgramFile()
{
    return QCoreApplication::applicationFilePath();
}

QString TfrmUserFeedBackBase::ProgramVersion()
{
    return GetAppVersionID();
}

QString TfrmUserFeedBackBase::FeedbackType() const
{
    return m_type->currentText();
}

QString TfrmUserFeedBackBase::Content() const
{
    return m_content->toPlainText();
}

QString TfrmUserFeedBackBase::FeedbackText() const
{
    QString text;
    for (const auto &[heading, value] : BodyLines())
        text += QStringLiteral("【") + heading + QStringLiteral("】") + value + QStringLiteral("\r\n");
    return text;
}

void TfrmUserFeedBackBase::SendFeedback()
{
    if (Content().trimmed().isEmpty()) {
        m_content->setFocus();
        ErrMsg(QStringLiteral("反馈内容不能为空！"));
    }
    try {
        const TZBusyCursorScope busy;
        UserFeedBack(FeedbackText());
    } catch (const EZAbort &) {
        return;
    } catch (...) {
        ZShowMessage(QStringLiteral("发送网络信息出错，请检查是否连接网络！\r\n错误信息：") + ZCurrentExceptionMessage());
        return;
    }
    ZShowMessage(ThanksText());
}
