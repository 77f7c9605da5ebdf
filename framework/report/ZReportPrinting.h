#pragma once

/// Whether the report windows can show and design fixed-layout printable
/// reports. Until the printable report engine is part of the program the
/// fixed-report choice, its layout names and the design button stay hidden.
inline bool ZReportPrintingAvailable()
{
    return false;
}
