#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>

#include "controls/PickerForm.h"
#include "platform/runtime/Date.h"

// The date and month pickers under test: message boxes answered by the test hook, the
// clock at 15 May 2024 09:00, the dialogs driven through their controls.
class PickerTest : public ::testing::Test {
  protected:
    static vb::Date Now() { return vb::Date::fromYmdHms(2024, 5, 15, 9, 0, 0); }

    void SetUp() override;
    void TearDown() override;

    // Shows the dialog modeless on that date.
    static void open(PickerForm& form, const vb::Date& start);
    // Picks a month in the drop-down with the arrow keys and Enter.
    static void chooseMonth(PickerForm& form, int month);
    // Replaces the year box's text by typing.
    static void typeYear(PickerForm& form, const QString& text);
    // Runs the step on the picker dialog once its modal Show has shown it.
    static void whenShown(std::function<void(PickerForm&)> step);
    // The message boxes shown so far.
    static std::size_t messages();

  private:
    struct Poll {
        std::function<void(PickerForm&)> step;
        int attempts;
    };
    static void pollFor(const std::shared_ptr<Poll>& poll);
};
