#pragma once

#include "../metadata/ModelFixture.h"

#include <QString>
#include <QStringList>

class TOrvDataSet;

/// The model fixture with a few more modules for the layout and look-up
/// tests: tstClient (AutoSaveNewDataRemind, key ClientID, name ClientName),
/// tstKind (its table has Flag 2), tstOrder (one field of every kind and
/// position, its ClientID related to tstClient). Yes/No questions are
/// answered by `answer` and recorded in `asked` as "caption|text".
class LayoutFixture : public ModelFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Opens a window dataset of a module (no rows).
    static void openEmpty(TOrvDataSet &dataSet, const QString &progID);

    bool answer = true;
    QStringList asked;
};
