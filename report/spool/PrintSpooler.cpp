#include "PrintSpooler.h"

#include "CupsSpooler.h"

namespace {
PrintSpooler* replacement = nullptr;
}

PrintSpooler& PrintSpooler::current() {
    if (replacement) {
        return *replacement;
    }
    static CupsSpooler system;
    return system;
}

void PrintSpooler::setCurrent(PrintSpooler* spooler) {
    replacement = spooler;
}
