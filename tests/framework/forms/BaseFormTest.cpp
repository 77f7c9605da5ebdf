// The base window: remembered bounds, the parent protocol, Enter to the next
// control, messages to the user and the error guard, on real windows.
#include "TTempProgramFolder.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZMainWindow.h"
#include "settings/ZSession.h"
#include "common/ZWinMessages.h"
#include "forms/TfrmZForm.h"
#include "layout/ZFormKeepers.h"
#include "common/ZGuard.h"
#include "forms/ZSkins.h"
#include "ini/TZMemIniFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// Bounds in failure messages as x,y widthxheight.
void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

namespace {

class TfrmSample : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmSample(QString progID = QString(), bool enter = false) : m_progID(std::move(progID)), m_enter(enter)
    {
        auto *layout = new QVBoxLayout(this);
        first = new QLineEdit(this);
        second = new QLineEdit(this);
        memo = new QPlainTextEdit(this);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(memo);
        resize(400, 300);
    }

    QString GetProgID() override { return m_progID; }
    bool EnterToNextCtrlIsEnabled() override { return m_enter; }
    void FormReturnValue(const QString &name, const QString &value) override { returned << name + '=' + value; }

    QLineEdit *first;
    QLineEdit *second;
    QPlainTextEdit *memo;
    QStringList returned;

private:
    QString m_progID;
    bool m_enter;
};

/// Stands in for the main window: keeps the texts sent to the user.
class TMainStandIn : public QWidget
{
public:
    bool event(QEvent *event) override
    {
        if (auto *message = dynamic_cast<TZMessageEvent *>(event); message && message->message() == ZWM_ADDMSG) {
            texts << message->text1() + QLatin1Char('/') + QString::number(message->param1());
            return true;
        }
        return QWidget::event(event);
    }
    QStringList texts;
};

class BaseForm : public ::testing::Test
{
protected:
    void SetUp() override { UserInfo.UserID = s("U1"); }

    static QRect stored(const QString &section)
    {
        const TZMemIniFile store(GetLogPath() + s("forms_U1.log"));
        return {store.ReadInteger(section, s("Left"), 0), store.ReadInteger(section, s("Top"), 0),
                store.ReadInteger(section, s("Width"), 0), store.ReadInteger(section, s("Height"), 0)};
    }

    static void closeAndWait(TfrmZForm *form)
    {
        QPointer<TfrmZForm> guarded(form);
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guarded.isNull());
    }

    TTempProgramFolder folder;
};

} // namespace

TEST_F(BaseForm, BoundsAreKeptPerModuleAndRestored)
{
    auto *a = new TfrmSample(s("moxDiary"));
    a->show();
    a->setGeometry(120, 140, 500, 320);
    auto *b = new TfrmSample(s("moxTask"));
    b->show();
    b->setGeometry(60, 70, 640, 420);
    // Positions and sizes are the inside's.
    const QRect diary = a->geometry();
    const QRect task = b->geometry();
    closeAndWait(a);
    closeAndWait(b);
    EXPECT_EQ(stored(s("TfrmSample-moxDiary")), diary);
    EXPECT_EQ(stored(s("TfrmSample-moxTask")), task);
    EXPECT_EQ(diary.size(), QSize(500, 320));

    auto *again = new TfrmSample(s("moxDiary"));
    again->show();
    EXPECT_EQ(again->geometry(), QRect(120, 140, 500, 320));
    EXPECT_EQ(again->NormalBounds(), diary);

    // Closing while maximised leaves what was stored.
    again->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(again->Maximised());
    closeAndWait(again);
    EXPECT_EQ(stored(s("TfrmSample-moxDiary")), diary);

    // A window with a fixed border takes its position back but keeps its size.
    auto *fixed = new TfrmSample(s("moxDiary"));
    fixed->resize(300, 200);
    fixed->SetSizeable(false);
    fixed->show();
    EXPECT_EQ(fixed->geometry(), QRect(120, 140, 300, 200));
    closeAndWait(fixed);
}

// Run twice: here on the offscreen platform, whose frame Qt knows at once,
// and by test_forms_framed on a display whose window manager frames a
// window only after the program has placed it (the window used to come
// back higher by its title bar on every reopen there). The inside's bounds
// are what the display reports; the frame Qt reports on that display is not
// always up to date, so it is not compared.
TEST_F(BaseForm, AReopenedWindowStandsWhereItStood)
{
    // Shown, and placed by the window manager once it is exposed.
    const auto open = [] {
        auto *form = new TfrmSample(s("RptIncomeTotal"));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        return form;
    };
    const auto standsAt = [](TfrmZForm *form, const QRect &bounds) {
        return QTest::qWaitFor([&] { return form->geometry() == bounds; });
    };

    TfrmZForm *form = open();
    const QRect placed(310, 240, 520, 330);
    form->setGeometry(placed);
    ASSERT_TRUE(standsAt(form, placed));
    closeAndWait(form);
    EXPECT_EQ(stored(s("TfrmSample-RptIncomeTotal")), placed);

    for (int round = 1; round <= 3; ++round) {
        form = open();
        EXPECT_TRUE(standsAt(form, placed)) << "round " << round;
        EXPECT_EQ(form->geometry(), placed) << "round " << round;
        EXPECT_EQ(form->NormalBounds(), placed) << "round " << round;
        closeAndWait(form);
        EXPECT_EQ(stored(s("TfrmSample-RptIncomeTotal")), placed) << "round " << round;
    }
}

TEST_F(BaseForm, NetworkedSystemsMaximiseOverTheMainWindow)
{
    QWidget main;
    main.resize(800, 600);
    SetZMainWindow(&main);
    FSYSID = 1001;
    auto *form = new TfrmSample(s("comCustomer"));
    form->show();
    form->setGeometry(100, 120, 400, 300);
    const QRect normal = form->NormalBounds();
    form->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->Maximised());
    EXPECT_EQ(form->size(), QSize(800, 595));
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    form->showMaximized(); // again: back to the normal bounds
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->Maximised());
    EXPECT_EQ(form->geometry(), normal);
    closeAndWait(form);
    FSYSID = 1003;
    SetZMainWindow(nullptr);
}

TEST_F(BaseForm, ChildReturnsValuesToItsParent)
{
    auto *parent = new TfrmSample;
    auto *child = new TfrmSample;
    child->SendMsgToParentForm(s("Tag"), s("lost")); // no parent yet: nothing happens
    TZMessageEvent opener(ZWM_PARENTHANDLE, QString(), QString(), parent->Handle());
    QCoreApplication::sendEvent(child, &opener);
    EXPECT_EQ(child->ParentForm(), parent);
    child->SendMsgToParentForm(s("SelectDS"), s("moxRemind"));
    EXPECT_EQ(parent->returned, QStringList({s("SelectDS=moxRemind")}));
    closeAndWait(parent);
    EXPECT_EQ(child->ParentForm(), nullptr);
    closeAndWait(child);
}

TEST_F(BaseForm, EnterMovesOnAndBreaksLinesInMemos)
{
    auto *form = new TfrmSample(QString(), true);
    form->show();
    QApplication::setActiveWindow(form);
    form->first->setFocus();
    QTest::keyClick(form->first, Qt::Key_Return);
    EXPECT_TRUE(form->second->hasFocus());
    form->memo->setPlainText(s("第一行"));
    form->memo->moveCursor(QTextCursor::Start);
    QTest::keyClick(form->memo, Qt::Key_Return);
    EXPECT_EQ(form->memo->toPlainText(), s("第一行\n"));
    EXPECT_EQ(form->memo->textCursor().position(), form->memo->toPlainText().size());

    // Message 1936 switches it off.
    TZMessageEvent off(ZWM_ENTERTONEXT, QString(), QString(), 0);
    QCoreApplication::sendEvent(form, &off);
    EXPECT_FALSE(form->EnterToNextEnabled());
    closeAndWait(form);

    auto *plain = new TfrmSample;
    plain->show();
    TZMessageEvent on(ZWM_ENTERTONEXT, QString(), QString(), 1);
    QCoreApplication::sendEvent(plain, &on);
    EXPECT_FALSE(plain->EnterToNextEnabled()); // the window does not allow it
    closeAndWait(plain);
}

TEST_F(BaseForm, MessagesErrorsAndReadOnlyControls)
{
    TMainStandIn main;
    SetZMainWindow(&main);
    auto *form = new TfrmSample;
    EXPECT_THROW(form->ErrMsg(s("请先选择单据")), EZError);
    form->ErrMsg(s("已保存"), false, 0);
    form->ErrMsg(s("出错了"), false, 1);
    EXPECT_TRUE(ZGuard([] { throw EZAbort(); }) == false);
    EXPECT_FALSE(ZGuard([] { throw EZError(QStringLiteral("没有单据数据")); }));
    QCoreApplication::sendPostedEvents(&main);
    EXPECT_EQ(main.texts, QStringList({s("已保存/16711680"), s("出错了/255"), s("没有单据数据/255")}));

    auto *check = new QCheckBox(form);
    TfrmZForm::SetCtrlsReadOnly({form->first, form->memo, check}, true);
    EXPECT_TRUE(form->first->isReadOnly());
    EXPECT_TRUE(form->memo->isReadOnly());
    EXPECT_FALSE(check->isEnabled());
    TfrmZForm::SetCtrlsReadOnly({form->first, check}, false);
    EXPECT_FALSE(form->first->isReadOnly());
    EXPECT_TRUE(check->isEnabled());

    form->ReSetFormMinSize(500, 450);
    EXPECT_EQ(form->size(), QSize(450, 500));
    EXPECT_EQ(form->minimumSize(), QSize(450, 500));
    closeAndWait(form);
    QCoreApplication::sendPostedEvents(&main);
    SetZMainWindow(nullptr);
}

TEST_F(BaseForm, LayoutKeepersComeFromTheInstalledMakers)
{
    // The grid layer installs its keeper when it loads; this test installs
    // its own and puts it back.
    const TZGridKeeperMaker installed = ZGridKeeperMaker();
    const TZSizeKeeperMaker installedSize = ZSizeKeeperMaker();
    struct TLog
    {
        QStringList events;
    } log;
    struct TGrid : TZGridKeeper
    {
        explicit TGrid(TLog &l) : log(l) {}
        void Restore() override { log.events << QStringLiteral("restore"); }
        void Save() override { log.events << QStringLiteral("save"); }
        TLog &log;
    };
    struct TSize : TZSizeKeeper
    {
        explicit TSize(TLog &l) : log(l) {}
        void Relayout() override { log.events << QStringLiteral("relayout"); }
        TLog &log;
    };
    SetZGridKeeperMaker([&log](QWidget &, const QString &tag, bool keepVisibility) {
        log.events << QStringLiteral("grid %1 %2").arg(tag).arg(keepVisibility);
        return std::make_unique<TGrid>(log);
    });
    SetZSizeKeeperMaker([&log](QWidget &) { return std::make_unique<TSize>(log); });
    auto *form = new TfrmSample(s("moxDiary"));
    form->show();
    EXPECT_NE(form->GridKeeper(), nullptr);
    log.events.clear();
    form->resize(480, 360);
    closeAndWait(form);
    EXPECT_EQ(log.events, QStringList({s("relayout"), s("save")}));
    SetZGridKeeperMaker(nullptr);
    SetZSizeKeeperMaker(nullptr);

    auto *plain = new TfrmSample;
    plain->show();
    EXPECT_EQ(plain->GridKeeper(), nullptr);
    closeAndWait(plain);
    SetZGridKeeperMaker(installed);
    SetZSizeKeeperMaker(installedSize);
}

TEST_F(BaseForm, WindowsTakeTheSkinsBackground)
{
    EXPECT_EQ(ZSkinNames().size(), 4);
    ZApplySkin(2);
    EXPECT_EQ(ZCurrentSkin(), 2);
    auto *form = new TfrmSample;
    EXPECT_EQ(form->palette().color(QPalette::Window), ZWindowBackground());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), ZWindowBackground());
    closeAndWait(form);
    ZApplySkin(99); // out of range: the plain skin
    EXPECT_EQ(ZCurrentSkin(), 0);
}

#include "BaseFormTest.moc"
