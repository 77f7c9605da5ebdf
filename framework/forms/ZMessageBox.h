#pragma once

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

/// The buttons of the framework's message box, and its results.
enum TZMsgBtn { zbOK, zbCancel, zbYes, zbNo };
using TZMsgBtns = QList<TZMsgBtn>;

/// The framework's modal message box. The buttons of `buttons` stand from
/// left to right in the order OK, Yes, No, Cancel, 4 pixels apart, whatever
/// the order of the list. A non-empty `captions` is split at ","; its items
/// replace the captions of the shown buttons in that same order (a missing
/// or empty item keeps the standard caption). Returns the button pressed;
/// closing the box any other way gives zbCancel.
TZMsgBtn ZMessageBox(const QString &caption, const QString &text, const TZMsgBtns &buttons,
                     const QString &captions = QString());

/// ZMessageBox with the caption "提示" and only the OK button.
void ZShowMessage(const QString &text);

/// Called with every framework box once it is shown and running its modal
/// loop, instead of waiting for a person: a test clicks a button, types into
/// the box or closes it. The buttons are named btnOK, btnYes, btnNo and
/// btnCancel, the edit of an input box edtValue. Null (the default) leaves
/// the boxes to the user.
using TZBoxAnswerer = std::function<void(QDialog &box)>;
void SetZBoxAnswerer(TZBoxAnswerer answerer);

/// Runs a framework box modally, in front of and centred on `owner` (the
/// window ZDialogOwner finds when null), handing it to the answerer when one
/// is set.
int ZExecBox(QDialog &box, QWidget *owner = nullptr);
