#include "Subscription.h"

#include <utility>

namespace forms {

Subscription::Subscription(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}

Subscription::Subscription(Subscription&& other) noexcept
    : disconnect_(std::exchange(other.disconnect_, nullptr)) {}

Subscription& Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        disconnect();
        disconnect_ = std::exchange(other.disconnect_, nullptr);
    }
    return *this;
}

Subscription::~Subscription() {
    disconnect();
}

void Subscription::disconnect() {
    if (disconnect_) {
        std::exchange(disconnect_, nullptr)();
    }
}

}  // namespace forms
