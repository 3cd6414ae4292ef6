// The diagram as the main window uses it.
#include "app/TForm1.h"

void TForm1::AddPickedPerson() {}
void TForm1::ClearDiagram() {}
void TForm1::ClipboardBMP1Click() {}
