#include "core/ui/ComboHelpers.h"
#include "TestSupport.h"

#include <QComboBox>

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
