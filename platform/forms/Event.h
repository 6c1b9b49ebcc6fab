#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "Subscription.h"

namespace forms {

// An event of a form or control that any number of handlers receive, in the order
// they connected. A handler may disconnect itself or others while the event runs;
// a disconnected handler is not called any more.
template <typename... Args>
class Event {
  public:
    using Handler = std::function<void(Args...)>;

    Subscription connect(Handler handler) {
        auto slot = std::make_shared<Slot>(Slot{std::move(handler), true});
        slots_->push_back(slot);
        std::weak_ptr<Slots> weakList = slots_;
        std::weak_ptr<Slot> weakSlot = slot;
        return Subscription([weakList, weakSlot] {
            const std::shared_ptr<Slot> connected = weakSlot.lock();
            if (!connected) {
                return;
            }
            connected->active = false;
            if (const std::shared_ptr<Slots> list = weakList.lock()) {
                std::erase(*list, connected);
            }
        });
    }

    void operator()(Args... args) const {
        const Slots snapshot = *slots_;
        for (const std::shared_ptr<Slot>& slot : snapshot) {
            if (slot->active) {
                slot->handler(args...);
            }
        }
    }

  private:
    struct Slot {
        Handler handler;
        bool active;
    };
    using Slots = std::vector<std::shared_ptr<Slot>>;

    std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
};

}  // namespace forms
