#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

/// What a name card shows of one contact.
struct TZNameCardData
{
    QString PersonID;
    QString PersonName;
    QString Cellphone;
    QString Jobs;
    QString BornDate; ///< the birthday's text, empty for none
    QString QQ;
    QString Email;
};

/// One contact as a card: the name as its caption, then the cellphone,
/// birthday, job, QQ number and e-mail, and "详细信息..." to open the
/// contact's record in the address book.
class TfraNameCard : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kWidth = 250;
    static constexpr int kHeight = 168;

    explicit TfraNameCard(const TZNameCardData &data, QWidget *parent = nullptr);

    const TZNameCardData &Data() const { return m_data; }
    QPushButton *DetailsButton() const { return m_details; }
    /// "详细信息...": the address book's record window on the contact,
    /// with the action "F3".
    void ShowDetails();

private:
    TZNameCardData m_data;
    QPushButton *m_details;
};
