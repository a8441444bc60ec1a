#include "tests/settings/sheet_fixture.h"

#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

struct SheetLayoutTest : testing::Test, SheetFixture {};

TEST_F(SheetLayoutTest, TabsCarryTheirLabelsWithBlanks)
{
    SettingsSheet sheet(context, SheetTab::General);
    EXPECT_EQ(sheet.windowTitle(), "Settings");
    auto* tabs = control<QTabWidget>(sheet, "pageTabs");
    QStringList labels;
    for (int i = 0; i < tabs->count(); ++i)
        labels << tabs->tabText(i);
    EXPECT_EQ(labels, QStringList({" General ", " Scales ", " Sound ", " Custom Melody "}));
}

// Controls that take input lie wholly inside their page and never on top of
// one another (labels and group boxes may frame them).
TEST_F(SheetLayoutTest, EveryControlFitsItsPageWithoutOverlapping)
{
    SettingsSheet sheet(context, SheetTab::General);
    auto* tabs = control<QTabWidget>(sheet, "pageTabs");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        QWidget* page = tabs->widget(tab);
        std::vector<QWidget*> inputs;
        for (auto* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(page->rect().contains(child->geometry()))
                << child->metaObject()->className() << " " << child->objectName().toStdString();
            if (!child->inherits("QLabel") && !child->inherits("QGroupBox"))
                inputs.push_back(child);
        }
        for (std::size_t i = 0; i < inputs.size(); ++i)
            for (std::size_t j = i + 1; j < inputs.size(); ++j)
                EXPECT_FALSE(inputs[i]->geometry().intersects(inputs[j]->geometry()))
                    << inputs[i]->objectName().toStdString() << " and "
                    << inputs[j]->objectName().toStdString();
    }
}

} // namespace
