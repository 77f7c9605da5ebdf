// The main window's "意见反馈" command: the feedback window opens modally
// through the launcher (its package loaded by class name), centred on the
// main window, without the busy cursor while it is open.
#include "MainWindowFixture.h"
#include "TestText.h"

#include "forms/TfrmZForm.h"
#include "launcher/ZLauncher.h"
#include "main/TfrmMOXMain.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using MainFeedback = MainWindowFixture;

TEST_F(MainFeedback, OpensTheFeedbackWindowModallyCentredOnTheMainWindow)
{
    TfrmMOXMain &main = showWindow();
    main.activateWindow();
    QTRY_VERIFY(main.isActiveWindow());
    QToolButton *command = main.CommandButton(0, s("意见反馈"));
    ASSERT_NE(command, nullptr);

    // Inspected from inside the modal loop, then closed whatever was found,
    // so the loop always ends.
    QString className;
    Qt::WindowModality modality = Qt::NonModal;
    int busy = -1;
    QPoint offset(9999, 9999);
    QTimer::singleShot(0, [&] {
        const QPointer<QWidget> form = GetIsExistForm(s("TfrmUserFeedBackMOX"));
        if (!form)
            return;
        className = QString::fromLatin1(form->metaObject()->className());
        modality = form->windowModality();
        busy = FCursorBusyCount;
        const QDeadlineTimer deadline(10000);
        while (form && (form->frameGeometry().center() - main.frameGeometry().center()).manhattanLength() > 4
               && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!form)
            return;
        offset = form->frameGeometry().center() - main.frameGeometry().center();
        form->close();
    });
    QTimer::singleShot(30000, [] {
        if (QWidget *form = GetIsExistForm(s("TfrmUserFeedBackMOX")))
            form->close();
    });
    command->click();
    EXPECT_EQ(className, s("TfrmUserFeedBackMOX"));
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(busy, 0);
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
    EXPECT_TRUE(texts.isEmpty()) << qPrintable(texts.join(s("\n")));
}
