#pragma once

#include <QObject>
#include <functional>

// An event filter that hands one object's events to a function; the function returns
// true for an event it has taken. Qt removes the filter when the hook is destroyed.
class EventHook : public QObject {
  public:
    using Handler = std::function<bool(QEvent*)>;

    EventHook(QObject* watched, Handler handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QObject* watched_;
    Handler handler_;
};
