#pragma once

#include <QString>

/// The application title (the product's name), shown as the caption of the
/// program's own windows and boxes. Kept apart from Qt's application display
/// name on purpose: Qt appends a set display name to every window caption
/// ("… — 个人助理"), while the system's captions are its own texts alone.
QString ZApplicationTitle();
void SetZApplicationTitle(const QString &title);
