#pragma once

#include <Qt>

class QObject;
class QWidget;

// Two properties every control of a laid-out window may carry, kept as
// dynamic properties so that any widget class can hold them: the tag, an
// integer the layout generator and the size keeper read (11 placed in the
// head, 99 placed below the page control, 10000 + distance below the page
// control's bottom edge), and the anchors, the edges of its parent a control
// keeps its distance to when the parent is resized.

/// The control's tag; 0 when none was set.
int ZTag(const QObject *control);
void SetZTag(QObject *control, int tag);

/// The edges the control is anchored to; left and top when none were set.
Qt::Edges ZAnchors(const QWidget *control);
/// Anchors the control to edges of its parent: from now on a resize of the
/// parent keeps the control's distance to each anchored edge as it is now
/// (anchored left and right, or top and bottom, the control stretches).
void SetZAnchors(QWidget *control, Qt::Edges edges);
