#include "BenchSession.h"

#include "data/TDBConn.h"
#include "settings/ZSession.h"

#include <QFile>

void ZBenchOpenSession(const QString &folder)
{
    qputenv("ZKVA_HOME", QFile::encodeName(folder));
    FSYSID = 1003;
    FSystemType = stAlone;
    DBConn();
}
