#pragma once

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

// A print server that takes every connection and reads what is sent, but never
// answers: the server of a print that must not hang. It listens on a Unix socket in a
// folder of its own; point CUPS_SERVER at socketPath() before anything prints.
class SilentPrintServer {
  public:
    SilentPrintServer();
    ~SilentPrintServer();
    SilentPrintServer(const SilentPrintServer&) = delete;
    SilentPrintServer& operator=(const SilentPrintServer&) = delete;

    // "" when the socket could not be set up.
    QString socketPath() const { return listening_ ? path_ : QString(); }
    // Connections taken so far.
    int connections() const { return connections_; }

  private:
    void serve();

    QTemporaryDir folder_;
    QString path_;
    int socket_ = -1;
    bool listening_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};
