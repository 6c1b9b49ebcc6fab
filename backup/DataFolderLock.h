#pragma once

#include <QString>

// The lock of a data folder. Every operation that writes work files into the data folder
// holds it, and so does the start-up recovery, so that none of them ever meets another's
// work half done. Within one process the lock may be taken again while held (each holder
// counts).
class DataFolderLock {
  public:
    // waitMs: how long to wait for another process to let go of the lock.
    explicit DataFolderLock(const QString& folder, int waitMs = 0);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // False when the folder does not exist or another process holds its lock.
    bool held() const { return held_; }

  private:
    bool held_ = false;
    unsigned long long device_ = 0;
    unsigned long long inode_ = 0;
};
