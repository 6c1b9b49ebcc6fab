#include "PdfJob.h"

#include <cups/cups.h>

#include <QFile>

namespace printer {

namespace {

// How long the print server may take to take the connection, and then to answer each
// request, before the print fails: a server that does not answer must not hold the
// program for minutes.
constexpr int connectTimeoutMs = 3000;
constexpr double answerTimeoutSeconds = 3.0;

// Gives up on the first wait that runs out.
int giveUp(http_t*, void*) {
    return 0;
}

// A connection of its own to the print server, every wait on it bounded.
class Connection {
  public:
    Connection()
        : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             connectTimeoutMs, nullptr)) {
        if (http_ != nullptr) {
            httpSetTimeout(http_, answerTimeoutSeconds, giveUp, nullptr);
        }
    }
    ~Connection() { httpClose(http_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* get() const { return http_; }

  private:
    http_t* http_;
};

// The default printer as the server names it; nothing when there is none, or the
// server cannot be reached or does not answer in time.
cups_dest_t* defaultDestination(const Connection& connection) {
    return connection.get() != nullptr ? cupsGetNamedDest(connection.get(), nullptr, nullptr)
                                       : nullptr;
}

}  // namespace

bool printPdfFile(const QString& path, const QString& title) {
    const Connection connection;
    cups_dest_t* destination = defaultDestination(connection);
    if (destination == nullptr) {
        return false;
    }
    cups_option_t* options = nullptr;
    int count = 0;
    for (int i = 0; i < destination->num_options; ++i) {
        count = cupsAddOption(destination->options[i].name, destination->options[i].value, count,
                              &options);
    }
    count = cupsAddOption("media", "A4", count, &options);
    const int job =
        cupsPrintFile2(connection.get(), destination->name, QFile::encodeName(path).constData(),
                       title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    cupsFreeDests(1, destination);
    return job > 0;
}

bool hasDefaultPrinter() {
    const Connection connection;
    cups_dest_t* destination = defaultDestination(connection);
    cupsFreeDests(destination != nullptr ? 1 : 0, destination);
    return destination != nullptr;
}

}  // namespace printer
