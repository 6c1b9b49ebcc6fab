#include "SilentPrintServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <cstring>
#include <vector>

SilentPrintServer::SilentPrintServer() : path_(folder_.filePath("cups.sock")) {
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (!folder_.isValid() || socket_ < 0 ||
        static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path)) {
        return;
    }
    std::memcpy(address.sun_path, name.constData(), name.size());
    listening_ =
        ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
        ::listen(socket_, 16) == 0;
    if (listening_) {
        thread_ = std::thread([this] { serve(); });
    }
}

SilentPrintServer::~SilentPrintServer() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

void SilentPrintServer::serve() {
    std::vector<pollfd> watched{{socket_, POLLIN, 0}};
    char buffer[65536];
    while (!stop_) {
        if (::poll(watched.data(), watched.size(), 100) <= 0) {
            continue;
        }
        for (std::size_t i = watched.size(); i-- > 1;) {
            if (watched[i].revents != 0 && ::read(watched[i].fd, buffer, sizeof(buffer)) <= 0) {
                ::close(watched[i].fd);
                watched.erase(watched.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if ((watched[0].revents & POLLIN) != 0) {
            const int client = ::accept(socket_, nullptr, nullptr);
            if (client >= 0) {
                ++connections_;
                watched.push_back({client, POLLIN, 0});
            }
        }
    }
    for (std::size_t i = 1; i < watched.size(); ++i) {
        ::close(watched[i].fd);
    }
}
