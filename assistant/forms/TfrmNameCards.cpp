#include "TfrmNameCards.h"

#include "common/ZGuard.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "launcher/ZLauncher.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kAllTypes = QStringLiteral("全部");

/// A birthday before this day counts as none (the empty date of a record).
const QDate kFirstBirthday(1900, 1, 9);

} // namespace

TfrmNameCards::TfrmNameCards(QWidget *parent)
    : TfrmZForm(parent),
      m_type(new QComboBox(this)),
      m_keyword(new QLineEdit(this)),
      m_showAll(new QPushButton(QStringLiteral("显示全部"), this)),
      m_addressBook(new QPushButton(QStringLiteral("人脉库"), this)),
      m_scroll(new QScrollArea(this))
{
    setWindowTitle(QStringLiteral("名片库"));
    m_type->setObjectName(QStringLiteral("cbHumanType"));
    m_type->setMinimumWidth(120);
    m_keyword->setObjectName(QStringLiteral("edtKeyword"));
    m_keyword->setPlaceholderText(QStringLiteral("姓名、手机、职务、QQ、邮箱或生日"));
    m_keyword->setMinimumWidth(220);
    m_showAll->setObjectName(QStringLiteral("btnShowAll"));
    m_addressBook->setObjectName(QStringLiteral("btnAddressBook"));

    auto *bar = new QHBoxLayout;
    bar->setSpacing(6);
    bar->addWidget(new QLabel(QStringLiteral("类别："), this));
    bar->addWidget(m_type);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("关键字："), this));
    bar->addWidget(m_keyword);
    bar->addWidget(m_showAll);
    bar->addStretch(1);
    bar->addWidget(m_addressBook);

    m_scroll->setObjectName(QStringLiteral("scrCards"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    // Four cards and their gaps fit side by side.
    resize(kCardsPerRow * (TfraNameCard::kWidth + 12) + 60, 560);

    ZGuard([this] {
        loadTypes();
        RefreshCards();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { ZGuard([this] { RefreshCards(); }); });
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] { ZGuard([this] { RefreshCards(); }); });
    connect(m_showAll, &QPushButton::clicked, this, [this] { ZGuard([this] { ShowAll(); }); });
    connect(m_addressBook, &QPushButton::clicked, this,
            [] { ZGuard([] { WakeUpListFormByProg(QStringLiteral("moxAddressBook")); }); });
}

void TfrmNameCards::FormReturnValue(const QString &name, const QString &value)
{
    TfrmZForm::FormReturnValue(name, value);
    const QString type = m_type->currentText();
    loadTypes();
    {
        const QSignalBlocker quiet(m_type);
        m_type->setCurrentIndex(std::max(0, m_type->findText(type)));
    }
    RefreshCards();
}

void TfrmNameCards::loadTypes()
{
    const QSignalBlocker quiet(m_type);
    m_type->clear();
    m_type->addItem(kAllTypes);
    const std::unique_ptr<TZClientDataSet> types = DBConn().DBOpenDataSet(QStringLiteral("Select TypeName From moxHumanType"));
    for (types->First(); !types->Eof(); types->Next())
        m_type->addItem(types->Fields(0).AsString());
    m_type->setCurrentIndex(0);
}

QList<TZNameCardData> TfrmNameCards::ReadContacts(const QString &typeName)
{
    QString sql = QStringLiteral(" Select A.PersonID,A.PersonName,A.Cellphone,A.Jobs,A.BornDate,A.IsLunar,A.QQ,A.Email  "
                                 "From moxAddressBook A Left Join moxHumanType B on A.HumanType = B.TypeID Where 1=1");
    if (!typeName.isEmpty() && typeName != kAllTypes)
        sql += QStringLiteral(" And B.TypeName = ") + ZQuotedStr(typeName);
    const std::unique_ptr<TZClientDataSet> rows = DBConn().DBOpenDataSet(sql);
    QList<TZNameCardData> cards;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        auto text = [&](const char *name) { return ZTrim(rows->FieldByName(QLatin1String(name)).AsString()); };
        const TZDataField &born = rows->FieldByName(QStringLiteral("BornDate"));
        const QDate day = born.IsNull() ? QDate() : born.AsDateTime().date();
        cards.append({text("PersonID"), text("PersonName"), text("Cellphone"), text("Jobs"),
                      day.isValid() && day >= kFirstBirthday ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString(),
                      text("QQ"), text("Email")});
    }
    return cards;
}

bool TfrmNameCards::KeywordMatches(const TZNameCardData &card, const QString &keyword)
{
    const QString word = ZTrim(keyword);
    if (word.isEmpty())
        return true;
    for (const QString *text : {&card.PersonName, &card.Cellphone, &card.Jobs, &card.QQ, &card.Email, &card.BornDate}) {
        if (ZTrim(*text).contains(word))
            return true;
    }
    return false;
}

void TfrmNameCards::RefreshCards()
{
    const QList<TZNameCardData> contacts = ReadContacts(m_type->currentText());
    // A new board replaces the old one whole: the old cards go with it.
    auto *board = new QWidget;
    board->setObjectName(QStringLiteral("pnlCards"));
    board->setStyleSheet(QStringLiteral("#pnlCards { background: #f3f6fa; }"));
    auto *grid = new QGridLayout(board);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(12);
    m_cards.clear();
    for (const TZNameCardData &contact : contacts) {
        if (!KeywordMatches(contact, m_keyword->text()))
            continue;
        auto *card = new TfraNameCard(contact, board);
        const int n = int(m_cards.size());
        grid->addWidget(card, n / kCardsPerRow, n % kCardsPerRow, Qt::AlignLeft | Qt::AlignTop);
        m_cards.append(card);
    }
    grid->setColumnStretch(kCardsPerRow, 1);
    grid->setRowStretch(int((m_cards.size() + kCardsPerRow - 1) / kCardsPerRow), 1);
    delete m_scroll->takeWidget();
    m_scroll->setWidget(board);
}

void TfrmNameCards::ShowAll()
{
    m_keyword->clear();
    if (m_type->currentIndex() != 0)
        m_type->setCurrentIndex(0); // rebuilds through the type's change
    else
        RefreshCards();
}
