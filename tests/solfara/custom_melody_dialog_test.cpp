#include "platform/testing/temp_dir.h"
#include "solfara/custom_melody_dialog.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> entries(const CustomMelodyDialog& dialog)
{
    std::vector<std::string> out;
    for (int i = 0; i < dialog.list()->count(); ++i)
        out.push_back(dialog.list()->item(i)->text().toStdString());
    return out;
}

// A real double click on the widget: press, release, double click, release.
void doubleClick(QWidget* widget, QPoint at)
{
    const QPointF local(at), global(widget->mapToGlobal(at));
    const QEvent::Type sequence[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                     QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    for (QEvent::Type type : sequence) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, local, global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

struct MelodyDialogTest : testing::Test {
    TempDir dir;
    MelodyDialogTest()
    {
        // A blank line and a nameless line between the melodies: the entries after them
        // must still name their own file lines.
        dir.write("mel.ssc", "Ode,64,64,65,67\r\r\n\r\r\n,\r\r\nScale,60,62,64\r\r\n"
                             "Last,72\r\r\n");
        dir.write("mel2.ssc", "Riff,40,43,45\r\n");
    }
};

TEST_F(MelodyDialogTest, ChoosesALineOfTheModesFile)
{
    CustomMelodyDialog guitar(dir.path(), 1);
    EXPECT_EQ(entries(guitar), (std::vector<std::string>{"Riff"}));
    CustomMelodyDialog piano(dir.path(), 0);
    EXPECT_EQ(entries(piano).size(), 3u);

    CustomMelodyDialog voice(dir.path(), 2);
    EXPECT_EQ(voice.windowTitle(), "Select Custom Melody");
    EXPECT_EQ(entries(voice), (std::vector<std::string>{"Ode", "Scale", "Last"}));
    voice.show();
    voice.okButton()->click(); // nothing selected: ignored
    EXPECT_TRUE(voice.isVisible());
    EXPECT_FALSE(voice.chosenLine());
    voice.list()->setCurrentRow(1);
    voice.okButton()->click();
    EXPECT_EQ(voice.result(), QDialog::Accepted);
    EXPECT_EQ(voice.chosenLine(), 3);

    CustomMelodyDialog clicked(dir.path(), 2);
    clicked.show();
    doubleClick(clicked.list()->viewport(),
                clicked.list()->visualItemRect(clicked.list()->item(2)).center());
    EXPECT_FALSE(clicked.isVisible());
    EXPECT_EQ(clicked.chosenLine(), 4);
}

TEST_F(MelodyDialogTest, AnAbsentOrEmptyFileGivesAnEmptyList)
{
    dir.write("mel.ssc", "");
    std::filesystem::remove(dir.file("mel2.ssc"));
    for (int noteName : {2, 1})
        EXPECT_EQ(CustomMelodyDialog(dir.path(), noteName).list()->count(), 0) << noteName;
}

TEST(ChosenMelody, StartsAFixedCustomDrillInCMajor)
{
    EXPECT_EQ(withChosenMelody({.scale = 9, .mode = 3, .drilltype = 1}, 4),
              (Settings{.scale = 1, .mode = 0, .drilltype = 3, .custMelody = 4}));
}

} // namespace
