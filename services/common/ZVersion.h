#pragma once

#include <QString>

/// The program's version "major.minor.release.build", compiled in.
QString GetAppVersionID();

/// "版本：" followed by GetAppVersionID().
QString GetAppVersion();

/// Compares two version texts: both trimmed; both empty → 0, only B empty →
/// 1, only A empty → -1; otherwise the dot-separated parts are compared as
/// integers from the left (a part that is not a number counts as 0) for as
/// many parts as A has: a greater part of A, or a part of A without
/// counterpart in B, gives 1, a smaller one -1, all equal 0.
int CompareVersion(const QString &a, const QString &b);

/// The version of a program file: GetAppVersionID() for the running program
/// itself; for another file the version after the marker the build writes
/// into its programs ("ZKVA-FILE-VERSION:" + "a.b.c.d" + NUL, see
/// ZVersionMarker.h); "0.0.0.0" when the file is missing, unreadable or has
/// no marker.
QString GetVersion(const QString &file);
