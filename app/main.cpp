#include "StartUp.h"

int main(int argc, char** argv) {
    return runPrintingServer(argc, argv);
}
