// Feeds arbitrary bytes to the workbook reader as the content of an .xlsx
// file. It must read them or refuse them with its error, and every cell it
// returns must have a text form.

#include "common/ZErrors.h"
#include "data/ZXlsxReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TZXlsxRows rows = ZReadXlsxSheetData(content, QStringLiteral("fuzz.xlsx"));
        for (const QList<TZXlsxCell> &cells : rows)
            for (const TZXlsxCell &cell : cells)
                if ((cell.kind == TZXlsxCell::ckNumber || cell.kind == TZXlsxCell::ckDate || cell.kind == TZXlsxCell::ckBoolean)
                    && cell.toString().isEmpty())
                    std::abort(); // a number, date or boolean always has a text
    } catch (const EZError &) {
    }
    return 0;
}
