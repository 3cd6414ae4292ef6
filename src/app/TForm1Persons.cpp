// The person list, the filter panel, and the card as the main window uses them.
#include "app/TForm1.h"

void TForm1::BuildCard(int) {}
void TForm1::Button1Click() {}
void TForm1::Button2Click() {}
void TForm1::BitBtn2Click() {}
void TForm1::BitBtn3Click() {}
void TForm1::BitBtn5Click() {}
void TForm1::BitBtn6Click() {}
int TForm1::AddPerson() { return 0; }
void TForm1::DeletePerson(int) {}
