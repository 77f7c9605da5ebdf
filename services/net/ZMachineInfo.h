#pragma once

#include <QString>

/// The computer's host name (QSysInfo).
QString ZComputerName();

/// The hardware address of the first network adapter that is up and not the
/// loopback ("AA:BB:CC:DD:EE:FF"); an adapter that is down when none is up;
/// empty on a machine without one.
QString ZMacAddress();
