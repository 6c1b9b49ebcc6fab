#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

#include "MasterFixture.h"

// The main menu over a fresh database copy: settings of a shipped database whose
// masters and first month are given by the flags, the menu window unloaded before and
// after each test, no help window left open.
class MenuFixture : public MasterFixture {
  public:
    // Presses menu button index with the mouse, as the user does.
    void clickButton(int16_t index);
    // Registers one class ("001") and one product of it.
    void insertMasters() const;

    // Runs step on the first visible top-level window of type Window once it shows (for
    // modal dialogs, from inside their event loop); a window still shown after the step
    // fails the test and is hidden.
    template <class Window>
    static void whenShown(std::function<void(Window&)> step) {
        poll([step]() -> bool {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* window = dynamic_cast<Window*>(widget);
                if (window != nullptr && window->isVisible()) {
                    hideIfStillShown(window);
                    step(*window);
                    return true;
                }
            }
            return false;
        });
    }

    // Top-level windows of type Window that are visible.
    template <class Window>
    static int visibleWindows() {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (dynamic_cast<Window*>(widget) != nullptr && widget->isVisible()) {
                ++count;
            }
        }
        return count;
    }

    // Unloads every form left loaded and deletes what was unloaded.
    static void unloadAll();

  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    static void poll(std::function<bool()> attempt);
    static void hideIfStillShown(QWidget* window);
};
