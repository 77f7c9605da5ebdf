// Feeds arbitrary server answers to the FTP listing reader and checks what
// the download relies on: a listing is either refused with EZError or gives
// entries whose names can be used as local file names inside their folder.

#include "common/ZErrors.h"
#include "net/ZFtpListing.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray listing(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        for (const TZFtpEntry &entry : ZParseFtpListing(listing)) {
            if (entry.RawName.isEmpty() || entry.Name.isEmpty())
                std::abort();
            if (entry.RawName == "." || entry.RawName == ".." || entry.RawName.contains('/')
                || entry.RawName.contains('\\') || entry.RawName.contains('\0') || entry.RawName.contains('\n'))
                std::abort();
        }
    } catch (const EZError &) {
        // a refused listing is an answer, not a fault
    }
    return 0;
}
