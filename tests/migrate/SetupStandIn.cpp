// Stands in for the setup wizard "ostrail" in the migration wizard's tests. It records its
// command line in "setup-command-line.txt" beside the installed database and, as a user
// finishing the reset setup would, widens product numbers to five digits (width code 1).
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include "core/DatabaseFiles.h"
#include "platform/jet/Connection.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString folder = DatabaseFiles::DataFolder();
    QFile record(folder + "/setup-command-line.txt");
    if (!record.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return 1;
    }
    record.write(QCoreApplication::arguments().mid(1).join(u' ').toUtf8() + "\n");
    jet::Connection connection;
    if (connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "/" +
                        DatabaseFiles::DatabaseName +
                        ";Jet OLEDB:Database Password=" + DatabaseFiles::DatabasePassword + ";")) {
        return 1;
    }
    return connection.execute("UPDATE basic_tbl SET Trade_figure = 1") ? 1 : 0;
}
