#pragma once

#include "../metadata/ModelFixture.h"

#include "metadata/TOrvDataSet.h"

#include <QStringList>

#include <memory>

/// The model fixture with a line module tstLine and its table holding five
/// rows: a key that must have a value, a free name, a kind to group by, a
/// money amount, a quantity, a date, a read-only remark, a hidden field and
/// a pick-list state.
class GridFixture : public ModelFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// The rows of tstLine, opened with their definitions.
    std::unique_ptr<TOrvDataSet> openLines();

    /// The error texts the framework showed since SetUp.
    QStringList errors;
};
