#pragma once

#include "../record/RecordTestSupport.h"

#include <QDialog>
#include <QLabel>

#include <functional>

/// A test of a framework dialog of type D on a fresh data file with the
/// shipped definitions: when an entry point runs D modally it goes to
/// `onDialog`; every other box is recorded in `boxTexts` and closed.
template<typename D>
class TListDialogTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        SetZBoxAnswerer([this](QDialog &box) {
            if (auto *dialog = qobject_cast<D *>(&box)) {
                onDialog(*dialog);
                return;
            }
            QStringList texts;
            for (const QLabel *label : box.findChildren<QLabel *>()) {
                if (!label->text().isEmpty())
                    texts << label->text();
            }
            boxTexts << texts.join(QLatin1Char('\n'));
            box.reject();
        });
    }

    std::function<void(D &)> onDialog = [](D &shown) { shown.reject(); };
};
