#pragma once

#include <functional>

namespace forms {

// Keeps a handler connected to an event; destroying it (or disconnect) removes the
// handler. Safe when the event's owner has gone first.
class [[nodiscard]] Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::function<void()> disconnect);
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription();

    void disconnect();

  private:
    std::function<void()> disconnect_;
};

}  // namespace forms
