#include "ZAutoLayoutPlan.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kHeadStart = 35; // the head columns start below the window's tool bar
constexpr int kPageStart = 4;  // every other column starts at the top of its area
constexpr int kLabelWidth = 110;
constexpr int kHeadTag = 11;
constexpr int kEndTag = 99;
constexpr int kDistanceTag = 10000;
constexpr int kPageControlLeft = 4;
constexpr int kPageControlHeight = 200;

struct TState
{
    const TZLayoutIn &in;
    std::array<int, 8> cursor; ///< per zone, the top of the next editor
    int bottom;                ///< the highest bottom so far
    bool headUsed;
    bool selfUsed;
    QRect pageControl;
};

int effectiveZone(const TZLayoutIn &in, int zone)
{
    if (zone == 8 || zone < 0 || zone > 8)
        return cpHeadLeft;
    if (!in.hasHeadPage && (zone == cpPageLeft || zone == cpPageRight))
        return zone - 2;
    if (!in.hasSelfPage && (zone == cpSelfLeft || zone == cpSelfRight))
        return zone - 4;
    return zone;
}

void place(TState &state, const TZLayoutFieldIn &field, TZLayoutFieldOut &out, bool endPass)
{
    const TZLayoutIn &in = state.in;
    out.placed = true;
    // A new memo editor fills the memo page and takes no label.
    if (field.kind == ftZMemo && in.hasMemoPage && !field.hasEditor) {
        out.fillsPage = true;
        out.page = TZLayoutPage::Memo;
        return;
    }
    const bool closesRow = !(field.sub == psLeft && field.width != wtAll);
    const int zone = effectiveZone(in, field.zone);

    int top = state.cursor[std::size_t(zone)];
    if ((zone == cpEndLeft || zone == cpEndRight) && top == kPageStart) {
        top = in.hasPageControl ? state.pageControl.top() + state.pageControl.height() + 10
                                : std::max(state.cursor[cpHeadLeft], state.cursor[cpHeadRight]);
    }

    out.hasLabel = true;
    if (field.hasLabel) {
        out.label = field.label;
    } else {
        out.label = QRect(0, top + 4, kLabelWidth, field.labelHeight);
        out.labelTag = kHeadTag;
    }
    out.labelVisible = field.sub == psLeft && field.kind != ftZBoolean;

    if (field.hasEditor)
        out.editor = field.editor;
    else
        out.editor = QRect(0, top, ZLayoutEditorWidth(field.width), field.editorHeight);
    out.editorTag = kHeadTag;

    if (in.hasHeadPage && (zone == cpPageLeft || zone == cpPageRight)) {
        out.page = TZLayoutPage::Head;
        state.headUsed = true;
    } else if (in.hasSelfPage && (zone == cpSelfLeft || zone == cpSelfRight)) {
        out.page = TZLayoutPage::Self;
        state.selfUsed = true;
    }
    if (!field.hasLabel)
        out.label.moveLeft(ZLayoutLabelLeft(zone));
    if (!field.hasEditor)
        out.editor.moveLeft(out.label.left() + ZLayoutEditorOffset(field.sub, field.width));
    if (closesRow)
        top = out.editor.top() + out.editor.height() + 4;

    if (endPass) {
        out.labelTag = kEndTag;
        out.editorTag = kEndTag;
    }
    state.cursor[std::size_t(zone)] = top;
    state.bottom = std::max(state.bottom, top);
}

} // namespace

int ZLayoutEditorWidth(TCtrlWidthType width)
{
    switch (width) {
    case wt13:
        return 66;
    case wt12:
        return 100;
    case wt23:
        return 133;
    default:
        return 200;
    }
}

int ZLayoutEditorOffset(TSubPosition sub, TCtrlWidthType width)
{
    if (sub == psLeft)
        return 80;
    switch (width) {
    case wt13:
        return 213;
    case wt12:
        return 180;
    case wt23:
        return 146;
    default:
        return 80;
    }
}

int ZLayoutLabelLeft(int zone)
{
    return zone % 2 == 1 ? 350 : 8;
}

TZLayoutOut ZPlanAutoLayout(const TZLayoutIn &in)
{
    TZLayoutOut out;
    TState state{in, {kHeadStart, kHeadStart, kPageStart, kPageStart, kPageStart, kPageStart, kPageStart, kPageStart},
                 0, false, false, in.pageControl};
    out.fields.reserve(in.fields.size());
    for (const TZLayoutFieldIn &field : in.fields) {
        TZLayoutFieldOut placed;
        placed.name = field.name;
        out.fields << placed;
    }
    const auto isEnd = [](const TZLayoutFieldIn &f) { return f.zone == cpEndLeft || f.zone == cpEndRight; };

    for (int i = 0; i < in.fields.size(); ++i) {
        if (in.fields.at(i).visible && !isEnd(in.fields.at(i)))
            place(state, in.fields.at(i), out.fields[i], false);
    }
    if (in.hasPageControl) {
        state.pageControl.moveLeft(kPageControlLeft);
        state.pageControl.moveTop(std::max(state.cursor[cpHeadLeft], state.cursor[cpHeadRight]) + 4);
        state.pageControl.setHeight(kPageControlHeight);
        out.pageControlTag = kHeadTag;
        state.bottom = std::max(state.bottom, state.pageControl.top() + state.pageControl.height());
    }
    for (int i = 0; i < in.fields.size(); ++i) {
        if (in.fields.at(i).visible && isEnd(in.fields.at(i)))
            place(state, in.fields.at(i), out.fields[i], true);
    }

    out.height = state.bottom + (in.hasPageControl ? 55 : 40);
    out.minHeight = std::min(in.minHeight, out.height);

    // The width: the right edge of every control tagged 11 or 99.
    int right = 0;
    const auto counts = [](int tag) { return tag == kHeadTag || tag == kEndTag; };
    for (int i = 0; i < in.fields.size(); ++i) {
        const TZLayoutFieldIn &field = in.fields.at(i);
        const TZLayoutFieldOut &placed = out.fields.at(i);
        if (!placed.placed || placed.fillsPage)
            continue;
        if (counts(placed.labelTag) || (placed.labelTag == 0 && counts(field.labelTag)))
            right = std::max(right, placed.label.left() + placed.label.width());
        right = std::max(right, placed.editor.left() + placed.editor.width());
    }
    for (const TZLayoutOtherIn &other : in.others) {
        if (counts(other.tag) && !other.toolBar)
            right = std::max(right, other.geometry.left() + other.geometry.width());
    }
    if (in.hasPageControl)
        right = std::max(right, state.pageControl.left() + state.pageControl.width());

    // Below the page control a control keeps its distance to the page
    // control's bottom edge in its tag.
    const int pageBottom = state.pageControl.top() + state.pageControl.height();
    const auto distanceTag = [&](int tag, int top) {
        return in.hasPageControl && tag == kEndTag ? top - pageBottom + kDistanceTag : tag;
    };
    for (TZLayoutFieldOut &placed : out.fields) {
        if (!placed.placed || placed.fillsPage)
            continue;
        placed.labelTag = distanceTag(placed.labelTag, placed.label.top());
        placed.editorTag = distanceTag(placed.editorTag, placed.editor.top());
    }
    for (const TZLayoutOtherIn &other : in.others)
        out.otherTags << distanceTag(other.tag, other.geometry.top());

    out.minWidth = right + 20;
    out.width = right + 20;
    if (in.hasPageControl) {
        state.pageControl.setWidth(right + 4);
        out.pageControl = state.pageControl;
        out.headTabShown = state.headUsed;
        out.selfTabShown = state.selfUsed;
    }
    return out;
}
