#pragma once

#include <QString>

// A database file as a program leaves it when it is killed in the middle of a write.
namespace InterruptedWrite {

// Runs the statements on the file; empty when they ran, the engine's message otherwise.
QString run(const QString& path, const QString& password, const char* sql);

// Fills the product master of the file with `products` rows under one class.
QString fillProducts(const QString& path, const QString& password, int products);

// A child process replaces every row of the product master by 3,000 others in one
// transaction, with a page cache so small that changed pages reach the file, and is
// killed before it commits: the file is changed and its rollback journal is left hot.
// Empty when it was done; what failed otherwise.
QString killDuringReplace(const QString& path, const QString& password);

// The product master's rows as one text, read from the file as it stands; empty when the
// file cannot be read.
QString productRows(const QString& path, const QString& password);

}  // namespace InterruptedWrite
