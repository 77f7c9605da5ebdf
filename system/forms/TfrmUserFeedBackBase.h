#pragma once

#include "forms/TfrmZForm.h"

#include <QList>
#include <QPair>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

/// A contact field of a feedback window: the parameter it is filled from
/// (also the editor's object name), its caption, and whether it takes a
/// whole row.
struct TZFeedbackField
{
    QString Param;
    QString Caption;
    bool Wide = false;
};

/// The feedback window: contact fields filled from the parameters of the
/// same names, the feedback type, the content and "发送反馈信息". Sending
/// refuses empty content ("反馈内容不能为空！"), hands the body lines to
/// UserFeedBack with the busy cursor shown, and thanks the user; an error
/// while composing or starting the mail is shown with
/// "发送网络信息出错，请检查是否连接网络！". The window opens centred on its
/// opener each time (it keeps no position).
class TfrmUserFeedBackBase : public TfrmZForm
{
    Q_OBJECT

public:
    /// The contact field filled from a parameter, or null.
    QLineEdit *Field(const QString &param) const;
    QComboBox *TypeBox() const { return m_type; }
    QPlainTextEdit *ContentEdit() const { return m_content; }
    QPushButton *SendButton() const { return m_send; }

    /// The mail body: each line "【heading】value" ended by a line break.
    QString FeedbackText() const;
    /// What "发送反馈信息" does.
    void SendFeedback();

    void SaveFormSizeAndPosition() override {}

protected:
    TfrmUserFeedBackBase(const QList<TZFeedbackField> &fields, QWidget *parent);

    /// The headings and values of the body, in order.
    virtual QList<QPair<QString, QString>> BodyLines() const = 0;
    /// The thanks shown after the mail has been handed over.
    virtual QString ThanksText() const = 0;

    /// The text of a contact field.
    QString FieldText(const QString &param) const;
    // The values every feedback carries.
    static QString FeedbackTime();
    static QString ProgramFile();
    static QString ProgramVersion();
    QString FeedbackType() const;
    QString Content() const;

private:
    QList<QLineEdit *> m_fields;
    QComboBox *m_type;
    QPlainTextEdit *m_content;
    QPushButton *m_send;
};
