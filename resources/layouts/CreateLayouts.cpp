#include <cstdio>
#include <string>

#include "LayoutSheet.h"
#include "LayoutWriter.h"

// Writes the layout workbooks into the folder given on the command line.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: create-layouts <folder>\n");
        return 2;
    }
    for (const LayoutSheet& sheet : layoutSheets()) {
        const std::string path = std::string(argv[1]) + "/" + sheet.fileName;
        if (!writeLayout(sheet, path)) {
            std::fprintf(stderr, "create-layouts: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
