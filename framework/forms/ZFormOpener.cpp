#include "ZFormOpener.h"

namespace {

TZFormOpener &installed()
{
    static TZFormOpener opener;
    return opener;
}

} // namespace

void SetZFormOpener(TZFormOpener opener)
{
    installed() = std::move(opener);
}

QWidget *ZOpenForm(const QString &formClass, const QString &param1, const QString &param2)
{
    return installed() ? installed()(formClass, param1, param2) : nullptr;
}
