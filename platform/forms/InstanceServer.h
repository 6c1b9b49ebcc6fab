#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QLocalServer;

namespace forms {

// The channel between copies of the program: a local socket per user and key,
// in the user's runtime folder.
class InstanceServer {
  public:
    InstanceServer() = default;
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;
    ~InstanceServer();

    static QString socketPath(const QString& key);

    // True when a running copy listens on the key's socket. Otherwise this process
    // listens on it (after removing a stale socket) and calls onActivate for each
    // request; false then. Copies starting at the same moment decide one after the other.
    bool claim(const QString& key, std::function<void()> onActivate);
    // Asks the copy listening on the key to come to the front; true when it answered.
    static bool requestActivation(const QString& key);
    // Stops listening and removes the socket.
    void close();

  private:
    QPointer<QLocalServer> server_;
};

}  // namespace forms
