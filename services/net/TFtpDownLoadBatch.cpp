#include "TFtpDownLoadBatch.h"

#include <array>

namespace {

struct TVolumeRange
{
    const char *first;
    const char *last;
};

// The volumes of batches 1 to 5.
constexpr std::array<TVolumeRange, 5> kBatches{{
    {"updatedata.7z.001", "updatedata.7z.010"},
    {"updatedata.7z.011", "updatedata.7z.020"},
    {"updatedata.7z.021", "updatedata.7z.030"},
    {"updatedata.7z.031", "updatedata.7z.040"},
    {"updatedata.7z.041", "updatedata.7z.999"},
}};

} // namespace

TFtpDownLoadBatch::TFtpDownLoadBatch(bool createSuspended, const QString &fileFilter, int reConnectDelay,
                                     int connectTimes, int timeOut, int port, const QString &localPath,
                                     const QString &remotePath, const QString &host, const QString &password,
                                     const QString &userName, int batchNo, QObject *parent)
    : TFtpDownLoad(TNoStart{}, fileFilter, reConnectDelay, connectTimes, timeOut, port, localPath, remotePath, host,
                   password, userName, parent),
      m_batchNo(batchNo)
{
    // Started only now, when the batch's own file test is in place.
    if (!createSuspended)
        start();
}

bool TFtpDownLoadBatch::FileMatches(const QString &fileName) const
{
    if (!TFtpDownLoad::FileMatches(fileName))
        return false;
    if (m_batchNo < 1 || m_batchNo > int(kBatches.size()))
        return true;
    const TVolumeRange &range = kBatches.at(size_t(m_batchNo - 1));
    const QString name = fileName.toLower();
    return name >= QLatin1String(range.first) && name <= QLatin1String(range.last);
}
