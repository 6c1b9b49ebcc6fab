#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "PickerFixture.h"
#include "controls/CalendarForm.h"
#include "controls/ExpandMenu.h"
#include "controls/MonthForm.h"
#include "platform/forms/Form.h"

namespace {

using ScreenshotTest = PickerTest;

// Saves a picture for review in the screenshots folder of the test's build folder.
void save(const QImage& picture, const QString& name) {
    QDir folder(QStringLiteral(SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    ASSERT_TRUE(picture.save(folder.filePath(name)));
}

// The main menu's buttons as the main menu shows them, in a picture set.
void mainMenu(ExpandMenu& menu, int set) {
    menu.Title(QStringLiteral("メニュー"));
    menu.TitleImage(1);
    const int bases[] = {10, 20, 30, 40, 50, 60, 70};
    for (int16_t index = 0; index < 7; ++index) {
        menu.Button(index, bases[index] + set);
    }
    menu.Button(11, 80 + set);
}

TEST_F(ScreenshotTest, MenuPages) {
    forms::Form form;
    form.SetDeleteOnUnload(false);
    ExpandMenu menu;
    menu.BaseForm(&form);
    mainMenu(menu, 0);
    form.MouseMove(0, 0, 3700, 1300);
    save(form.Image(), QStringLiteral("menu-main-set0.png"));

    menu.BaseForm(&form);
    mainMenu(menu, 1);
    form.MouseMove(0, 0, 6400, 3500);
    form.MouseDown(1, 0, 6400, 3500);
    save(form.Image(), QStringLiteral("menu-main-set1.png"));

    menu.BaseForm(&form);
    menu.Title(QStringLiteral("メンテナンスメニュー"));
    menu.TitleImage(2);
    const int bases[] = {90, 100, 110, 120, 130};
    for (int16_t index = 0; index < 5; ++index) {
        menu.Button(index, bases[index] + 1);
    }
    for (int16_t index = 5; index < 11; ++index) {
        menu.Button(index, -1);
    }
    menu.Button(11, 141);
    save(form.Image(), QStringLiteral("menu-maintenance-set1.png"));

    menu.BaseForm(&form);
    menu.TitleImage(3);
    menu.Button(0, 150);
    menu.Button(1, 160);
    for (int16_t index = 2; index < 11; ++index) {
        menu.Button(index, -1);
    }
    menu.Button(11, 140);
    save(form.Image(), QStringLiteral("menu-support-set0.png"));
}

TEST_F(ScreenshotTest, Pickers) {
    CalendarForm calendar;
    open(calendar, vb::Date::fromYmd(2024, 6, 12));
    save(calendar.grab().toImage(), QStringLiteral("calendar.png"));
    calendar.Picture1->SetFocus();
    QTest::keyClick(calendar.Picture1, Qt::Key_Down);
    save(calendar.grab().toImage(), QStringLiteral("calendar-month-list.png"));
    calendar.Hide();

    MonthForm month;
    month.SetCaptionText(QStringLiteral("データを表示する年月を選択してください。"));
    open(month, vb::Date::fromYmd(2024, 6, 12));
    save(month.grab().toImage(), QStringLiteral("month.png"));
}

}  // namespace
