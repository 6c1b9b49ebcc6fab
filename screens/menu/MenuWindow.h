#pragma once

#include <functional>

#include "platform/forms/Form.h"

// The window of the main menu. Closing it by its frame does not unload it: it runs
// the given path instead (the menu's exit).
class MenuWindow : public forms::Form {
  public:
    explicit MenuWindow(std::function<void()> closedByFrame);

  protected:
    void Form_QueryUnload(int& cancel, int unloadMode) override;

  private:
    std::function<void()> closedByFrame_;
};
