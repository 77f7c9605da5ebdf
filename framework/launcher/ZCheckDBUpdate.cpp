#include "ZCheckDBUpdate.h"

#include "data/TDBConn.h"
#include "launcher/ZLauncher.h"

void CheckDBUpdate()
{
    if (DBConn().IsNeedUpdate())
        WakeUpForm(QStringLiteral("TfrmUpdateDB"), wtShowModal, QStringLiteral("AutoUpdate"), QString());
}
