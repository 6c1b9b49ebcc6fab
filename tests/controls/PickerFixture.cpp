#include "PickerFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/forms/TestHook.h"
#include "platform/runtime/Clock.h"

void PickerTest::SetUp() {
    forms::TestHook::enable();
    vb::setClock(Now());
}

void PickerTest::TearDown() {
    vb::setClock(std::nullopt);
    forms::TestHook::disable();
}

void PickerTest::open(PickerForm& form, const vb::Date& start) {
    form.SetDeleteOnUnload(false);
    form.SetCurrentDate(start);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

void PickerTest::chooseMonth(PickerForm& form, int month) {
    form.Picture1->SetFocus();
    for (int row = 0; row < 12; ++row) {
        QTest::keyClick(form.Picture1, Qt::Key_Up);
    }
    for (int row = 1; row < month; ++row) {
        QTest::keyClick(form.Picture1, Qt::Key_Down);
    }
    QTest::keyClick(form.Picture1, Qt::Key_Return);
}

void PickerTest::typeYear(PickerForm& form, const QString& text) {
    form.YearText->setFocus();
    form.YearText->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(form.YearText, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(form.YearText, text);
    }
}

void PickerTest::whenShown(std::function<void(PickerForm&)> step) {
    auto poll = std::make_shared<Poll>(Poll{std::move(step), 0});
    QTimer::singleShot(0, [poll] { pollFor(poll); });
}

void PickerTest::pollFor(const std::shared_ptr<Poll>& poll) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* picker = dynamic_cast<PickerForm*>(window);
        if (picker != nullptr && picker->isVisible()) {
            poll->step(*picker);
            // A dialog that the step failed to close must not hold up the run.
            QTimer::singleShot(3000, picker, [picker] {
                if (picker->isVisible()) {
                    ADD_FAILURE() << "the picker is still shown";
                    picker->Hide();
                }
            });
            return;
        }
    }
    if (++poll->attempts < 200) {
        QTimer::singleShot(10, [poll] { pollFor(poll); });
    } else {
        ADD_FAILURE() << "the picker was not shown";
    }
}

std::size_t PickerTest::messages() {
    return forms::TestHook::msgBoxes().size();
}
