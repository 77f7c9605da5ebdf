#pragma once

#include "TfraNameCard.h"
#include "forms/TfrmZForm.h"

#include <QList>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QScrollArea;

/// The name cards: every contact of the address book as a card, four to a
/// row in the order the query gives them. The type filter starts on "全部"
/// (all) and lists the contact types; a keyword keeps the contacts whose
/// name, cellphone, job, QQ number, e-mail or birthday text contains it.
/// Changing the type, Enter in the keyword box and "显示全部" rebuild the
/// cards; "人脉库" opens the address book's list. Opening the window again
/// reads the contacts anew.
class TfrmNameCards : public TfrmZForm
{
    Q_OBJECT

public:
    static constexpr int kCardsPerRow = 4;

    explicit TfrmNameCards(QWidget *parent = nullptr);

    /// Reads the contacts of the chosen type again and lays out the cards of
    /// those the keyword keeps.
    void RefreshCards();
    /// "显示全部": every type, no keyword.
    void ShowAll();
    /// Opened again (the launcher hands an open window its parameters):
    /// the types and cards are read anew, keeping the type and keyword, so
    /// contacts changed meanwhile show.
    void FormReturnValue(const QString &name, const QString &value) override;

    /// The contacts of a type ("全部" or empty: every type), in query order.
    static QList<TZNameCardData> ReadContacts(const QString &typeName);
    /// Whether the trimmed keyword occurs in one of the six texts of a card;
    /// an empty keyword keeps every card.
    static bool KeywordMatches(const TZNameCardData &card, const QString &keyword);

    QList<TfraNameCard *> Cards() const { return m_cards; }
    QComboBox *TypeBox() const { return m_type; }
    QLineEdit *KeywordBox() const { return m_keyword; }

private:
    void loadTypes();

    QComboBox *m_type;
    QLineEdit *m_keyword;
    QPushButton *m_showAll;
    QPushButton *m_addressBook;
    QScrollArea *m_scroll;
    QList<TfraNameCard *> m_cards;
};
