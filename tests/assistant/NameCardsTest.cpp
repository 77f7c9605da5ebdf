// The name cards: the type filter, the keyword over the six texts, four
// cards to a row, "显示全部" and the card's "详细信息...".
#include "ContactsTestSupport.h"
#include "ZScreenshot.h"

#include "forms/TfrmAddressBook.h"
#include "forms/TfrmNameCards.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

void addContact(const QString &id, const QString &name, const QString &type, const QString &cellphone,
                const QString &qq, const QString &born, const QString &jobs = QString(),
                const QString &email = QString())
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName, HumanType, Cellphone, QQ, BornDate, Jobs, "
                           "Email) values('%1', '%2', '%3', '%4', '%5', %6, '%7', '%8')")
                             .arg(id, name, type, cellphone, qq, born.isEmpty() ? s("null") : s("'%1'").arg(born))
                             .arg(jobs, email));
}

QStringList names(const TfrmNameCards &window)
{
    QStringList shown;
    for (const TfraNameCard *card : window.Cards())
        shown << card->Data().PersonName;
    return shown;
}

} // namespace

class NameCards : public TContactsTest
{
protected:
    void SetUp() override
    {
        TContactsTest::SetUp();
        DBConn().DBExcuteSql(s("delete from moxHumanType"));
        DBConn().DBExcuteSql(s("insert into moxHumanType(TypeID, TypeName) values('T1', '客户')"));
        DBConn().DBExcuteSql(s("insert into moxHumanType(TypeID, TypeName) values('T2', '朋友')"));
        addContact(s("P1"), s("张三"), s("T1"), s("13900001111"), s("12345"), s("1980-05-15 00:00:00"), s("经理"),
                   s("zhangsan@example.com"));
        addContact(s("P2"), s("李四"), s("T2"), s("18600002222"), s("81390"), s("1900-01-08 00:00:00"), s("工程师"));
        addContact(s("P3"), s("王五"), s("T1"), s("18700003333"), s("55555"), s("1900-01-09 00:00:00"));
        addContact(s("P4"), s("赵六"), s("T2"), s("15000004444"), s("66666"), s("1990-08-01 00:00:00"),
                   s("设计师"), s("zl139@example.com"));
        addContact(s("P5"), s("孙七"), QString(), s("13100005555"), s("77777"), QString(), s("会计"));
    }
};

TEST_F(NameCards, TypeFilterStartsOnAllAndKeywordSearchesSixFields)
{
    TfrmNameCards window;
    QComboBox *types = window.TypeBox();
    ASSERT_EQ(types->count(), 3);
    EXPECT_EQ(types->itemText(0), s("全部"));
    EXPECT_EQ(types->currentText(), s("全部"));
    EXPECT_EQ(names(window), (QStringList{s("张三"), s("李四"), s("王五"), s("赵六"), s("孙七")}));

    // "139": cellphone, QQ number and e-mail alike.
    QTest::keyClicks(window.KeywordBox(), s("139"));
    EXPECT_EQ(names(window).size(), 5); // nothing until Enter
    QTest::keyClick(window.KeywordBox(), Qt::Key_Return);
    EXPECT_EQ(names(window), (QStringList{s("张三"), s("李四"), s("赵六")}));

    // The keyword keeps its effect when the type changes.
    types->setCurrentText(s("朋友"));
    EXPECT_EQ(names(window), (QStringList{s("李四"), s("赵六")}));

    // The birthday text counts; an empty date (before 9 January 1900) shows
    // and matches nothing.
    window.KeywordBox()->setText(s(" 1900-01 "));
    QTest::keyClick(window.KeywordBox(), Qt::Key_Return);
    EXPECT_TRUE(names(window).isEmpty());
    types->setCurrentIndex(0);
    EXPECT_EQ(names(window), (QStringList{s("王五")}));
    window.KeywordBox()->setText(s("1980-05"));
    QTest::keyClick(window.KeywordBox(), Qt::Key_Return);
    EXPECT_EQ(names(window), (QStringList{s("张三")}));
    window.KeywordBox()->setText(s("会计"));
    QTest::keyClick(window.KeywordBox(), Qt::Key_Return);
    EXPECT_EQ(names(window), (QStringList{s("孙七")}));
    ASSERT_EQ(window.Cards().size(), 1);
    EXPECT_EQ(window.Cards().front()->Data().BornDate, QString());

    types->setCurrentText(s("客户"));
    QTest::mouseClick(window.findChild<QPushButton *>(s("btnShowAll")), Qt::LeftButton);
    EXPECT_EQ(types->currentText(), s("全部"));
    EXPECT_EQ(window.KeywordBox()->text(), QString());
    EXPECT_EQ(names(window).size(), 5);
}

TEST_F(NameCards, CardsStandFourToARowAndOpenTheirRecord)
{
    addContact(s("P6"), s("周八"), s("T1"), s("13600006666"), s("88888"), s("1970-03-03 00:00:00"), s("律师"),
               s("zhouba@example.com"));
    auto *window = new TfrmNameCards;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), s("名片库"));
    const QList<TfraNameCard *> cards = window->Cards();
    ASSERT_EQ(cards.size(), 6);
    for (int i = 0; i < cards.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(cards[i]->isVisible());
        EXPECT_EQ(cards[i]->y(), cards[i / 4 * 4]->y());
        if (i % 4 != 0) {
            EXPECT_GT(cards[i]->x(), cards[i - 1]->x() + cards[i - 1]->width() - 1);
        }
    }
    EXPECT_GT(cards[4]->y(), cards[0]->y() + cards[0]->height() - 1);
    EXPECT_EQ(cards[4]->x(), cards[0]->x());
    const QStringList texts = [&] {
        QStringList all;
        for (const QLabel *label : cards[0]->findChildren<QLabel *>())
            all << label->text();
        return all;
    }();
    for (const QString &text : {s("张三"), s("13900001111"), s("1980-05-15"), s("经理"), s("12345"),
                                s("zhangsan@example.com")})
        EXPECT_TRUE(texts.contains(text)) << qPrintable(text);
    ZSaveScreenshot(*window, s("contacts_name_cards"));

    // "详细信息..." opens the address book's record of the card.
    ZRegisterClass(s("TfrmAddressBook"), [] { return new TfrmAddressBook; });
    QTest::mouseClick(cards[1]->DetailsButton(), Qt::LeftButton);
    ZUnRegisterClass(s("TfrmAddressBook"));
    QPointer<QWidget> record;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TfrmAddressBook *>(widget))
            record = widget;
    }
    ASSERT_TRUE(record) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(static_cast<TfrmAddressBook *>(record.data())->CurrKeyValue(), s("P2"));
    record->close();

    // Opened again (as the main window's command does), the cards are read
    // anew with the type kept.
    window->TypeBox()->setCurrentText(s("客户"));
    EXPECT_EQ(names(*window), (QStringList{s("张三"), s("王五"), s("周八")}));
    addContact(s("P7"), s("吴九"), s("T1"), s("13700007777"), QString(), QString());
    ZRegisterClass(s("TfrmNameCards"), [] { return new TfrmNameCards; });
    EXPECT_EQ(WakeUpForm(s("TfrmNameCards"), wtShow, QString(), QString()), window);
    ZUnRegisterClass(s("TfrmNameCards"));
    EXPECT_EQ(window->TypeBox()->currentText(), s("客户"));
    EXPECT_EQ(names(*window), (QStringList{s("张三"), s("王五"), s("周八"), s("吴九")}));
    window->close();
}
