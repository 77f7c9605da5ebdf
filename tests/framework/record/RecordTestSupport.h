#pragma once

#include "TDataFileTest.h"

#include "common/ZErrors.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormParams.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

/// Types a text the way a user's keyboard delivers it: Latin letters and
/// digits as key presses, Chinese as an input method's committed text.
inline void typeText(QWidget *target, const QString &text)
{
    bool latin = true;
    for (const QChar c : text)
        latin = latin && c.unicode() < 128;
    if (latin) {
        QTest::keyClicks(target, text);
        return;
    }
    QInputMethodEvent committed;
    committed.setCommitString(text);
    QCoreApplication::sendEvent(target, &committed);
}

/// Clicks the tool bar button of a record window's action (which must be
/// enabled).
inline void press(QWidget &window, const char *action)
{
    QToolBar *bar = window.findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    QAction *act = window.findChild<QAction *>(QLatin1String(action));
    ASSERT_TRUE(bar && act);
    ASSERT_TRUE(act->isEnabled()) << action;
    QWidget *button = bar->widgetForAction(act);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

/// Replaces an editor's text by typing, then leaves it with Tab.
inline void typeInto(QWidget *editor, const QString &text)
{
    ASSERT_TRUE(editor);
    editor->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Tab);
}

/// A record window test on a fresh data file with the shipped definitions:
/// the framework's boxes are answered from `answers` (button names, in
/// order; a box nobody expected is cancelled and recorded), and every box's
/// text is kept in `boxTexts`.
class TRecordTest : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyShipped(QStringLiteral("DBSource"));
        SetZBoxAnswerer([this](QDialog &box) {
            QStringList texts;
            for (const QLabel *label : box.findChildren<QLabel *>()) {
                if (!label->text().isEmpty())
                    texts << label->text();
            }
            boxTexts << texts.join(QLatin1Char('\n'));
            const QString button = answers.isEmpty() ? QStringLiteral("btnCancel") : answers.takeFirst();
            auto *pressed = box.findChild<QPushButton *>(button);
            if (pressed && pressed->isVisible())
                QTest::mouseClick(pressed, Qt::LeftButton);
            else
                box.reject();
        });
    }

    void TearDown() override
    {
        SetZBoxAnswerer(nullptr);
        // Windows closed during the test are deleted now, before the session
        // and caches they use go.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TDataFileTest::TearDown();
    }

    /// A window of class T showing a module, opened the way the launcher
    /// opens it (the form parameters with the action "F3").
    template<typename T>
    std::unique_ptr<T> openRecordWindow(const QString &progID, const QString &key = QString(),
                                        const QString &action = QStringLiteral("F3"))
    {
        auto window = std::make_unique<T>();
        TFormParams params;
        params.Action = action;
        params.ProgID = progID;
        params.KeyValue = key;
        window->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        return window;
    }

    /// The message an operation was refused with; empty when it was not.
    static QString refusal(const std::function<void()> &operation)
    {
        try {
            operation();
        } catch (const EZError &error) {
            return error.message();
        }
        return {};
    }

    QStringList answers;
    QStringList boxTexts;
};
