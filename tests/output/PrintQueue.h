#pragma once

#include <QString>

// The PDF print queue of the tests (scripts/start-cups.sh): its scheduler is the print
// server of this process and its queue the default printer, which writes each job into
// one file. The tests that use it print one job at a time.
class PrintQueue {
  public:
    // Points this process to the queue's scheduler; call before anything prints.
    static void use();

    // Removes what the queue wrote before.
    PrintQueue();

    // The file of the job printed since, once the queue has ended it; "" when none
    // came within the timeout.
    QString waitForPdf(int timeoutMs = 120000) const;

  private:
    static QString printedFile();
    static bool jobsPending();
};
