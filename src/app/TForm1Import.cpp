// GEDCOM import as the main window runs it.
#include "app/TForm1.h"

void TForm1::N3Click() {}
