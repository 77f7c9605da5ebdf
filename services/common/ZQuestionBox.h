#pragma once

#include <QString>

#include <functional>

class QWidget;

/// Asks the user a question with the buttons Yes and No, in the box the
/// installed asker shows; true only for Yes. Without an asker the answer is
/// No. The layers below the windows ask through this, so that they include
/// no window code; the form framework installs its message box when it
/// loads, and tests install an answer of their own.
bool ZAskYesNo(QWidget *owner, const QString &caption, const QString &text);

using TZQuestionBox = std::function<bool(QWidget *owner, const QString &caption, const QString &text)>;
void SetZQuestionBox(TZQuestionBox box);
