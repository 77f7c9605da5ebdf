// The generated layout computed without widgets: every number of a placed
// label, editor, page control and window, with editors 21 pixels high.
#include "layout/ZAutoLayoutPlan.h"

#include <gtest/gtest.h>

namespace {

TZLayoutFieldIn field(const char *name, int zone = cpHeadLeft, TSubPosition sub = psLeft,
                      TCtrlWidthType width = wtAll, TZFieldType kind = ftZString)
{
    TZLayoutFieldIn f;
    f.name = QString::fromLatin1(name);
    f.zone = zone;
    f.sub = sub;
    f.width = width;
    f.kind = kind;
    f.editorHeight = 21;
    f.labelHeight = 13;
    return f;
}

const TZLayoutFieldOut &placed(const TZLayoutOut &out, const char *name)
{
    for (const TZLayoutFieldOut &f : out.fields) {
        if (f.name == QLatin1String(name))
            return f;
    }
    static TZLayoutFieldOut none;
    ADD_FAILURE() << "no field " << name;
    return none;
}

/// A window shaped like a bill: a page control with head, self and memo pages.
TZLayoutIn billWindow()
{
    TZLayoutIn in;
    in.hasPageControl = true;
    in.pageControl = QRect(0, 0, 300, 150);
    in.hasHeadPage = in.hasSelfPage = in.hasMemoPage = true;
    return in;
}

} // namespace

TEST(AutoLayoutPlan, FiveFullWidthHeadFieldsStackAndSizeTheWindow)
{
    TZLayoutIn in;
    for (const char *name : {"A", "B", "C", "D", "E"})
        in.fields << field(name);
    const TZLayoutOut out = ZPlanAutoLayout(in);
    int top = 35;
    for (const TZLayoutFieldOut &f : out.fields) {
        EXPECT_TRUE(f.placed);
        EXPECT_EQ(f.page, TZLayoutPage::Window);
        EXPECT_EQ(f.editor, QRect(88, top, 200, 21)) << f.name.toStdString();
        EXPECT_EQ(f.label, QRect(8, top + 4, 110, 13)) << f.name.toStdString();
        EXPECT_TRUE(f.labelVisible);
        EXPECT_EQ(f.labelTag, 11);
        EXPECT_EQ(f.editorTag, 11);
        top += 25;
    }
    EXPECT_EQ(out.width, 308);
    EXPECT_EQ(out.minWidth, 308);
    // The last row closes at 135 + 21 + 4 = 160; no page control: + 40.
    EXPECT_EQ(out.height, 200);
    EXPECT_EQ(out.minHeight, 0);
}

TEST(AutoLayoutPlan, PartialLeftAndRightFieldsShareARow)
{
    TZLayoutIn in;
    in.fields << field("Left", cpHeadLeft, psLeft, wt12) << field("Right", cpHeadLeft, psRight, wt12)
              << field("Next");
    const TZLayoutOut out = ZPlanAutoLayout(in);
    EXPECT_EQ(placed(out, "Left").editor, QRect(88, 35, 100, 21));
    EXPECT_EQ(placed(out, "Right").editor, QRect(188, 35, 100, 21));
    EXPECT_TRUE(placed(out, "Left").labelVisible);
    EXPECT_FALSE(placed(out, "Right").labelVisible);
    EXPECT_EQ(placed(out, "Next").editor.top(), 60);

    // The other widths and offsets of a right part: 213, 146 and 80.
    for (const auto &[width, left, editorWidth] :
         {std::tuple{wt13, 221, 66}, std::tuple{wt23, 154, 133}, std::tuple{wtAll, 88, 200}}) {
        TZLayoutIn pair;
        pair.fields << field("L", cpHeadLeft, psLeft, width) << field("R", cpHeadLeft, psRight, width);
        const TZLayoutOut two = ZPlanAutoLayout(pair);
        EXPECT_EQ(placed(two, "R").editor, QRect(left, width == wtAll ? 60 : 35, editorWidth, 21));
    }
}

TEST(AutoLayoutPlan, ZonesFoldIntoTheHeadColumnsWithoutPages)
{
    TZLayoutIn in;
    in.fields << field("HeadRight", cpHeadRight) << field("PageRight", cpPageRight) << field("SelfLeft", cpSelfLeft)
              << field("Other", 8);
    const TZLayoutOut out = ZPlanAutoLayout(in);
    EXPECT_EQ(placed(out, "HeadRight").label.topLeft(), QPoint(350, 39));
    EXPECT_EQ(placed(out, "HeadRight").editor, QRect(430, 35, 200, 21));
    EXPECT_EQ(placed(out, "PageRight").label.left(), 350);
    EXPECT_EQ(placed(out, "PageRight").editor, QRect(430, 60, 200, 21));
    EXPECT_EQ(placed(out, "PageRight").page, TZLayoutPage::Window);
    EXPECT_EQ(placed(out, "SelfLeft").editor, QRect(88, 35, 200, 21));
    // Position 8 shares the head-left column.
    EXPECT_EQ(placed(out, "Other").editor, QRect(88, 60, 200, 21));
    EXPECT_EQ(out.width, 650);
}

TEST(AutoLayoutPlan, FieldsBelowComeAfterTheHeadOrThePageControl)
{
    TZLayoutIn in;
    in.fields << field("End", cpEndLeft) << field("A") << field("B") << field("Right", cpHeadRight)
              << field("EndRight", cpEndRight);
    const TZLayoutOut out = ZPlanAutoLayout(in);
    // Without a page control: below the lower head column (85).
    EXPECT_EQ(placed(out, "End").editor, QRect(88, 85, 200, 21));
    EXPECT_EQ(placed(out, "EndRight").editor, QRect(430, 85, 200, 21));
    EXPECT_EQ(placed(out, "End").editorTag, 99);
    EXPECT_EQ(placed(out, "End").labelTag, 99);
    EXPECT_EQ(out.height, 110 + 40);

    TZLayoutIn bill = billWindow();
    bill.fields = in.fields;
    const TZLayoutOut paged = ZPlanAutoLayout(bill);
    // The page control below the head: Left 4, Top 85 + 4, Height 200.
    EXPECT_EQ(paged.pageControl.topLeft(), QPoint(4, 89));
    EXPECT_EQ(paged.pageControl.height(), 200);
    EXPECT_EQ(paged.pageControlTag, 11);
    // Below it at its bottom + 10; the tags keep the distance.
    EXPECT_EQ(placed(paged, "End").editor, QRect(88, 299, 200, 21));
    EXPECT_EQ(placed(paged, "End").editorTag, 10010);
    EXPECT_EQ(placed(paged, "End").labelTag, 10014);
    EXPECT_EQ(paged.height, 324 + 55);
    // The widest right edge 630 (the right column), + 20; the page control W + 4.
    EXPECT_EQ(paged.width, 650);
    EXPECT_EQ(paged.pageControl.width(), 634);
}

TEST(AutoLayoutPlan, PagesTakeTheirZonesAndShowTheirTabsOnlyWhenUsed)
{
    TZLayoutIn bill = billWindow();
    bill.fields << field("No") << field("Fund", cpPageLeft) << field("FundRight", cpPageRight)
                << field("Self", cpSelfLeft) << field("Content", cpHeadLeft, psLeft, wtAll, ftZMemo);
    const TZLayoutOut out = ZPlanAutoLayout(bill);
    EXPECT_EQ(placed(out, "Fund").page, TZLayoutPage::Head);
    EXPECT_EQ(placed(out, "Fund").editor, QRect(88, 4, 200, 21));
    EXPECT_EQ(placed(out, "FundRight").editor, QRect(430, 4, 200, 21));
    EXPECT_EQ(placed(out, "Self").page, TZLayoutPage::Self);
    EXPECT_EQ(placed(out, "Self").editor, QRect(88, 4, 200, 21));
    EXPECT_TRUE(out.headTabShown);
    EXPECT_TRUE(out.selfTabShown);
    // A new memo fills the memo page and takes no label.
    EXPECT_TRUE(placed(out, "Content").fillsPage);
    EXPECT_EQ(placed(out, "Content").page, TZLayoutPage::Memo);
    EXPECT_FALSE(placed(out, "Content").hasLabel);
    EXPECT_EQ(out.pageControl.top(), 64);

    TZLayoutIn headOnly = billWindow();
    headOnly.fields << field("No") << field("Self", cpSelfRight);
    const TZLayoutOut noHead = ZPlanAutoLayout(headOnly);
    EXPECT_FALSE(noHead.headTabShown);
    EXPECT_TRUE(noHead.selfTabShown);
}

TEST(AutoLayoutPlan, AMemoWithoutAMemoPageIsAnOrdinaryRow)
{
    TZLayoutIn in;
    in.fields << field("Content", cpHeadLeft, psLeft, wt23, ftZMemo) << field("Next");
    in.fields[0].editorHeight = 60;
    const TZLayoutOut out = ZPlanAutoLayout(in);
    EXPECT_FALSE(placed(out, "Content").fillsPage);
    EXPECT_EQ(placed(out, "Content").editor, QRect(88, 35, 133, 60));
    // wt23 left: the row stays open for a right part.
    EXPECT_EQ(placed(out, "Next").editor.top(), 35);

    // An existing memo on a bill window is placed like any other field.
    TZLayoutIn bill = billWindow();
    bill.fields << field("Content", cpHeadLeft, psLeft, wtAll, ftZMemo);
    bill.fields[0].hasEditor = true;
    bill.fields[0].editor = QRect(100, 40, 150, 50);
    const TZLayoutOut kept = ZPlanAutoLayout(bill);
    EXPECT_FALSE(placed(kept, "Content").fillsPage);
    EXPECT_EQ(placed(kept, "Content").editor, QRect(100, 40, 150, 50));
}

TEST(AutoLayoutPlan, ExistingControlsKeepTheirPlaceAndCloseTheRowBelowThemselves)
{
    TZLayoutIn in;
    in.fields << field("Designed") << field("Next");
    in.fields[0].hasEditor = true;
    in.fields[0].editor = QRect(120, 50, 150, 30);
    in.fields[0].hasLabel = true;
    in.fields[0].label = QRect(20, 55, 60, 13);
    in.fields[0].labelTag = 5;
    const TZLayoutOut out = ZPlanAutoLayout(in);
    EXPECT_EQ(placed(out, "Designed").editor, QRect(120, 50, 150, 30));
    EXPECT_EQ(placed(out, "Designed").label, QRect(20, 55, 60, 13));
    EXPECT_EQ(placed(out, "Designed").labelTag, 0); // its own tag stays
    EXPECT_EQ(placed(out, "Designed").editorTag, 11);
    EXPECT_EQ(placed(out, "Next").editor.top(), 84);
    // A new label of an existing editor goes to the cursor.
    TZLayoutIn half = in;
    half.fields[0].hasLabel = false;
    EXPECT_EQ(placed(ZPlanAutoLayout(half), "Designed").label, QRect(8, 39, 110, 13));
}

TEST(AutoLayoutPlan, InvisibleFieldsAreLeftAloneAndOtherControlsCountForTheWidth)
{
    TZLayoutIn in;
    in.fields << field("Hidden") << field("Shown");
    in.fields[0].visible = false;
    in.others << TZLayoutOtherIn{QRect(0, 0, 900, 30), 11, true}  // a tool bar never counts
              << TZLayoutOtherIn{QRect(300, 35, 100, 20), 11, false}
              << TZLayoutOtherIn{QRect(0, 0, 900, 30), 0, false};
    in.minHeight = 300;
    const TZLayoutOut out = ZPlanAutoLayout(in);
    EXPECT_FALSE(placed(out, "Hidden").placed);
    EXPECT_EQ(placed(out, "Shown").editor.top(), 35);
    EXPECT_EQ(out.width, 420);
    EXPECT_EQ(out.otherTags, QList<int>({11, 11, 0}));
    // The minimum height comes down to the layout's height.
    EXPECT_EQ(out.height, 100);
    EXPECT_EQ(out.minHeight, 100);
}

TEST(AutoLayoutPlan, CheckBoxesHideTheirLabel)
{
    TZLayoutIn in;
    in.fields << field("Done", cpHeadLeft, psLeft, wtAll, ftZBoolean);
    EXPECT_FALSE(ZPlanAutoLayout(in).fields.at(0).labelVisible);
}
