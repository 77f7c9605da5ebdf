#include "TMailTest.h"

#include "common/ZMainWindow.h"
#include "data/TParamInfo.h"
#include "net/TSendEmailThread.h"

#include <QCoreApplication>
#include <QTest>

TSmtpTestServer *TMailTest::server = nullptr;

void TMailTest::SetUpTestSuite()
{
    server = new TSmtpTestServer;
    if (!server->Start())
        FAIL() << "the SMTP test server did not start: " << qPrintable(server->Error());
}

void TMailTest::TearDownTestSuite()
{
    delete server;
    server = nullptr;
}

void TMailTest::SetUp()
{
    TDataFileTest::SetUp();
    ASSERT_GT(server->Port(), 0);
    server->Clear();
    SetZMainWindow(&notices);
}

void TMailTest::TearDown()
{
    waitForJobs();
    SetZMainWindow(nullptr);
    TSendEmailThreadEx::SetRetryPause(5000);
    TDataFileTest::TearDown();
}

void TMailTest::setParam(const QString &name, const QString &value)
{
    SaveParamValue(name, value);
    GetParamInfo().UpdateParamInfo();
}

void TMailTest::supportSettings(int port)
{
    setParam(QStringLiteral("OrvexSenderHost"), QStringLiteral("127.0.0.1"));
    setParam(QStringLiteral("OrvexSenderUserName"), TSmtpTestServer::User());
    setParam(QStringLiteral("OrvexSenderPassword"), TSmtpTestServer::Password());
    setParam(QStringLiteral("OrvexSenderPort"), QString::number(port));
    setParam(QStringLiteral("OrvexReceiverEmail"), QStringLiteral("support@test.example.com"));
}

void TMailTest::waitForJobs()
{
    QTRY_COMPARE_WITH_TIMEOUT(ZRunningMailJobs(), 0, 60000);
    QCoreApplication::processEvents();
}
