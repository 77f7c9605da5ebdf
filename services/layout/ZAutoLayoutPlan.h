#pragma once

#include "data/ZFieldType.h"
#include "metadata/ZDSProperties.h"

#include <QList>
#include <QRect>
#include <QString>

/// Where a generated control stands: on the window itself or on one of the
/// pages of its page control.
enum class TZLayoutPage { Window, Head, Self, Memo };

/// One field as the layout sees it. Geometry of an existing control is in
/// its parent's coordinates, as the window has it now.
struct TZLayoutFieldIn
{
    QString name;
    TZFieldType kind = ftZString;
    int zone = cpHeadLeft; ///< UICtrlPosition, 0..8
    TSubPosition sub = psLeft;
    TCtrlWidthType width = wtAll;
    bool visible = true;
    bool hasEditor = false; ///< the window already has an editor bound to the field
    QRect editor;           ///< its geometry, when it has one
    bool hasLabel = false;  ///< the window already has the label "lbl" + name
    QRect label;            ///< its geometry, when it has one
    int labelTag = 0;       ///< its tag, when it has one
    int editorHeight = 21;  ///< the height a new editor of this kind has
    int labelHeight = 13;   ///< the height a new label has
};

/// A control of the window that is no field's editor or label but counts for
/// the window's width (tag 11 or 99) and takes part in the tag rule.
struct TZLayoutOtherIn
{
    QRect geometry;
    int tag = 0;
    bool toolBar = false; ///< tool bars and tool buttons never count for the width
};

struct TZLayoutIn
{
    QList<TZLayoutFieldIn> fields; ///< the master table's fields, in field order
    QList<TZLayoutOtherIn> others;
    bool hasPageControl = false;
    QRect pageControl; ///< its geometry now
    bool hasHeadPage = false;
    bool hasSelfPage = false;
    bool hasMemoPage = false;
    int minHeight = 0; ///< the window's minimum height and width now
    int minWidth = 0;
};

/// Where one field's label and editor go.
struct TZLayoutFieldOut
{
    QString name;
    bool placed = false;    ///< false for an invisible field: nothing is done to it
    bool fillsPage = false; ///< a new memo editor filling the memo page (no label)
    TZLayoutPage page = TZLayoutPage::Window;
    bool hasLabel = false; ///< a label is used (existing or new)
    QRect label;
    bool labelVisible = false;
    int labelTag = 0; ///< 0: leave the label's tag as it is
    QRect editor;
    int editorTag = 0;
};

struct TZLayoutOut
{
    QList<TZLayoutFieldOut> fields; ///< in the order of the input
    QList<int> otherTags;           ///< the new tag of each input "other", in order
    int height = 0;
    int width = 0;
    int minHeight = 0;
    int minWidth = 0;
    QRect pageControl;
    int pageControlTag = 0;
    bool headTabShown = false;
    bool selfTabShown = false;
};

/// The width of a generated editor: wt13 66, wt12 100, wt23 133, wtAll 200.
int ZLayoutEditorWidth(TCtrlWidthType width);
/// The editor's distance from its label's left edge: 80 for psLeft; for
/// psRight wt13 213, wt12 180, wt23 146, wtAll 80.
int ZLayoutEditorOffset(TSubPosition sub, TCtrlWidthType width);
/// The label left of a zone: 350 for the right columns (1, 3, 5, 7), else 8.
int ZLayoutLabelLeft(int zone);

/// The generated layout of a window, computed without widgets: two passes
/// over the fields (the head and the pages, then the fields below the page
/// control), column cursors per zone, a row shared by a partial-width left
/// field and the field after it, the page control below the head, and the
/// window's size from the placed controls.
TZLayoutOut ZPlanAutoLayout(const TZLayoutIn &in);
