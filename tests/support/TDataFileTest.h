#pragma once

#include "TTempProgramFolder.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

/// A test on a fresh program folder holding the template data file, with the
/// session of this program (system ID 1003, the numbered data files). The
/// session and the caches are freed after each test. A fatal error of the
/// data layer is recorded in `fatalText` and abandons the operation.
class TDataFileTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Runs a " CREATE TABLE [name](…)" statement, first dropping a table of
    /// that name the template already holds, for tests with a schema of
    /// their own.
    static void createTable(const QString &createSql);

    /// Copies the files of a folder of the built program folder (for example
    /// "DBSource") into the test's program folder.
    void copyShipped(const QString &subFolder) const;

    /// Copies what the database update reads: the table definitions, the
    /// data source definitions (for the list indexes) and the default rows.
    void copyUpdateData() const;

    /// Copies the run-time packages (dpk*.so) of the built program folder
    /// into the test's program folder, for tests that load them.
    void copyPackages() const;

    /// The full path of a file below the program folder.
    QString path(const QString &relative) const;

    std::unique_ptr<TTempProgramFolder> folder;
    QString fatalText;
};

/// The template data file built with the program.
QString ZTemplateDataFile();

/// Records the program's version as the data file's LastUpdateVersion, so
/// that a main window opened on it (or on a data file made from it, when it
/// is a template) does not start the database update. The file must not be
/// open.
void ZMarkDataFileCurrent(const QString &dataFile);
