// tessavo-make-sample-db OUT.ini: writes the bundled sample model database.
#include <iostream>

#include "tools/sample_db/sample_db.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tessavo-make-sample-db OUT.ini\n";
        return 2;
    }
    if (!tessavo::sampledb::WriteSampleDatabase(argv[1])) {
        std::cerr << "tessavo-make-sample-db: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
