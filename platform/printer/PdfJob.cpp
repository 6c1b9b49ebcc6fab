#include "PdfJob.h"

#include <cups/cups.h>

#include <QFile>

namespace printer {

bool printPdfFile(const QString& path, const QString& title) {
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
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
    const int job = cupsPrintFile(destination->name, QFile::encodeName(path).constData(),
                                  title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    cupsFreeDests(1, destination);
    return job > 0;
}

bool hasDefaultPrinter() {
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    cupsFreeDests(destination != nullptr ? 1 : 0, destination);
    return destination != nullptr;
}

}  // namespace printer
