#include "ZGuard.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"

#include <QDebug>

#include <exception>
#include <utility>

namespace {

TZErrorBox &errorBox()
{
    static TZErrorBox box;
    return box;
}

} // namespace

void SetZErrorBox(TZErrorBox box)
{
    errorBox() = std::move(box);
}

void ZShowError(const QString &text)
{
    if (PostMsgToMainWindow(text, ZMSG_COLOR_ERROR))
        return;
    if (errorBox())
        errorBox()(text);
    else
        qWarning().noquote() << text;
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
