#include "core/ui/ComboHelpers.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

TEST(ComboHelpers, SelectionAndItemsWithEdgeCases) {
    QComboBox box;
    EXPECT_EQ(ComboValueOr255(&box), 255);
    SelectComboText(&box, "5");
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(ComboItemAt(&box, 0), "");

    box.addItems({"10", "20", "Off"});
    SelectComboText(&box, "20");
    EXPECT_EQ(ComboValueOr255(&box), 20);
    SelectComboText(&box, "not there");
    EXPECT_EQ(box.currentIndex(), 0);
    box.setCurrentIndex(-1);
    EXPECT_EQ(ComboValueOr255(&box), 255);
    box.setCurrentIndex(2);
    EXPECT_EQ(ComboValueOr255(&box), 0);
    EXPECT_EQ(ComboItemAt(&box, 2), "Off");
    EXPECT_EQ(ComboItemAt(&box, 3), "10");
    EXPECT_EQ(ComboItemAt(&box, -1), "10");
}

// A limited list opens below its box whether the box was already on screen
// when limited or shown only later (the list style is given on first show).
TEST(ComboHelpers, LimitedListOpensBelowItsBoxOnceShown) {
    for (const bool shownFirst : {true, false}) {
        QWidget window;
        auto* box = new QComboBox(&window);
        box->addItems({"1", "2", "3"});
        if (shownFirst) window.show();
        LimitVisibleItems(box, 5);
        if (!shownFirst) window.show();
        QStyleOptionComboBox option;
        option.initFrom(box);
        EXPECT_EQ(box->maxVisibleItems(), 5) << shownFirst;
        EXPECT_EQ(box->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, box), 0)
            << shownFirst;
    }
}
