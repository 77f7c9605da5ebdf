#include "ZQuestionBox.h"

#include <utility>

namespace {

TZQuestionBox &questionBox()
{
    static TZQuestionBox box;
    return box;
}

} // namespace

void SetZQuestionBox(TZQuestionBox box)
{
    questionBox() = std::move(box);
}

bool ZAskYesNo(QWidget *owner, const QString &caption, const QString &text)
{
    return questionBox() && questionBox()(owner, caption, text);
}
