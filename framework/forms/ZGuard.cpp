#include "ZGuard.h"

#include "ZMessageBox.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"

#include <exception>

void ZShowError(const QString &text)
{
    if (!PostMsgToMainWindow(text, ZMSG_COLOR_ERROR))
        ZMessageBox(QStringLiteral("错误"), text, {zbOK});
}

void ZShowCurrentError()
{
    try {
        throw;
    } catch (const EZAbort &) {
    } catch (const EZError &error) {
        ZShowError(error.message());
    } catch (const std::exception &error) {
        ZShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        ZShowError(QStringLiteral("未知错误"));
    }
}

bool ZGuard(const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (...) {
        ZShowCurrentError();
    }
    return false;
}
