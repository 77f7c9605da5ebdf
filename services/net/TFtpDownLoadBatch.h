#pragma once

#include "net/TFtpDownLoad.h"

/// TFtpDownLoad for one batch of the numbered volumes of an update archive:
/// besides the file test of TFtpDownLoad, batches 1 to 5 take only the files
/// whose lower-case names lie (as texts) within "updatedata.7z.001" ..
/// "updatedata.7z.010", ".011".."020", ".021".."030", ".031".."040" and
/// ".041".."999"; any other batch number adds no condition.
class TFtpDownLoadBatch : public TFtpDownLoad
{
    Q_OBJECT

public:
    /// The arguments of TFtpDownLoad, then the batch number.
    TFtpDownLoadBatch(bool createSuspended, const QString &fileFilter, int reConnectDelay, int connectTimes,
                      int timeOut, int port, const QString &localPath, const QString &remotePath, const QString &host,
                      const QString &password, const QString &userName, int batchNo, QObject *parent = nullptr);

    int BatchNo() const { return m_batchNo; }

protected:
    bool FileMatches(const QString &fileName) const override;

private:
    int m_batchNo;
};
