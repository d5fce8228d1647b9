#pragma once

class TDataModule1;

// Creates the data module: reads the installation settings from the user's store and composes the
// connection string. A malformed store or a value of the wrong type is shown in the standard error box
// and the start-up goes on.
void createDataModule(TDataModule1& dataModule);

// The program: start-up in its fixed order, then the window message loop until the main window closes.
int runPrintingServer(int argc, char** argv);
