#pragma once

#include "TDataFileTest.h"
#include "TNoticeWindow.h"
#include "TSmtpTestServer.h"

#include <QString>

/// A test that sends mail: a data file test with an SMTP server on loopback
/// for the whole suite (emptied before each test) and a notice window as the
/// main window. Each test ends once every mail job has finished.
class TMailTest : public TDataFileTest
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    /// Saves a parameter and reloads the cache, so new names are seen.
    static void setParam(const QString &name, const QString &value);
    /// Points the support sender settings (Orvex*) at the test server's
    /// account on `port`, with the mailbox support@test.example.com.
    static void supportSettings(int port);
    /// Waits until every mail job has finished and its notices are delivered.
    static void waitForJobs();

    static TSmtpTestServer *server;
    TNoticeWindow notices;
};
